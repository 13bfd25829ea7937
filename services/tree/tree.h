#pragma once
// The value tree with the write operations of the realtime database: set (replace a node),
// update (replace some children), remove. Every write reports exactly what it changed, so a
// store can persist it and tell which observers must hear about it.
//
// Shape rules (the same wherever the tree is kept):
// - A node written whole as a list is a list. A missing node that gets its child "0" becomes a
//   list; any other first child makes it a keyed map.
// - A list keeps being a list while children are written at its indexes or at the next index,
//   and while its last element is removed. Writing any other key, or removing an element that
//   is not the last, turns it into a keyed map (the elements keep their indexes as keys).
// - A container whose last child is removed disappears, and so on upwards.
// - Writing below a scalar replaces the scalar with a container.
// - Whole and floating-point numbers stay what they were written as.
#include <optional>
#include <string>
#include <vector>

#include "platform/database.h"
#include "services/tree/node.h"
#include "services/tree/path.h"

namespace services::tree {

// A written node whose value changed, with its former subtree (null when it was absent).
// The new subtree is in the tree at `path`.
struct Replacement {
    std::string path;
    Path segments;
    Node::Ptr before;
};

// A container above a written node that was created, converted between list and map, pruned
// because it became empty, or that took the place of a scalar. Absent means no node.
struct KindChange {
    std::string path;
    std::optional<NodeKind> before;
    std::optional<NodeKind> after;
};

struct WriteEffects {
    std::vector<Replacement> replaced;
    std::vector<KindChange> kindChanges;
    bool changed() const { return !replaced.empty(); }
};

// A write that was refused leaves the tree as it was and says why.
struct WriteResult {
    bool refused = false;
    std::string problem;
    WriteEffects effects;
};

class Tree {
public:
    WriteResult set(const Path& path, const Value& value);
    // `children` keys are single keys; a null value removes that child.
    WriteResult update(const Path& path, const platform::ValueMap& children);
    WriteResult remove(const Path& path);

    const Node* root() const { return root_.get(); }
    const Node* find(const Path& path) const;
    Value valueAt(const Path& path) const;
    platform::NewestChild newestChild(const Path& path) const;

    // Installs a tree built elsewhere (a store's saved state).
    void reset(Node::Ptr root) { root_ = std::move(root); }

private:
    void apply(const Path& path, Node::Ptr node, WriteEffects& effects);

    Node::Ptr root_;
};

}  // namespace services::tree
