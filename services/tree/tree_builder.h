#pragma once
// Rebuilds a tree from its leaves, as a store saves them: one scalar per path, plus the paths
// of the containers that are lists. Leaves may come in any order. Saved state can be damaged,
// so conflicts have a fixed outcome: a container wins over a scalar at the same path (the
// scalar is dropped), and a list mark on a node whose keys are not exactly 0..n-1 leaves it a
// keyed map.
#include <set>
#include <string>

#include "services/tree/node.h"
#include "services/tree/path.h"

namespace services::tree {

class TreeBuilder {
public:
    // `value` must be a storable scalar.
    void addScalar(const Path& path, Value value);
    void markList(const Path& path);
    // The tree, or null when nothing was added. The builder is empty afterwards.
    Node::Ptr finish();

    std::size_t droppedScalars() const { return dropped_; }

private:
    Node::Ptr root_;
    std::set<Path> lists_;
    std::size_t dropped_ = 0;
};

}  // namespace services::tree
