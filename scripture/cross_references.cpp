#include "scripture/cross_references.h"

#include <utf8.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>

#include "scripture/catalogue.h"

namespace scripture {

namespace {

// An integer as the reading screen has always read one: an optional sign, then decimal
// digits only (leading zeros allowed), and a value that fits.
std::optional<std::int64_t> readInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') return std::nullopt;
    }
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
    return value;
}

// The field of `text` that starts at `begin` and ends before the next `separator`.
std::string_view fieldFrom(std::string_view text, std::size_t begin, char separator, std::size_t& next) {
    const std::size_t stop = text.find(separator, begin);
    next = stop == std::string_view::npos ? std::string_view::npos : stop + 1;
    return text.substr(begin, stop == std::string_view::npos ? std::string_view::npos : stop - begin);
}

// A data line's target and score; nullopt for a line that has no defined meaning.
std::optional<CrossReference> parseReferenceLine(std::string_view line) {
    std::size_t next = 0;
    fieldFrom(line, 0, ',', next);  // the source, already matched
    if (next == std::string_view::npos) return std::nullopt;
    const std::string_view target = fieldFrom(line, next, ',', next);
    if (next == std::string_view::npos) return std::nullopt;
    const std::string_view scoreText = fieldFrom(line, next, ',', next);

    std::int64_t parts[3];
    std::size_t partStart = 0;
    for (int i = 0; i < 3; ++i) {
        if (partStart == std::string_view::npos) return std::nullopt;  // fewer than three parts
        const auto part = readInteger(fieldFrom(target, partStart, '.', partStart));
        if (!part) return std::nullopt;
        parts[i] = *part;
    }
    const auto score = readInteger(scoreText);
    if (!score) return std::nullopt;

    if (parts[0] < 1 || parts[0] > kBookCount) return std::nullopt;
    const int book = static_cast<int>(parts[0]);
    if (parts[1] < 1 || parts[1] > chapterCount(book)) return std::nullopt;
    if (parts[2] < 1 || parts[2] > std::numeric_limits<int>::max()) return std::nullopt;
    const int chapter = static_cast<int>(parts[1]);
    const int verse = static_cast<int>(parts[2]);
    return CrossReference{*score, book, chapter, verse, referenceTitle(book, chapter, verse)};
}

// The key a line starts with, "book.chapter.verse,", when it is exactly what listing would
// build for some int triple: plain decimal, no leading zeros, no "+" and no "-0". Lines that
// start otherwise can match no key, so they stay out of the index.
std::optional<int> readKeyNumber(std::string_view line, std::size_t& pos, char terminator) {
    const std::size_t begin = pos;
    std::size_t digits = pos;
    if (digits < line.size() && line[digits] == '-') ++digits;
    std::size_t end = digits;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    if (end == digits || end >= line.size() || line[end] != terminator) return std::nullopt;
    if (line[digits] == '0' && (end - digits > 1 || digits != begin)) return std::nullopt;
    int value = 0;
    const auto [stop, error] = std::from_chars(line.data() + begin, line.data() + end, value);
    if (error != std::errc() || stop != line.data() + end) return std::nullopt;
    pos = end + 1;
    return value;
}

std::string listingKey(int book, int chapter, int verse) {
    return std::to_string(book) + '.' + std::to_string(chapter) + '.' + std::to_string(verse) + ',';
}

// Best score first; equal scores keep the order of the lines in the file.
void orderByScore(std::vector<CrossReference>& references) {
    std::stable_sort(references.begin(), references.end(),
                     [](const CrossReference& a, const CrossReference& b) { return a.score > b.score; });
}

bool isValidUtf8(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        // Most of the resource is ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ull) break;
            p += 8;
        }
        while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
        // A multi-byte sequence is made of bytes >= 0x80 only, so each run of them must be
        // valid on its own.
        const char* run = p;
        while (p < end && static_cast<unsigned char>(*p) >= 0x80) ++p;
        if (run != p && !utf8::is_valid(run, p)) return false;
    }
    return true;
}

}  // namespace

std::size_t CrossReferenceTable::SourceKeyHash::operator()(const SourceKey& key) const {
    std::uint64_t x = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.book)) << 40) ^
                      (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.chapter)) << 20) ^
                      static_cast<std::uint32_t>(key.verse);
    x ^= x >> 31;
    x *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(x ^ (x >> 29));
}

CrossReferenceTable CrossReferenceTable::fromText(std::string text) {
    CrossReferenceTable table;
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) return table;
    table.text_ = std::move(text);
    table.splitLines();
    table.buildIndex();
    return table;
}

std::string_view CrossReferenceTable::line(std::size_t i) const {
    if (i >= lines_.size()) return {};
    return std::string_view(text_).substr(lines_[i].offset, lines_[i].length);
}

void CrossReferenceTable::splitLines() {
    // Bytes that may start a line break: LF, VT, FF, CR, and the lead bytes of NEL (C2 85)
    // and of LS and PS (E2 80 A8, E2 80 A9). The text is valid UTF-8, so C2 85 is always NEL.
    static constexpr auto mayBreak = [] {
        std::array<bool, 256> table{};
        for (int b : {0x0A, 0x0B, 0x0C, 0x0D, 0xC2, 0xE2}) table[static_cast<std::size_t>(b)] = true;
        return table;
    }();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
    const std::size_t size = text_.size();
    lines_.reserve(size / 16);
    std::size_t start = 0;
    auto endLine = [&](std::size_t stop, std::size_t breakLength) {
        if (stop > start)
            lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(stop - start)});
        start = stop + breakLength;
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (!mayBreak[bytes[i]]) continue;
        const unsigned char b = bytes[i];
        if (b <= 0x0D) {
            endLine(i, 1);
        } else if (b == 0xC2 && i + 1 < size && bytes[i + 1] == 0x85) {
            endLine(i, 2);
            i += 1;
        } else if (b == 0xE2 && i + 2 < size && bytes[i + 1] == 0x80 &&
                   (bytes[i + 2] == 0xA8 || bytes[i + 2] == 0xA9)) {
            endLine(i, 3);
            i += 2;
        }
    }
    endLine(size, 0);
}

void CrossReferenceTable::buildIndex() {
    // Pass one: the source of every line, as a group number; lines of one source are
    // usually adjacent, so most lines reuse the previous line's group without hashing.
    constexpr std::uint32_t kNoGroup = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> groupOfLine(lines_.size(), kNoGroup);
    std::vector<std::uint32_t> groupSize;
    std::optional<SourceKey> previous;
    std::uint32_t previousGroup = kNoGroup;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = line(i);
        std::size_t pos = 0;
        const auto book = readKeyNumber(text, pos, '.');
        const auto chapter = book ? readKeyNumber(text, pos, '.') : std::nullopt;
        const auto verse = chapter ? readKeyNumber(text, pos, ',') : std::nullopt;
        if (!verse) continue;
        const SourceKey key{*book, *chapter, *verse};
        if (!previous || !(*previous == key)) {
            const auto [found, added] = groupOfSource_.try_emplace(key, static_cast<std::uint32_t>(groupSize.size()));
            if (added) groupSize.push_back(0);
            previous = key;
            previousGroup = found->second;
        }
        groupOfLine[i] = previousGroup;
        ++groupSize[previousGroup];
    }
    // Pass two: place the line numbers group by group, keeping file order inside a group.
    groupStart_.assign(groupSize.size() + 1, 0);
    for (std::size_t g = 0; g < groupSize.size(); ++g) groupStart_[g + 1] = groupStart_[g] + groupSize[g];
    indexedLines_.resize(groupStart_.back());
    std::vector<std::uint32_t> fill(groupStart_.begin(), groupStart_.end() - 1);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (groupOfLine[i] != kNoGroup) indexedLines_[fill[groupOfLine[i]]++] = static_cast<std::uint32_t>(i);
}

std::vector<CrossReference> CrossReferenceTable::listReferences(int book, int chapter, int verse) const {
    const std::string key = listingKey(book, chapter, verse);
    std::vector<CrossReference> found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = line(i);
        if (!text.starts_with(key)) continue;
        if (auto reference = parseReferenceLine(text)) found.push_back(std::move(*reference));
    }
    orderByScore(found);
    return found;
}

std::vector<CrossReference> CrossReferenceTable::referencesOf(int book, int chapter, int verse) const {
    std::vector<CrossReference> found;
    const auto group = groupOfSource_.find(SourceKey{book, chapter, verse});
    if (group == groupOfSource_.end()) return found;
    const std::uint32_t begin = groupStart_[group->second];
    const std::uint32_t end = groupStart_[group->second + 1];
    found.reserve(end - begin);
    for (std::uint32_t i = begin; i < end; ++i)
        if (auto reference = parseReferenceLine(line(indexedLines_[i]))) found.push_back(std::move(*reference));
    orderByScore(found);
    return found;
}

CrossReferenceLoad parseCrossReferences(std::string bytes) {
    if (!isValidUtf8(bytes)) return {{}, CrossReferenceLoadStatus::notUtf8};
    static constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (std::string_view(bytes).starts_with(byteOrderMark)) bytes.erase(0, byteOrderMark.size());
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return {{}, CrossReferenceLoadStatus::unreadable};
    return {CrossReferenceTable::fromText(std::move(bytes)), CrossReferenceLoadStatus::loaded};
}

CrossReferenceLoad loadCrossReferences(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return {{}, CrossReferenceLoadStatus::missingFile};
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > std::numeric_limits<std::uint32_t>::max()) return {{}, CrossReferenceLoadStatus::unreadable};
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size)))
        return {{}, CrossReferenceLoadStatus::unreadable};
    return parseCrossReferences(std::move(bytes));
}

}  // namespace scripture
