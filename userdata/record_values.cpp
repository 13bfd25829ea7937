#include "userdata/record_values.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace userdata {

std::optional<int> wholeNumberValue(const Value& v) {
    if (v.is_number_integer()) {
        if (v.is_number_unsigned()) {
            auto u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
            return static_cast<int>(u);
        }
        auto i = v.get<std::int64_t>();
        if (i < std::numeric_limits<int>::min() || i > std::numeric_limits<int>::max()) return std::nullopt;
        return static_cast<int>(i);
    }
    if (v.is_number_float()) {
        double d = v.get<double>();
        if (!std::isfinite(d) || std::trunc(d) != d) return std::nullopt;
        if (d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max()) return std::nullopt;
        return static_cast<int>(d);
    }
    return std::nullopt;
}

std::optional<double> numberValue(const Value& v) {
    if (!v.is_number()) return std::nullopt;
    return v.get<double>();
}

std::optional<std::string> textValue(const Value& v) {
    if (!v.is_string()) return std::nullopt;
    return v.get<std::string>();
}

std::optional<bool> flagValue(const Value& v) {
    if (!v.is_boolean()) return std::nullopt;
    return v.get<bool>();
}

std::optional<std::vector<std::string>> textListValue(const Value& v) {
    if (!v.is_array()) return std::nullopt;
    std::vector<std::string> out;
    out.reserve(v.size());
    for (const Value& element : v) {
        if (!element.is_string()) return std::nullopt;
        out.push_back(element.get<std::string>());
    }
    return out;
}

bool isKeyedMap(const Value& v) { return v.is_object(); }

const Value& child(const Value& map, const std::string& key) {
    static const Value missing;
    if (!map.is_object()) return missing;
    auto it = map.find(key);
    return it == map.end() ? missing : *it;
}

std::optional<int> parseWholeNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    bool plus = first != last && *first == '+';
    if (plus) ++first;
    // A sign must be followed by digits: "+" or "-" alone, and "+-1", are not numbers.
    if (first == last || (plus && (*first < '0' || *first > '9'))) return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

bool readFlag(const Value& record, const std::string& key, bool fallback) {
    return flagValue(child(record, key)).value_or(fallback);
}

int readWholeNumber(const Value& record, const std::string& key, int fallback) {
    return wholeNumberValue(child(record, key)).value_or(fallback);
}

double readNumber(const Value& record, const std::string& key, double fallback) {
    return numberValue(child(record, key)).value_or(fallback);
}

std::string readText(const Value& record, const std::string& key, const std::string& fallback) {
    return textValue(child(record, key)).value_or(fallback);
}

std::vector<std::string> readTextList(const Value& record, const std::string& key,
                                      const std::vector<std::string>& fallback) {
    return textListValue(child(record, key)).value_or(fallback);
}

}  // namespace userdata
