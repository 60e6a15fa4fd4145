#pragma once

#include <filesystem>
#include <string>

namespace quarrion {

// The fingerprints a person compares on the Windows side before trusting a certificate:
// SHA-256 and the SHA-1 "Thumbprint" Windows shows, both as colon-separated hex.
struct CertificateFingerprints {
    std::string sha256;
    std::string sha1;
};

// Writes a new self-signed certificate (RSA 2048, SHA-256, valid 825 days, the host as
// its common name and subject alternative name, DNS or IP as it reads) and its private
// key as PEM files. The key file is readable by its owner only. Each file is written
// whole or not at all. Returns "" or what went wrong.
std::string MakeSelfSignedCertificate(const std::filesystem::path& certFile,
                                      const std::filesystem::path& keyFile,
                                      const std::string& hostName);

// Reads the first certificate of a PEM file. Returns "" or what went wrong.
std::string ReadCertificateFingerprints(const std::filesystem::path& certFile,
                                        CertificateFingerprints& fingerprints);

}  // namespace quarrion
