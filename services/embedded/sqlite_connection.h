#pragma once
// A thin owner of one SQLite connection and its prepared statements. No exceptions: every call
// says whether it worked, and lastError() says why not.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace services::embedded {

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    ~SqliteStatement();

    bool valid() const { return statement_ != nullptr; }

    // Parameters are numbered from 1.
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bind(int index, std::int64_t number);
    SqliteStatement& bind(int index, double number);
    SqliteStatement& bindNull(int index);

    // One step: true while a row is available; done() tells a finished statement from a failure.
    bool step();
    bool done() const { return done_; }
    // Runs to the end, ignoring rows; true on success. The statement is reset either way.
    bool run();
    void reset();

    enum class ColumnType { integer, real, text, blob, null };
    ColumnType columnType(int index) const;
    std::int64_t columnInt(int index) const;
    double columnDouble(int index) const;
    std::string columnText(int index) const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    bool done_ = false;
};

class SqliteConnection {
public:
    // Opens (creating if needed) the file; nullptr with `error` filled when it cannot be opened.
    static std::unique_ptr<SqliteConnection> open(const std::string& path, std::string& error);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool execute(std::string_view sql);
    SqliteStatement prepare(std::string_view sql);
    std::optional<std::int64_t> queryInt(std::string_view sql);
    std::string lastError() const;
    // True when the last failure was another connection's lock.
    bool lastFailureWasBusy() const;
    sqlite3* handle() const { return db_; }

private:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
};

// BEGIN ... COMMIT, rolled back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection, bool immediate = true);
    ~SqliteTransaction();
    bool began() const { return began_; }
    bool commit();

private:
    SqliteConnection& connection_;
    bool began_ = false;
    bool finished_ = false;
};

}  // namespace services::embedded
