#include "scripture/unicode_whitespace.h"

#include <cstddef>
#include <optional>

namespace scripture {
namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// Strict UTF-8 decoding of the sequence starting at text[0]; nothing for a malformed one.
std::optional<Decoded> decodeFirst(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return Decoded{lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) { length = 2; value = lead & 0x1F; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; value = lead & 0x0F; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; value = lead & 0x07; minimum = 0x10000; }
    else return std::nullopt;
    if (text.size() < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return Decoded{value, length};
}

// The code point that ends `text`, found by stepping back over continuation bytes.
std::optional<Decoded> decodeLast(std::string_view text) {
    const std::size_t limit = text.size() < 4 ? text.size() : 4;
    for (std::size_t length = 1; length <= limit; ++length) {
        const auto byte = static_cast<unsigned char>(text[text.size() - length]);
        if ((byte & 0xC0) == 0x80) continue;
        auto decoded = decodeFirst(text.substr(text.size() - length));
        if (decoded && decoded->length == length) return decoded;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

bool isWhitespaceOrNewline(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

std::string_view trimWhitespaceAndNewlines(std::string_view text) {
    while (auto first = decodeFirst(text)) {
        if (!isWhitespaceOrNewline(first->codePoint)) break;
        text.remove_prefix(first->length);
    }
    while (auto last = decodeLast(text)) {
        if (!isWhitespaceOrNewline(last->codePoint)) break;
        text.remove_suffix(last->length);
    }
    return text;
}

}  // namespace scripture
