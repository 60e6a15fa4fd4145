#include "link/password_hash.h"

#include <charconv>
#include <vector>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace quarrion {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;
// Above this a stored hash is refused rather than tying a thread up for minutes.
constexpr int kMostIterations = 10'000'000;

std::string Base64(std::string_view bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                  reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<int>(bytes.size()));
    out.resize(static_cast<std::size_t>(written));
    return out;
}

// Empty for text that is not base64 of whole bytes.
std::string FromBase64(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return {};
    std::string out(3 * text.size() / 4 + 1, '\0');
    int written = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                  reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    if (written < 0) return {};
    std::size_t size = static_cast<std::size_t>(written);
    // EVP_DecodeBlock counts the padding as zero bytes.
    if (text.ends_with("=="))
        size -= 2;
    else if (text.ends_with("="))
        size -= 1;
    out.resize(size);
    return out;
}

std::string Derive(std::string_view password, std::string_view salt, int iterations) {
    std::string hash(kHashBytes, '\0');
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                          reinterpret_cast<const unsigned char*>(salt.data()),
                          static_cast<int>(salt.size()), iterations, EVP_sha256(),
                          static_cast<int>(hash.size()),
                          reinterpret_cast<unsigned char*>(hash.data())) != 1) {
        return {};
    }
    return hash;
}

struct Parsed {
    int iterations = 0;
    std::string salt;
    std::string hash;
};

bool Parse(std::string_view stored, Parsed& parsed) {
    std::vector<std::string_view> parts;
    while (true) {
        std::size_t dollar = stored.find('$');
        parts.push_back(stored.substr(0, dollar));
        if (dollar == std::string_view::npos) break;
        stored.remove_prefix(dollar + 1);
    }
    if (parts.size() != 4 || parts[0] != kScheme) return false;
    auto [end, error] =
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), parsed.iterations);
    if (error != std::errc() || end != parts[1].data() + parts[1].size()) return false;
    if (parsed.iterations < 1 || parsed.iterations > kMostIterations) return false;
    parsed.salt = FromBase64(parts[2]);
    parsed.hash = FromBase64(parts[3]);
    return !parsed.salt.empty() && parsed.hash.size() == kHashBytes;
}

}  // namespace

std::string RandomBytes(std::size_t count) {
    std::string bytes(count, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(count)) != 1) {
        return {};
    }
    return bytes;
}

std::string RandomGuid() {
    std::string bytes = RandomBytes(16);
    if (bytes.empty()) return {};
    // Version 4, variant 1, as any GUID generator writes them.
    bytes[6] = static_cast<char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<char>((bytes[8] & 0x3F) | 0x80);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string guid = "{";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) guid += '-';
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        guid += kHex[byte >> 4];
        guid += kHex[byte & 0x0F];
    }
    return guid + "}";
}

std::string PasswordHash::Make(std::string_view password, int iterations) {
    if (iterations < 1) iterations = kIterations;
    std::string salt = RandomBytes(kSaltBytes);
    if (salt.empty()) return {};
    std::string hash = Derive(password, salt, iterations);
    if (hash.empty()) return {};
    return std::string(kScheme) + "$" + std::to_string(iterations) + "$" + Base64(salt) + "$" +
           Base64(hash);
}

bool PasswordHash::Verify(std::string_view password, std::string_view stored) {
    Parsed parsed;
    if (!Parse(stored, parsed)) return false;
    std::string derived = Derive(password, parsed.salt, parsed.iterations);
    return derived.size() == kHashBytes &&
           CRYPTO_memcmp(derived.data(), parsed.hash.data(), kHashBytes) == 0;
}

bool PasswordHash::IsHash(std::string_view stored) {
    Parsed parsed;
    return Parse(stored, parsed);
}

}  // namespace quarrion
