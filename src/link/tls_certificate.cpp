#include "link/tls_certificate.h"

#include <memory>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include "foundation/atomic_file.h"
#include "link/password_hash.h"

namespace quarrion {

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* pointer) const { Free(pointer); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using CertPtr = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BioPtr = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;
using ExtPtr = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION, X509_EXTENSION_free>>;

constexpr int kKeyBits = 2048;
constexpr long kValidSeconds = 825L * 24 * 60 * 60;  // the longest span clients still accept

std::string OpenSslError(const std::string& what) {
    unsigned long code = ERR_get_error();
    char text[256] = {};
    if (code != 0) ERR_error_string_n(code, text, sizeof text);
    return what + (code != 0 ? std::string(": ") + text : std::string());
}

std::string BioText(BIO* bio) {
    char* data = nullptr;
    long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

bool LooksLikeAddress(const std::string& host) {
    return !host.empty() && (host.find(':') != std::string::npos ||
                             host.find_first_not_of("0123456789.") == std::string::npos);
}

bool AddExtension(X509* cert, int nid, const std::string& value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    ExtPtr extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str()));
    return extension && X509_add_ext(cert, extension.get(), -1) == 1;
}

std::string Hex(const unsigned char* bytes, unsigned int size) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
        if (i > 0) text += ':';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace

std::string MakeSelfSignedCertificate(const std::filesystem::path& certFile,
                                      const std::filesystem::path& keyFile,
                                      const std::string& hostName) {
    KeyPtr key(EVP_RSA_gen(kKeyBits));
    if (!key) return OpenSslError("could not make a key pair");
    CertPtr cert(X509_new());
    if (!cert) return OpenSslError("could not make a certificate");
    X509_set_version(cert.get(), 2);  // version 3, for the extensions
    std::string serial = RandomBytes(16);
    if (serial.empty()) return "no random serial number could be had";
    serial[0] = static_cast<char>(serial[0] & 0x7F);  // a positive number
    BIGNUM* number = BN_bin2bn(reinterpret_cast<const unsigned char*>(serial.data()),
                               static_cast<int>(serial.size()), nullptr);
    ASN1_INTEGER* asn1 = number ? BN_to_ASN1_INTEGER(number, nullptr) : nullptr;
    BN_free(number);
    if (!asn1) return OpenSslError("could not set the serial number");
    X509_set_serialNumber(cert.get(), asn1);
    ASN1_INTEGER_free(asn1);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -60 * 60);  // clocks disagree a little
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValidSeconds);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>("Quarrion"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(hostName.c_str()), -1, -1, 0);
    X509_set_issuer_name(cert.get(), name);
    const std::string altName = (LooksLikeAddress(hostName) ? "IP:" : "DNS:") + hostName;
    if (!AddExtension(cert.get(), NID_subject_alt_name, altName) ||
        !AddExtension(cert.get(), NID_basic_constraints, "critical,CA:TRUE") ||
        !AddExtension(cert.get(), NID_ext_key_usage, "serverAuth") ||
        !AddExtension(cert.get(), NID_subject_key_identifier, "hash")) {
        return OpenSslError("could not describe the certificate's use");
    }
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) == 0) {
        return OpenSslError("could not sign the certificate");
    }

    BioPtr keyBio(BIO_new(BIO_s_mem()));
    BioPtr certBio(BIO_new(BIO_s_mem()));
    if (!keyBio || !certBio ||
        PEM_write_bio_PrivateKey(keyBio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) !=
            1 ||
        PEM_write_bio_X509(certBio.get(), cert.get()) != 1) {
        return OpenSslError("could not write the certificate");
    }
    // The key is written owner-only before it holds anything: an empty file is made
    // with those rights, and the atomic write keeps a file's rights.
    {
        std::error_code ignored;
        std::filesystem::remove(keyFile, ignored);
        if (Outcome written = WriteFileAtomically(keyFile, ""); !written) return written.Message();
        std::filesystem::permissions(
            keyFile, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            ignored);
        if (ignored) return "could not make " + keyFile.string() + " private: " + ignored.message();
    }
    if (Outcome written = WriteFileAtomically(keyFile, BioText(keyBio.get())); !written) {
        return written.Message();
    }
    return WriteFileAtomically(certFile, BioText(certBio.get())).Message();
}

std::string ReadCertificateFingerprints(const std::filesystem::path& certFile,
                                        CertificateFingerprints& fingerprints) {
    std::string text;
    if (Outcome read = ReadWholeFile(certFile, text); !read) return read.Message();
    BioPtr bio(BIO_new_mem_buf(text.data(), static_cast<int>(text.size())));
    CertPtr cert(bio ? PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr) : nullptr);
    if (!cert) return OpenSslError(certFile.string() + " holds no PEM certificate");
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (X509_digest(cert.get(), EVP_sha256(), digest, &size) != 1) {
        return OpenSslError("could not take the certificate's fingerprint");
    }
    fingerprints.sha256 = Hex(digest, size);
    if (X509_digest(cert.get(), EVP_sha1(), digest, &size) != 1) {
        return OpenSslError("could not take the certificate's thumbprint");
    }
    fingerprints.sha1 = Hex(digest, size);
    return {};
}

}  // namespace quarrion
