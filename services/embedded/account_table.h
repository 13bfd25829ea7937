#pragma once
// The `account` and `password_reset` tables of the data file (docs/AUTH.md).
#include <string>
#include <vector>

#include "services/embedded/sqlite_connection.h"

namespace services::embedded {

struct Account {
    std::string uid;
    std::string email;         // as the user typed it, trimmed
    std::string passwordHash;  // Argon2id, libsodium string form
    double created = 0;        // seconds since 1970
};

class AccountTable {
public:
    enum class Status { ok, notFound, conflict, failed };

    explicit AccountTable(SqliteConnection& connection) : connection_(connection) {}

    Status findByEmail(const std::string& email, Account& out);
    Status findByUid(const std::string& uid, Account& out);
    // conflict: the uid or the address is taken.
    Status insert(const Account& account);
    // Replaces the account with this uid (or adds it); conflict when another uid has the address.
    Status put(const Account& account);
    Status changeEmail(const std::string& uid, const std::string& email);
    Status changePasswordHash(const std::string& uid, const std::string& hash);
    Status list(std::vector<Account>& out);

    // Stores a reset token's hash, dropping expired ones.
    Status addResetToken(const std::string& hash, const std::string& uid, double expires, double now);
    // The uid of a valid token, which is used up by this call.
    Status takeResetToken(const std::string& hash, double now, std::string& uid);

private:
    Status readOne(SqliteStatement& query, Account& out);
    SqliteConnection& connection_;
};

}  // namespace services::embedded
