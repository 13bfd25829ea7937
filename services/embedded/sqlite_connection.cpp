#include "services/embedded/sqlite_connection.h"

#include <sqlite3.h>

#include <utility>

namespace services::embedded {

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), statement_(std::exchange(other.statement_, nullptr)), done_(other.done_) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        if (statement_) sqlite3_finalize(statement_);
        db_ = other.db_;
        statement_ = std::exchange(other.statement_, nullptr);
        done_ = other.done_;
    }
    return *this;
}

SqliteStatement::~SqliteStatement() {
    if (statement_) sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    if (statement_)
        sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t number) {
    if (statement_) sqlite3_bind_int64(statement_, index, number);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, double number) {
    if (statement_) sqlite3_bind_double(statement_, index, number);
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index) {
    if (statement_) sqlite3_bind_null(statement_, index);
    return *this;
}

bool SqliteStatement::step() {
    done_ = false;
    if (!statement_) return false;
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    done_ = rc == SQLITE_DONE;
    return false;
}

bool SqliteStatement::run() {
    while (step()) {
    }
    const bool ok = done_;
    reset();
    return ok;
}

void SqliteStatement::reset() {
    if (!statement_) return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

SqliteStatement::ColumnType SqliteStatement::columnType(int index) const {
    switch (sqlite3_column_type(statement_, index)) {
        case SQLITE_INTEGER: return ColumnType::integer;
        case SQLITE_FLOAT: return ColumnType::real;
        case SQLITE_TEXT: return ColumnType::text;
        case SQLITE_BLOB: return ColumnType::blob;
        default: return ColumnType::null;
    }
}

std::int64_t SqliteStatement::columnInt(int index) const { return sqlite3_column_int64(statement_, index); }
double SqliteStatement::columnDouble(int index) const { return sqlite3_column_double(statement_, index); }

std::string SqliteStatement::columnText(int index) const {
    const auto* text = sqlite3_column_text(statement_, index);
    const int size = sqlite3_column_bytes(statement_, index);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)) : std::string();
}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(db));
}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(db_); }

bool SqliteConnection::execute(std::string_view sql) {
    const std::string text(sql);
    return sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement SqliteConnection::prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK)
        return {};
    return {db_, statement};
}

std::optional<std::int64_t> SqliteConnection::queryInt(std::string_view sql) {
    SqliteStatement statement = prepare(sql);
    if (!statement.step()) return std::nullopt;
    return statement.columnInt(0);
}

std::string SqliteConnection::lastError() const { return sqlite3_errmsg(db_); }

bool SqliteConnection::lastFailureWasBusy() const {
    const int code = sqlite3_errcode(db_) & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

SqliteTransaction::SqliteTransaction(SqliteConnection& connection, bool immediate) : connection_(connection) {
    began_ = connection_.execute(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

SqliteTransaction::~SqliteTransaction() {
    if (began_ && !finished_) connection_.execute("ROLLBACK");
}

bool SqliteTransaction::commit() {
    if (!began_ || finished_) return false;
    finished_ = connection_.execute("COMMIT");
    return finished_;
}

}  // namespace services::embedded
