#pragma once
// User defaults kept in memory: a fresh device in tests and in the scenario driver.
#include <map>
#include <string>
#include <variant>

#include "platform/device.h"

namespace platform::headless {

class MemoryUserDefaults final : public UserDefaults {
public:
    bool boolForKey(const std::string& key) const override {
        auto it = values_.find(key);
        if (it == values_.end()) return false;
        auto* b = std::get_if<bool>(&it->second);
        return b && *b;
    }
    void setBool(const std::string& key, bool value) override { values_[key] = value; }
    std::optional<std::string> stringForKey(const std::string& key) const override {
        auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        if (auto* s = std::get_if<std::string>(&it->second)) return *s;
        return std::nullopt;
    }
    void setString(const std::string& key, const std::string& value) override { values_[key] = value; }
    void removeKey(const std::string& key) override { values_.erase(key); }

private:
    std::map<std::string, std::variant<bool, std::string>> values_;
};

}  // namespace platform::headless
