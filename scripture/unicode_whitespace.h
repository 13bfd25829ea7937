// Trimming with the Unicode white-space and newline set: general category Z (Zs, Zl, Zp),
// U+0009 to U+000D and U+0085. Text is UTF-8; bytes that do not decode are kept.
#pragma once

#include <string_view>

namespace scripture {

bool isWhitespaceOrNewline(char32_t codePoint);
std::string_view trimWhitespaceAndNewlines(std::string_view text);

}  // namespace scripture
