#include "services/embedded/account_table.h"

#include <sqlite3.h>

#include "services/embedded/email_address.h"

namespace services::embedded {

namespace {

constexpr const char* kColumns = "uid, email, password_hash, created";

bool isConstraintFailure(SqliteConnection& connection) {
    return (sqlite3_extended_errcode(connection.handle()) & 0xff) == SQLITE_CONSTRAINT;
}

}  // namespace

AccountTable::Status AccountTable::readOne(SqliteStatement& query, Account& out) {
    if (!query.valid()) return Status::failed;
    if (!query.step()) return query.done() ? Status::notFound : Status::failed;
    out.uid = query.columnText(0);
    out.email = query.columnText(1);
    out.passwordHash = query.columnText(2);
    out.created = query.columnDouble(3);
    return Status::ok;
}

AccountTable::Status AccountTable::findByEmail(const std::string& email, Account& out) {
    auto query = connection_.prepare(std::string("SELECT ") + kColumns + " FROM account WHERE email_key = ?1");
    query.bind(1, emailKey(email));
    return readOne(query, out);
}

AccountTable::Status AccountTable::findByUid(const std::string& uid, Account& out) {
    auto query = connection_.prepare(std::string("SELECT ") + kColumns + " FROM account WHERE uid = ?1");
    query.bind(1, uid);
    return readOne(query, out);
}

AccountTable::Status AccountTable::insert(const Account& account) {
    auto statement = connection_.prepare(
        "INSERT INTO account (uid, email, email_key, password_hash, created) VALUES (?1, ?2, ?3, ?4, ?5)");
    statement.bind(1, account.uid).bind(2, account.email).bind(3, emailKey(account.email))
        .bind(4, account.passwordHash).bind(5, account.created);
    if (statement.run()) return Status::ok;
    return isConstraintFailure(connection_) ? Status::conflict : Status::failed;
}

AccountTable::Status AccountTable::put(const Account& account) {
    Account holder;
    const Status found = findByEmail(account.email, holder);
    if (found == Status::failed) return Status::failed;
    if (found == Status::ok && holder.uid != account.uid) return Status::conflict;
    auto statement = connection_.prepare(
        "INSERT OR REPLACE INTO account (uid, email, email_key, password_hash, created) VALUES (?1, ?2, ?3, ?4, ?5)");
    statement.bind(1, account.uid).bind(2, account.email).bind(3, emailKey(account.email))
        .bind(4, account.passwordHash).bind(5, account.created);
    return statement.run() ? Status::ok : Status::failed;
}

AccountTable::Status AccountTable::changeEmail(const std::string& uid, const std::string& email) {
    auto statement = connection_.prepare("UPDATE account SET email = ?2, email_key = ?3 WHERE uid = ?1");
    statement.bind(1, uid).bind(2, email).bind(3, emailKey(email));
    if (!statement.run()) return isConstraintFailure(connection_) ? Status::conflict : Status::failed;
    return sqlite3_changes(connection_.handle()) == 1 ? Status::ok : Status::notFound;
}

AccountTable::Status AccountTable::changePasswordHash(const std::string& uid, const std::string& hash) {
    auto statement = connection_.prepare("UPDATE account SET password_hash = ?2 WHERE uid = ?1");
    statement.bind(1, uid).bind(2, hash);
    if (!statement.run()) return Status::failed;
    return sqlite3_changes(connection_.handle()) == 1 ? Status::ok : Status::notFound;
}

AccountTable::Status AccountTable::list(std::vector<Account>& out) {
    auto query = connection_.prepare(std::string("SELECT ") + kColumns + " FROM account ORDER BY email_key");
    Account account;
    Status status;
    while ((status = readOne(query, account)) == Status::ok) out.push_back(account);
    return status == Status::notFound ? Status::ok : Status::failed;
}

AccountTable::Status AccountTable::addResetToken(const std::string& hash, const std::string& uid, double expires,
                                                 double now) {
    auto purge = connection_.prepare("DELETE FROM password_reset WHERE expires <= ?1");
    purge.bind(1, now);
    if (!purge.run()) return Status::failed;
    auto statement = connection_.prepare("INSERT INTO password_reset (token_hash, uid, expires) VALUES (?1, ?2, ?3)");
    statement.bind(1, hash).bind(2, uid).bind(3, expires);
    return statement.run() ? Status::ok : Status::failed;
}

AccountTable::Status AccountTable::takeResetToken(const std::string& hash, double now, std::string& uid) {
    auto query = connection_.prepare("SELECT uid, expires FROM password_reset WHERE token_hash = ?1");
    query.bind(1, hash);
    if (!query.valid()) return Status::failed;
    if (!query.step()) return query.done() ? Status::notFound : Status::failed;
    uid = query.columnText(0);
    const double expires = query.columnDouble(1);
    query.reset();
    auto remove = connection_.prepare("DELETE FROM password_reset WHERE token_hash = ?1");
    remove.bind(1, hash);
    if (!remove.run()) return Status::failed;
    return expires > now ? Status::ok : Status::notFound;
}

}  // namespace services::embedded
