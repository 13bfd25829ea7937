#pragma once
// Paths of the value tree: "/"-separated keys from the root. A key is any non-empty UTF-8
// text without "/"; the key `""` (two double-quote characters) is as ordinary as any other.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace services::tree {

using Path = std::vector<std::string>;

// Deeper nodes are refused, so that recursion over a tree stays far from the stack's limit.
inline constexpr std::size_t kMaxDepth = 64;

bool isValidUtf8(std::string_view text);
bool isValidKey(std::string_view key);

// "" is the root. A path with an empty segment, invalid UTF-8 or more than kMaxDepth
// segments is refused.
std::optional<Path> parsePath(std::string_view text);
std::string joinPath(const Path& path);

// True for the keys a list can hold: "0" or a decimal number without leading zeros.
bool isCanonicalIndex(std::string_view key, std::size_t* index = nullptr);

}  // namespace services::tree
