#include "services/embedded/node_table.h"

#include <charconv>
#include <cmath>

#include "services/tree/tree_builder.h"

namespace services::embedded {

using tree::Node;
using tree::NodeKind;
using tree::Value;

namespace {

std::string childPath(const std::string& parent, const std::string& key) {
    return parent.empty() ? key : parent + "/" + key;
}

const char* typeOf(const Value& scalar) {
    if (scalar.is_string()) return "text";
    if (scalar.is_boolean()) return "boolean";
    if (scalar.is_number_float()) return "real";
    return "integer";
}

void rowsOf(const Node& node, const std::string& path, std::vector<RowChange>& out) {
    switch (node.kind()) {
        case NodeKind::scalar:
            out.push_back({RowChange::Kind::put, path, typeOf(node.scalarValue()), node.scalarValue()});
            return;
        case NodeKind::list: out.push_back({RowChange::Kind::put, path, "list", Value()}); break;
        case NodeKind::map: break;
    }
    node.forEachChild([&](const std::string& key, const Node& child) { rowsOf(child, childPath(path, key), out); });
}

}  // namespace

NodeTable::NodeTable(SqliteConnection& connection)
    : connection_(connection),
      deleteRow_(connection.prepare("DELETE FROM node WHERE path = ?1")),
      deleteBelow_(connection.prepare("DELETE FROM node WHERE path >= ?1 AND path < ?2")),
      put_(connection.prepare("INSERT OR REPLACE INTO node (path, type, value) VALUES (?1, ?2, ?3)")) {}

void NodeTable::rowChangesFor(const tree::Tree& tree, const tree::WriteEffects& effects, std::vector<RowChange>& out) {
    for (const auto& change : effects.kindChanges) {
        const bool hadRow = change.before == NodeKind::scalar || change.before == NodeKind::list;
        const bool isList = change.after == NodeKind::list;
        if (hadRow && !isList) out.push_back({RowChange::Kind::deleteRow, change.path, {}, {}});
        if (isList && change.before != NodeKind::list) out.push_back({RowChange::Kind::put, change.path, "list", {}});
    }
    for (const auto& replacement : effects.replaced) {
        const Node* node = tree.find(replacement.segments);
        const bool hadRowsBelow = replacement.before && replacement.before->isContainer();
        if (hadRowsBelow) {
            out.push_back({RowChange::Kind::deleteSubtree, replacement.path, {}, {}});
        } else if (!node || node->kind() == NodeKind::map) {
            // A former scalar's row is not overwritten by a map, which has no row of its own.
            if (replacement.before) out.push_back({RowChange::Kind::deleteRow, replacement.path, {}, {}});
        }
        if (node) rowsOf(*node, replacement.path, out);
    }
}

bool NodeTable::apply(const std::vector<RowChange>& changes) {
    if (!deleteRow_.valid() || !deleteBelow_.valid() || !put_.valid()) return false;
    for (const auto& change : changes) {
        switch (change.kind) {
            case RowChange::Kind::deleteRow:
                if (!deleteRow_.bind(1, change.path).run()) return false;
                break;
            case RowChange::Kind::deleteSubtree:
                if (change.path.empty()) {
                    if (!connection_.execute("DELETE FROM node")) return false;
                    break;
                }
                if (!deleteRow_.bind(1, change.path).run()) return false;
                // Every path below starts with "<path>/"; "0" is the character after "/".
                if (!deleteBelow_.bind(1, change.path + "/").bind(2, change.path + "0").run()) return false;
                break;
            case RowChange::Kind::put: {
                put_.bind(1, change.path).bind(2, change.type);
                const Value& v = change.value;
                if (v.is_string()) {
                    put_.bind(3, v.get_ref<const std::string&>());
                } else if (v.is_boolean()) {
                    put_.bind(3, std::int64_t{v.get<bool>() ? 1 : 0});
                } else if (v.is_number_float()) {
                    put_.bind(3, v.get<double>());
                } else if (v.is_number_unsigned()) {
                    // Beyond the signed range SQLite stores: kept as decimal text.
                    put_.bind(3, std::to_string(v.get<std::uint64_t>()));
                } else if (v.is_number_integer()) {
                    put_.bind(3, v.get<std::int64_t>());
                } else {
                    put_.bindNull(3);
                }
                if (!put_.run()) return false;
                break;
            }
        }
    }
    return true;
}

namespace {

// The scalar a row holds, or null when the row is damaged.
Value scalarFromRow(const std::string& type, const SqliteStatement& row) {
    using T = SqliteStatement::ColumnType;
    const T column = row.columnType(2);
    if (type == "text") {
        if (column != T::text) return {};
        std::string text = row.columnText(2);
        return tree::isValidUtf8(text) ? Value(std::move(text)) : Value();
    }
    if (type == "boolean") {
        if (column != T::integer) return {};
        const auto n = row.columnInt(2);
        return n == 0 || n == 1 ? Value(n == 1) : Value();
    }
    if (type == "real") {
        if (column != T::real && column != T::integer) return {};
        const double d = row.columnDouble(2);
        return std::isfinite(d) ? Value(d) : Value();
    }
    if (type == "integer") {
        if (column == T::integer) return Value(row.columnInt(2));
        if (column == T::text) {
            const std::string text = row.columnText(2);
            std::uint64_t u = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), u);
            if (ec == std::errc() && end == text.data() + text.size()) return tree::normalizedScalar(Value(u));
        }
        return {};
    }
    return {};
}

}  // namespace

NodeTable::Loaded NodeTable::load(const std::string& path) {
    Loaded loaded;
    SqliteStatement query =
        path.empty() ? connection_.prepare("SELECT path, type, value FROM node")
                     : connection_.prepare("SELECT path, type, value FROM node WHERE path = ?1 OR "
                                           "(path >= ?2 AND path < ?3)");
    if (!query.valid()) {
        loaded.error = connection_.lastError();
        return loaded;
    }
    if (!path.empty()) query.bind(1, path).bind(2, path + "/").bind(3, path + "0");

    tree::TreeBuilder builder;
    const std::size_t skip = path.empty() ? 0 : path.size() + 1;
    while (query.step()) {
        const std::string rowPath = query.columnText(0);
        const std::string type = query.columnText(1);
        auto segments = tree::parsePath(rowPath.size() <= skip ? std::string() : rowPath.substr(skip));
        if (!segments || query.columnType(0) != SqliteStatement::ColumnType::text) {
            ++loaded.skippedRows;
            continue;
        }
        if (type == "list") {
            builder.markList(*segments);
            continue;
        }
        Value scalar = scalarFromRow(type, query);
        if (scalar.is_null()) {
            ++loaded.skippedRows;
            continue;
        }
        builder.addScalar(*segments, std::move(scalar));
    }
    if (!query.done()) {
        loaded.error = connection_.lastError();
        return loaded;
    }
    loaded.node = builder.finish();
    loaded.skippedRows += builder.droppedScalars();
    loaded.ok = true;
    return loaded;
}

}  // namespace services::embedded
