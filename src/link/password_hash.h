#pragma once

#include <string>
#include <string_view>

namespace quarrion {

// The Web Connector's password as the link keeps it: never the password itself, only a
// salted PBKDF2-HMAC-SHA256 hash, written "pbkdf2-sha256$ITERATIONS$SALT$HASH" with the
// salt and hash in base64, so a stolen settings file does not give the password away
// and guessing costs a slow derivation per try.
class PasswordHash {
  public:
    // The iteration count new hashes use: slow enough to make guessing expensive, still
    // well under a second per check on a small machine.
    static constexpr int kIterations = 210000;

    // A new hash with a fresh random salt. `iterations` below 1 uses kIterations. Returns
    // "" when no random salt could be had (the system's random source failed).
    static std::string Make(std::string_view password, int iterations = 0);

    // Whether `password` matches the stored hash. A stored text that is not a hash of
    // this form never matches. The comparison takes the same time wherever the
    // derivations differ.
    static bool Verify(std::string_view password, std::string_view stored);

    // Whether `stored` has the form Make writes.
    static bool IsHash(std::string_view stored);
};

// `count` bytes from the system's cryptographic random source; empty when it failed.
std::string RandomBytes(std::size_t count);

// A random 128-bit GUID in registry form with braces ("{8-4-4-4-12}", upper case).
// Empty when the random source failed.
std::string RandomGuid();

}  // namespace quarrion
