#include "services/tree/tree.h"

#include <algorithm>

namespace services::tree {

namespace {

std::string prefixOf(const Path& path, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0) text += '/';
        text += path[i];
    }
    return text;
}

// Writes of one operation may touch a container several times (created as a list, then made
// a map); only the first former kind and the final kind matter.
void mergeKindChanges(std::vector<KindChange>& changes) {
    std::vector<KindChange> merged;
    for (auto& change : changes) {
        auto it = std::find_if(merged.begin(), merged.end(),
                               [&](const KindChange& m) { return m.path == change.path; });
        if (it == merged.end()) {
            merged.push_back(std::move(change));
        } else {
            it->after = change.after;
        }
    }
    std::erase_if(merged, [](const KindChange& m) { return m.before == m.after; });
    changes = std::move(merged);
}

class Writer {
public:
    Writer(const Path& path, WriteEffects& effects) : path_(path), effects_(effects) {}

    Node::Ptr put(Node& container, std::size_t depth, std::string_view key, Node::Ptr node) {
        const NodeKind before = container.kind();
        Node::Ptr former = container.putChild(key, std::move(node));
        if (container.kind() != before) record(depth, before, container.kind());
        return former;
    }

    Node::Ptr take(Node& container, std::size_t depth, std::string_view key) {
        const NodeKind before = container.kind();
        Node::Ptr former = container.takeChild(key);
        if (container.kind() != before) record(depth, before, container.kind());
        return former;
    }

    void record(std::size_t depth, std::optional<NodeKind> before, std::optional<NodeKind> after) {
        effects_.kindChanges.push_back({prefixOf(path_, depth), before, after});
    }

private:
    const Path& path_;
    WriteEffects& effects_;
};

Node::Ptr containerFor(std::string_view firstKey) {
    return firstKey == "0" ? Node::makeList() : Node::makeMap();
}

}  // namespace

const Node* Tree::find(const Path& path) const {
    const Node* node = root_.get();
    for (const auto& key : path) {
        if (!node) return nullptr;
        node = node->child(key);
    }
    return node;
}

Value Tree::valueAt(const Path& path) const {
    const Node* node = find(path);
    return node ? node->toValue() : Value();
}

platform::NewestChild Tree::newestChild(const Path& path) const {
    platform::NewestChild newest;
    const Node* node = find(path);
    if (!node || !node->isContainer() || node->childCount() == 0) return newest;
    newest.isMap = true;
    newest.allText = node->nonTextChildCount() == 0;
    if (node->kind() == NodeKind::map) {
        const auto& last = *node->mapChildren().rbegin();
        newest.key = last.first;
        newest.value = last.second->toValue();
    } else {
        // Index keys compared as text: "9" is greater than "10".
        const auto& elements = node->listElements();
        for (std::size_t i = 0; i < elements.size(); ++i) {
            std::string key = std::to_string(i);
            if (key > newest.key) newest.key = std::move(key);
        }
        newest.value = node->child(newest.key)->toValue();
    }
    return newest;
}

void Tree::apply(const Path& path, Node::Ptr node, WriteEffects& effects) {
    const Node* existing = find(path);
    if (sameValue(existing, node.get())) return;

    if (path.empty()) {
        effects.replaced.push_back({std::string(), path, std::move(root_)});
        root_ = std::move(node);
        return;
    }

    Writer writer(path, effects);
    // chain[i] is the container at the path's first i keys, which holds key path[i].
    std::vector<Node*> chain;
    chain.reserve(path.size());

    if (node) {
        if (!root_ || !root_->isContainer()) {
            const auto before = root_ ? std::optional(root_->kind()) : std::nullopt;
            root_ = containerFor(path[0]);
            writer.record(0, before, root_->kind());
        }
        chain.push_back(root_.get());
        for (std::size_t i = 1; i < path.size(); ++i) {
            Node* parent = chain.back();
            Node* current = parent->child(path[i - 1]);
            if (!current || !current->isContainer()) {
                const auto before = current ? std::optional(current->kind()) : std::nullopt;
                Node::Ptr fresh = containerFor(path[i]);
                current = fresh.get();
                writer.put(*parent, i - 1, path[i - 1], std::move(fresh));
                writer.record(i, before, current->kind());
            }
            chain.push_back(current);
        }
        Node::Ptr former = writer.put(*chain.back(), path.size() - 1, path.back(), std::move(node));
        effects.replaced.push_back({joinPath(path), path, std::move(former)});
        return;
    }

    // Removal: every container on the way exists, since the node being removed does.
    chain.push_back(root_.get());
    for (std::size_t i = 1; i < path.size(); ++i) chain.push_back(chain.back()->child(path[i - 1]));
    Node::Ptr former = writer.take(*chain.back(), path.size() - 1, path.back());
    effects.replaced.push_back({joinPath(path), path, std::move(former)});

    for (std::size_t depth = path.size() - 1; chain[depth]->childCount() == 0; --depth) {
        const NodeKind kind = chain[depth]->kind();
        if (depth == 0) {
            root_.reset();
            writer.record(0, kind, std::nullopt);
            break;
        }
        writer.take(*chain[depth - 1], depth - 1, path[depth - 1]);
        writer.record(depth, kind, std::nullopt);
    }
}

WriteResult Tree::set(const Path& path, const Value& value) {
    WriteResult result;
    Conversion conversion = nodeFromValue(value, kMaxDepth - std::min(path.size(), kMaxDepth));
    if (!conversion.ok) {
        result.refused = true;
        result.problem = std::move(conversion.problem);
        return result;
    }
    apply(path, std::move(conversion.node), result.effects);
    mergeKindChanges(result.effects.kindChanges);
    return result;
}

WriteResult Tree::remove(const Path& path) {
    WriteResult result;
    apply(path, nullptr, result.effects);
    mergeKindChanges(result.effects.kindChanges);
    return result;
}

WriteResult Tree::update(const Path& path, const platform::ValueMap& children) {
    WriteResult result;
    if (path.size() >= kMaxDepth && !children.empty()) {
        result.refused = true;
        result.problem = "a path deeper than the tree allows";
        return result;
    }
    struct Pending {
        std::string key;
        std::size_t index;
        bool isIndex;
        Node::Ptr node;
    };
    std::vector<Pending> pending;
    pending.reserve(children.size());
    for (const auto& [key, value] : children) {
        if (!isValidKey(key)) {
            result.refused = true;
            result.problem = "the child key \"" + key + "\", which is empty, holds \"/\" or is not UTF-8";
            return result;
        }
        Conversion conversion = nodeFromValue(value, kMaxDepth - path.size() - 1);
        if (!conversion.ok) {
            result.refused = true;
            result.problem = std::move(conversion.problem);
            return result;
        }
        Pending p{key, 0, false, std::move(conversion.node)};
        p.isIndex = isCanonicalIndex(key, &p.index);
        pending.push_back(std::move(p));
    }
    // Indexes in numeric order first, so {"0", "1", ..., "10"} under a missing node builds a list.
    std::stable_sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
        if (a.isIndex != b.isIndex) return a.isIndex;
        return a.isIndex && a.index < b.index;
    });
    Path childPath = path;
    childPath.emplace_back();
    for (auto& p : pending) {
        childPath.back() = p.key;
        apply(childPath, std::move(p.node), result.effects);
    }
    mergeKindChanges(result.effects.kindChanges);
    return result;
}

}  // namespace services::tree
