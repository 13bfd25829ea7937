#include "services/tree/tree_builder.h"

namespace services::tree {

void TreeBuilder::addScalar(const Path& path, Value value) {
    if (path.empty()) {
        if (root_ && root_->isContainer()) {
            ++dropped_;
        } else {
            root_ = Node::makeScalar(std::move(value));
        }
        return;
    }
    if (!root_ || !root_->isContainer()) {
        if (root_) ++dropped_;
        root_ = Node::makeMap();
    }
    Node* container = root_.get();
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        Node* next = container->child(path[i]);
        if (!next || !next->isContainer()) {
            if (next) ++dropped_;
            Node::Ptr fresh = Node::makeMap();
            next = fresh.get();
            container->putChild(path[i], std::move(fresh));
        }
        container = next;
    }
    const Node* existing = container->child(path.back());
    if (existing && existing->isContainer()) {
        ++dropped_;
        return;
    }
    if (existing) ++dropped_;
    container->putChild(path.back(), Node::makeScalar(std::move(value)));
}

void TreeBuilder::markList(const Path& path) { lists_.insert(path); }

Node::Ptr TreeBuilder::finish() {
    for (const auto& path : lists_) {
        Node* node = root_.get();
        for (const auto& key : path) {
            if (!node) break;
            node = node->child(key);
        }
        if (node) node->convertMapToList();
    }
    lists_.clear();
    return std::move(root_);
}

}  // namespace services::tree
