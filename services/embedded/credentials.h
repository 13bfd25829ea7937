#pragma once
// Secrets of the account store, all from libsodium: Argon2id password hashes in libsodium's
// self-describing string form, random uids and one-time reset tokens (kept only as hashes).
#include <optional>
#include <string>
#include <string_view>

namespace services::embedded {

enum class PasswordHashCost {
    interactive,  // libsodium's interactive limits: the real thing
    minimum,      // the smallest Argon2id parameters; for tests and tools that make many accounts
};

// False when libsodium cannot start (no usable randomness).
bool credentialsAvailable();

std::optional<std::string> hashPassword(std::string_view password, PasswordHashCost cost);
bool passwordMatches(std::string_view password, const std::string& hash);
// A string that libsodium recognises as an Argon2id hash.
bool isArgon2idHash(const std::string& hash);

// 28 letters and digits: random, and safe as one path segment.
std::string randomUid();
bool isSafeUid(std::string_view uid);

// 32 random bytes as 64 hexadecimal digits, and the hash under which a token is stored.
std::string randomToken();
std::string tokenHash(std::string_view token);

}  // namespace services::embedded
