#pragma once
// The SQLite file of a data directory: the value tree and the accounts, in WAL mode, locked
// for this process alone (a second process gets "in use" instead of a diverging copy).
// docs/DATABASE.md describes the schema.
#include <memory>
#include <string>

#include "services/embedded/sqlite_connection.h"

namespace services::embedded {

inline constexpr const char* kDataFileName = "lectio.sqlite3";
inline constexpr const char* kOutboxDirectoryName = "outbox";
inline constexpr int kSchemaVersion = 1;

class DataFile {
public:
    struct Options {
        // FULL also survives power loss, at one fsync per commit; NORMAL survives a killed
        // process, which is what the application needs.
        bool synchronousFull = false;
    };

    // Creates the directory and the file when missing. Null, with `error` set, when the file
    // cannot be opened, is locked by another process, is damaged or has a newer schema.
    static std::shared_ptr<DataFile> open(const std::string& directory, const Options& options, std::string& error);

    SqliteConnection& connection() { return *connection_; }
    const std::string& directory() const { return directory_; }
    std::string outboxDirectory() const;

private:
    DataFile(std::string directory, std::unique_ptr<SqliteConnection> connection)
        : directory_(std::move(directory)), connection_(std::move(connection)) {}

    std::string directory_;
    std::unique_ptr<SqliteConnection> connection_;
};

}  // namespace services::embedded
