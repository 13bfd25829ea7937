#include "services/tree/node.h"

#include <cmath>
#include <limits>

#include "services/tree/path.h"

namespace services::tree {

Node::Ptr Node::makeScalar(Value value) {
    Ptr node(new Node(NodeKind::scalar));
    node->scalar_ = std::move(value);
    return node;
}

Node::Ptr Node::makeMap() { return Ptr(new Node(NodeKind::map)); }
Node::Ptr Node::makeList() { return Ptr(new Node(NodeKind::list)); }

std::size_t Node::childCount() const {
    switch (kind_) {
        case NodeKind::map: return map_.size();
        case NodeKind::list: return list_.size();
        case NodeKind::scalar: return 0;
    }
    return 0;
}

const Node* Node::child(std::string_view key) const { return const_cast<Node*>(this)->child(key); }

Node* Node::child(std::string_view key) {
    if (kind_ == NodeKind::map) {
        auto it = map_.find(key);
        return it == map_.end() ? nullptr : it->second.get();
    }
    if (kind_ == NodeKind::list) {
        std::size_t index = 0;
        if (!isCanonicalIndex(key, &index) || index >= list_.size()) return nullptr;
        return list_[index].get();
    }
    return nullptr;
}

void Node::count(const Node* child, int direction) {
    if (child && !child->isText()) nonTextChildren_ += direction;
}

Node::Ptr Node::putChild(std::string_view key, Ptr node) {
    if (kind_ == NodeKind::list) {
        std::size_t index = 0;
        if (!isCanonicalIndex(key, &index) || index > list_.size()) convertListToMap();
    }
    count(node.get(), +1);
    Ptr former;
    if (kind_ == NodeKind::map) {
        auto it = map_.find(key);
        if (it == map_.end()) {
            map_.emplace(std::string(key), std::move(node));
        } else {
            former = std::exchange(it->second, std::move(node));
        }
    } else if (kind_ == NodeKind::list) {
        std::size_t index = 0;
        isCanonicalIndex(key, &index);
        if (index < list_.size()) {
            former = std::exchange(list_[index], std::move(node));
        } else {
            list_.push_back(std::move(node));
        }
    }
    count(former.get(), -1);
    return former;
}

Node::Ptr Node::takeChild(std::string_view key) {
    Ptr former;
    if (kind_ == NodeKind::map) {
        auto it = map_.find(key);
        if (it != map_.end()) {
            former = std::move(it->second);
            map_.erase(it);
        }
    } else if (kind_ == NodeKind::list) {
        std::size_t index = 0;
        if (!isCanonicalIndex(key, &index) || index >= list_.size()) return nullptr;
        if (index + 1 < list_.size()) {
            convertListToMap();
            return takeChild(key);
        }
        former = std::move(list_.back());
        list_.pop_back();
    }
    count(former.get(), -1);
    return former;
}

void Node::convertListToMap() {
    if (kind_ != NodeKind::list) return;
    for (std::size_t i = 0; i < list_.size(); ++i) map_.emplace(std::to_string(i), std::move(list_[i]));
    list_.clear();
    kind_ = NodeKind::map;
}

bool Node::convertMapToList() {
    if (kind_ != NodeKind::map) return false;
    // Keys are unique, so n canonical indexes all below n are exactly 0..n-1.
    ListElements elements(map_.size());
    for (auto& [key, child] : map_) {
        std::size_t index = 0;
        if (!isCanonicalIndex(key, &index) || index >= elements.size()) return false;
    }
    for (auto& [key, child] : map_) {
        std::size_t index = 0;
        isCanonicalIndex(key, &index);
        elements[index] = std::move(child);
    }
    map_.clear();
    list_ = std::move(elements);
    kind_ = NodeKind::list;
    return true;
}

void Node::forEachChild(const std::function<void(const std::string&, const Node&)>& visit) const {
    if (kind_ == NodeKind::map) {
        for (const auto& [key, child] : map_) visit(key, *child);
    } else if (kind_ == NodeKind::list) {
        for (std::size_t i = 0; i < list_.size(); ++i) visit(std::to_string(i), *list_[i]);
    }
}

Value Node::toValue() const {
    switch (kind_) {
        case NodeKind::scalar: return scalar_;
        case NodeKind::list: {
            Value out = Value::array();
            auto& array = out.get_ref<platform::ValueList&>();
            array.reserve(list_.size());
            for (const auto& element : list_) array.push_back(element->toValue());
            return out;
        }
        case NodeKind::map: {
            Value out = Value::object();
            auto& object = out.get_ref<platform::ValueMap&>();
            for (const auto& [key, child] : map_) object.emplace_hint(object.end(), key, child->toValue());
            return out;
        }
    }
    return {};
}

namespace {

enum class NumberClass { none, whole, floating };

NumberClass numberClass(const Value& v) {
    if (v.is_number_float()) return NumberClass::floating;
    if (v.is_number_integer()) return NumberClass::whole;  // signed and unsigned alike
    return NumberClass::none;
}

bool sameScalar(const Value& a, const Value& b) {
    if (a.type() == b.type()) return a == b;
    const NumberClass ca = numberClass(a);
    return ca == NumberClass::whole && ca == numberClass(b) && a == b;
}

}  // namespace

bool sameValue(const Node* a, const Node* b) {
    if (a == b) return true;
    if (!a || !b || a->kind() != b->kind()) return false;
    switch (a->kind()) {
        case NodeKind::scalar: return sameScalar(a->scalarValue(), b->scalarValue());
        case NodeKind::list: {
            const auto& x = a->listElements();
            const auto& y = b->listElements();
            if (x.size() != y.size()) return false;
            for (std::size_t i = 0; i < x.size(); ++i)
                if (!sameValue(x[i].get(), y[i].get())) return false;
            return true;
        }
        case NodeKind::map: {
            const auto& x = a->mapChildren();
            const auto& y = b->mapChildren();
            if (x.size() != y.size()) return false;
            for (auto i = x.begin(), j = y.begin(); i != x.end(); ++i, ++j)
                if (i->first != j->first || !sameValue(i->second.get(), j->second.get())) return false;
            return true;
        }
    }
    return false;
}

Value normalizedScalar(const Value& value) {
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return Value(static_cast<std::int64_t>(u));
    }
    return value;
}

namespace {

Conversion refuse(std::string problem) { return {false, nullptr, std::move(problem)}; }

Conversion convert(const Value& value, std::size_t depthBudget) {
    switch (value.type()) {
        case Value::value_t::null: return {true, nullptr, {}};
        case Value::value_t::boolean:
        case Value::value_t::number_integer:
        case Value::value_t::number_unsigned: return {true, Node::makeScalar(normalizedScalar(value)), {}};
        case Value::value_t::number_float:
            if (!std::isfinite(value.get<double>())) return refuse("a number that is not finite");
            return {true, Node::makeScalar(value), {}};
        case Value::value_t::string:
            if (!isValidUtf8(value.get_ref<const std::string&>())) return refuse("text that is not UTF-8");
            return {true, Node::makeScalar(value), {}};
        case Value::value_t::object: {
            if (value.empty()) return {true, nullptr, {}};
            if (depthBudget == 0) return refuse("nesting deeper than the tree allows");
            auto map = Node::makeMap();
            for (const auto& [key, child] : value.items()) {
                if (!isValidKey(key)) return refuse("the key \"" + key + "\", which is empty, holds \"/\" or is not UTF-8");
                Conversion c = convert(child, depthBudget - 1);
                if (!c.ok) return c;
                if (c.node) map->putChild(key, std::move(c.node));
            }
            if (map->childCount() == 0) return {true, nullptr, {}};
            return {true, std::move(map), {}};
        }
        case Value::value_t::array: {
            if (value.empty()) return {true, nullptr, {}};
            if (depthBudget == 0) return refuse("nesting deeper than the tree allows");
            std::vector<Node::Ptr> elements;
            elements.reserve(value.size());
            bool gap = false;
            for (const auto& element : value) {
                Conversion c = convert(element, depthBudget - 1);
                if (!c.ok) return c;
                elements.push_back(std::move(c.node));
            }
            while (!elements.empty() && !elements.back()) elements.pop_back();
            for (const auto& e : elements) gap = gap || !e;
            if (elements.empty()) return {true, nullptr, {}};
            auto node = gap ? Node::makeMap() : Node::makeList();
            for (std::size_t i = 0; i < elements.size(); ++i)
                if (elements[i]) node->putChild(std::to_string(i), std::move(elements[i]));
            return {true, std::move(node), {}};
        }
        case Value::value_t::binary:
        case Value::value_t::discarded: return refuse("a binary value");
    }
    return refuse("an unknown kind of value");
}

}  // namespace

Conversion nodeFromValue(const Value& value, std::size_t depthBudget) { return convert(value, depthBudget); }

}  // namespace services::tree
