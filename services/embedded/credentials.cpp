#include "services/embedded/credentials.h"

#include <sodium.h>

#include <algorithm>

namespace services::embedded {

namespace {

std::string hex(const unsigned char* bytes, std::size_t size) {
    std::string out(size * 2 + 1, '\0');
    sodium_bin2hex(out.data(), out.size(), bytes, size);
    out.pop_back();
    return out;
}

}  // namespace

bool credentialsAvailable() {
    static const bool available = sodium_init() >= 0;
    return available;
}

std::optional<std::string> hashPassword(std::string_view password, PasswordHashCost cost) {
    if (!credentialsAvailable()) return std::nullopt;
    const bool minimum = cost == PasswordHashCost::minimum;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(),
                              minimum ? crypto_pwhash_argon2id_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              minimum ? crypto_pwhash_argon2id_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::nullopt;
    return std::string(out);
}

bool passwordMatches(std::string_view password, const std::string& hash) {
    if (!credentialsAvailable() || !isArgon2idHash(hash)) return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

bool isArgon2idHash(const std::string& hash) {
    if (hash.size() >= crypto_pwhash_STRBYTES || hash.rfind("$argon2id$", 0) != 0) return false;
    // -1 means the string is not a valid hash for this algorithm.
    return crypto_pwhash_argon2id_str_needs_rehash(hash.c_str(), crypto_pwhash_argon2id_OPSLIMIT_MIN,
                                                   crypto_pwhash_argon2id_MEMLIMIT_MIN) != -1;
}

std::string randomUid() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    credentialsAvailable();
    std::string uid(28, 'x');
    for (char& c : uid) c = kAlphabet[randombytes_uniform(sizeof kAlphabet - 1)];
    return uid;
}

bool isSafeUid(std::string_view uid) {
    return !uid.empty() && uid.size() <= 128 && std::all_of(uid.begin(), uid.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

std::string randomToken() {
    credentialsAvailable();
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    return hex(bytes, sizeof bytes);
}

std::string tokenHash(std::string_view token) {
    credentialsAvailable();
    unsigned char digest[crypto_generichash_BYTES];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(token.data()), token.size(),
                       nullptr, 0);
    return hex(digest, sizeof digest);
}

}  // namespace services::embedded
