#include "services/tree/observer_index.h"

namespace services::tree {

void ObserverIndex::add(Id id, const std::string& path) {
    byPath_[path].insert(id);
    pathOf_[id] = path;
}

void ObserverIndex::remove(Id id) {
    auto it = pathOf_.find(id);
    if (it == pathOf_.end()) return;
    auto entry = byPath_.find(it->second);
    if (entry != byPath_.end()) {
        entry->second.erase(id);
        if (entry->second.empty()) byPath_.erase(entry);
    }
    pathOf_.erase(it);
}

std::vector<ObserverIndex::Id> ObserverIndex::affected(const Tree& tree, const WriteEffects& effects) const {
    std::set<Id> found;
    if (byPath_.empty()) return {};
    for (const auto& replacement : effects.replaced) {
        // At or above the written node.
        std::string prefix;
        for (std::size_t depth = 0;; ++depth) {
            if (auto it = byPath_.find(prefix); it != byPath_.end()) found.insert(it->second.begin(), it->second.end());
            if (depth == replacement.segments.size()) break;
            if (depth > 0) prefix += '/';
            prefix += replacement.segments[depth];
        }

        // Below it: every path that starts with "<path>/" ("/" + 1 is "0"), or every non-root
        // path when the root was written.
        const bool atRoot = replacement.segments.empty();
        auto begin = atRoot ? byPath_.upper_bound(std::string()) : byPath_.lower_bound(replacement.path + '/');
        auto end = atRoot ? byPath_.end() : byPath_.lower_bound(replacement.path + '0');
        for (auto it = begin; it != end; ++it) {
            const std::string_view below = std::string_view(it->first).substr(atRoot ? 0 : replacement.path.size() + 1);
            auto relative = parsePath(below);
            if (!relative) continue;
            const Node* before = replacement.before.get();
            for (const auto& key : *relative) {
                if (!before) break;
                before = before->child(key);
            }
            Path full = replacement.segments;
            full.insert(full.end(), relative->begin(), relative->end());
            if (!sameValue(before, tree.find(full))) found.insert(it->second.begin(), it->second.end());
        }
    }
    return {found.begin(), found.end()};
}

}  // namespace services::tree
