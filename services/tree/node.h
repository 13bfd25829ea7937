#pragma once
// One node of the value tree: a scalar (text, boolean, whole or floating-point number), a list
// or a keyed map. Containers are never empty; an empty container is an absent node.
// Each container counts its children that are not text, so "are all values text?" costs
// nothing however many children there are.
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/value.h"

namespace services::tree {

using platform::Value;

enum class NodeKind { scalar, list, map };

class Node {
public:
    using Ptr = std::unique_ptr<Node>;
    using MapChildren = std::map<std::string, Ptr, std::less<>>;
    using ListElements = std::vector<Ptr>;

    // `value` must be a storable scalar (see nodeFromValue).
    static Ptr makeScalar(Value value);
    static Ptr makeMap();
    static Ptr makeList();

    NodeKind kind() const { return kind_; }
    bool isContainer() const { return kind_ != NodeKind::scalar; }
    bool isText() const { return kind_ == NodeKind::scalar && scalar_.is_string(); }
    const Value& scalarValue() const { return scalar_; }

    std::size_t childCount() const;
    std::size_t nonTextChildCount() const { return nonTextChildren_; }
    const Node* child(std::string_view key) const;
    Node* child(std::string_view key);

    // Places `node` (not null) under `key` and returns the child it replaces. A list stays a
    // list when `key` is one of its indexes or the next one, and becomes a map otherwise.
    Ptr putChild(std::string_view key, Ptr node);
    // Detaches a child. A list stays a list when its last element is taken, and becomes a map
    // when another one is (the remaining elements keep their indexes as keys).
    Ptr takeChild(std::string_view key);
    // A list becomes a map keyed by the element indexes, or a map whose keys are exactly
    // 0..n-1 becomes a list (false, unchanged, otherwise).
    void convertListToMap();
    bool convertMapToList();

    const MapChildren& mapChildren() const { return map_; }
    const ListElements& listElements() const { return list_; }
    // Visits the children in key order (text order for maps, index order for lists).
    void forEachChild(const std::function<void(const std::string& key, const Node& child)>& visit) const;

    Value toValue() const;

private:
    explicit Node(NodeKind kind) : kind_(kind) {}
    void count(const Node* child, int direction);

    NodeKind kind_;
    Value scalar_;
    MapChildren map_;
    ListElements list_;
    std::size_t nonTextChildren_ = 0;
};

// Equal values of the same kinds: a whole number never equals a floating-point number, and a
// list never equals a map. Either side may be null (absent).
bool sameValue(const Node* a, const Node* b);

// A value from a caller turned into a node. Nulls and empty containers are absent nodes;
// a list with a missing element in the middle becomes a map keyed by the indexes that are
// there (trailing missing elements are simply dropped). Refused: keys that are empty, contain
// "/" or are not UTF-8; text that is not UTF-8; non-finite numbers; binary values; nesting
// deeper than `depthBudget` levels below the node.
struct Conversion {
    bool ok = false;
    Node::Ptr node;  // null when the value is absent
    std::string problem;
};
Conversion nodeFromValue(const Value& value, std::size_t depthBudget);

// Whole numbers that fit are kept as signed integers, so 18 reads back the same way whether
// it was written as signed or unsigned.
Value normalizedScalar(const Value& value);

}  // namespace services::tree
