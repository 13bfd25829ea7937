#pragma once
// Which observed nodes a write changed. Observers are registered by path; after a write the
// index answers with every observer whose node's value differs from before: all observers at
// or above a written node (a changed descendant changes them), and those below it whose own
// subtree differs from its former state.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "services/tree/tree.h"

namespace services::tree {

class ObserverIndex {
public:
    using Id = std::uint64_t;

    void add(Id id, const std::string& path);
    void remove(Id id);
    bool contains(Id id) const { return pathOf_.count(id) != 0; }
    std::size_t size() const { return pathOf_.size(); }

    // The observers whose node changed, in ascending id order. `tree` is the state after the write.
    std::vector<Id> affected(const Tree& tree, const WriteEffects& effects) const;

private:
    std::map<std::string, std::set<Id>> byPath_;
    std::unordered_map<Id, std::string> pathOf_;
};

}  // namespace services::tree
