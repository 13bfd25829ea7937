#include "services/embedded/data_file.h"

#include <filesystem>
#include <system_error>

namespace services::embedded {

namespace {

std::string failure(const std::string& file, const SqliteConnection& connection) {
    if (connection.lastFailureWasBusy()) return file + " is in use by another process";
    return file + ": " + connection.lastError();
}

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS node (
    path  TEXT PRIMARY KEY NOT NULL,
    type  TEXT NOT NULL,
    value
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS account (
    uid           TEXT PRIMARY KEY NOT NULL,
    email         TEXT NOT NULL,
    email_key     TEXT NOT NULL UNIQUE,
    password_hash TEXT NOT NULL,
    created       REAL NOT NULL
);
CREATE TABLE IF NOT EXISTS password_reset (
    token_hash TEXT PRIMARY KEY NOT NULL,
    uid        TEXT NOT NULL,
    expires    REAL NOT NULL
);
)sql";

}  // namespace

std::shared_ptr<DataFile> DataFile::open(const std::string& directory, const Options& options, std::string& error) {
    if (directory.empty()) {
        error = "no data directory";
        return nullptr;
    }
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        error = "cannot create " + directory + ": " + ec.message();
        return nullptr;
    }
    std::filesystem::permissions(directory, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace,
                                 ec);

    const std::string file = (std::filesystem::path(directory) / kDataFileName).string();
    auto connection = SqliteConnection::open(file, error);
    if (!connection) return nullptr;

    // Exclusive locking before WAL: the WAL index lives in this process's memory and the lock
    // taken below is held until the connection closes.
    if (!connection->execute("PRAGMA locking_mode=EXCLUSIVE") || !connection->execute("PRAGMA journal_mode=WAL") ||
        !connection->execute(options.synchronousFull ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL") ||
        // Checkpoints (the only fsyncs under NORMAL) every 10,000 pages rather than 1,000: fewer
        // pauses in the write path; the log is cut back to 8 MiB after each.
        !connection->execute("PRAGMA wal_autocheckpoint=10000") ||
        !connection->execute("PRAGMA journal_size_limit=8388608")) {
        error = failure(file, *connection);
        return nullptr;
    }

    SqliteTransaction transaction(*connection, /*immediate=*/true);
    if (!transaction.began()) {
        error = failure(file, *connection);
        return nullptr;
    }
    const auto version = connection->queryInt("PRAGMA user_version");
    if (!version) {
        error = failure(file, *connection);
        return nullptr;
    }
    if (*version > kSchemaVersion) {
        error = file + " was written by a newer version (schema " + std::to_string(*version) + ")";
        return nullptr;
    }
    if (!connection->execute(kSchema) ||
        !connection->execute("PRAGMA user_version=" + std::to_string(kSchemaVersion)) || !transaction.commit()) {
        error = failure(file, *connection);
        return nullptr;
    }
    return std::shared_ptr<DataFile>(new DataFile(directory, std::move(connection)));
}

std::string DataFile::outboxDirectory() const {
    return (std::filesystem::path(directory_) / kOutboxDirectoryName).string();
}

}  // namespace services::embedded
