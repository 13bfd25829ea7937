#include "services/tree/path.h"

#include <limits>

namespace services::tree {

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        char32_t codePoint;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            codePoint = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            codePoint = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            codePoint = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool isValidKey(std::string_view key) {
    return !key.empty() && key.find('/') == std::string_view::npos && isValidUtf8(key);
}

std::optional<Path> parsePath(std::string_view text) {
    Path path;
    if (text.empty()) return path;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = text.find('/', start);
        const std::string_view segment =
            text.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (!isValidKey(segment)) return std::nullopt;
        path.emplace_back(segment);
        if (path.size() > kMaxDepth) return std::nullopt;
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    return path;
}

std::string joinPath(const Path& path) {
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) text += '/';
        text += path[i];
    }
    return text;
}

bool isCanonicalIndex(std::string_view key, std::size_t* index) {
    if (key.empty() || key.size() > 18) return false;
    if (key.size() > 1 && key[0] == '0') return false;
    std::size_t value = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    if (index) *index = value;
    return true;
}

}  // namespace services::tree
