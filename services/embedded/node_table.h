#pragma once
// The value tree as rows of the `node` table: one row per scalar (its full path, its kind and
// its value) and one row per list (kind "list"); keyed maps have no row of their own, they
// exist through the rows below them. docs/DATABASE.md shows how to read a record with sqlite3.
#include <string>
#include <vector>

#include "services/embedded/sqlite_connection.h"
#include "services/tree/tree.h"

namespace services::embedded {

// One change of the table, recorded at write time and applied at the next commit.
struct RowChange {
    enum class Kind { deleteRow, deleteSubtree, put };
    Kind kind;
    std::string path;
    std::string type;    // put: "text", "integer", "real", "boolean" or "list"
    tree::Value value;   // put: the scalar (null for a list)
};

class NodeTable {
public:
    explicit NodeTable(SqliteConnection& connection);

    // The rows that make the table follow a write; `tree` is in its state after the write.
    static void rowChangesFor(const tree::Tree& tree, const tree::WriteEffects& effects, std::vector<RowChange>& out);

    // Applies changes inside the caller's transaction; false on the first failure.
    bool apply(const std::vector<RowChange>& changes);

    struct Loaded {
        bool ok = false;
        std::string error;
        tree::Node::Ptr node;        // the subtree at the path asked for, or null
        std::size_t skippedRows = 0; // damaged rows left out
    };
    // The saved subtree at `path` ("" for the whole tree).
    Loaded load(const std::string& path = {});

private:
    SqliteConnection& connection_;
    SqliteStatement deleteRow_;
    SqliteStatement deleteBelow_;
    SqliteStatement put_;
};

}  // namespace services::embedded
