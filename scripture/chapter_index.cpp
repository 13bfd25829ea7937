#include "scripture/chapter_index.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "scripture/catalogue.h"
#include "scripture/chapter_selection.h"

namespace scripture {
namespace {

constexpr bool catalogueNamesAreSeparable() {
    for (std::string_view name : booksOfBible) {
        if (name.find('_') != std::string_view::npos || name.find(':') != std::string_view::npos) return false;
    }
    return true;
}
static_assert(catalogueNamesAreSeparable(), "the index relies on book names without '_' and ':'");

// The int whose std::to_string form is exactly `text`, if there is one.
std::optional<int> canonicalDecimal(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)) != text) return std::nullopt;
    return value;
}

}  // namespace

void ChapterIndex::extend(const std::vector<std::string>& versesInBible) {
    for (; indexedCount_ < versesInBible.size(); ++indexedCount_) {
        const std::string_view entry = versesInBible[indexedCount_];
        const std::size_t underscore = entry.find('_');
        if (underscore == std::string_view::npos) continue;
        const int book = bookNumber(entry.substr(0, underscore));
        if (book == 0) continue;
        const std::size_t colon = entry.find(':', underscore + 1);
        if (colon == std::string_view::npos) continue;
        const auto chapter = canonicalDecimal(entry.substr(underscore + 1, colon - underscore - 1));
        if (!chapter) continue;
        entriesByChapter_[key(book, *chapter)].push_back(indexedCount_);
    }
}

std::vector<std::string> ChapterIndex::chapterVerses(const std::vector<std::string>& versesInBible, int book,
                                                     int chapter) const {
    std::vector<std::string> verses;
    if (!isValidBook(book)) return verses;
    const auto found = entriesByChapter_.find(key(book, chapter));
    if (found == entriesByChapter_.end()) return verses;

    const std::string prefix = chapterPrefix(book, chapter);
    verses.reserve(found->second.size());
    for (const std::size_t position : found->second) {
        if (position >= versesInBible.size()) continue;
        const std::string_view entry = versesInBible[position];
        if (!entry.starts_with(prefix)) continue;
        const std::string_view rest = entry.substr(prefix.size());
        // The leading prefix is gone; an inner occurrence is rare, so look before copying.
        if (rest.find(prefix) == std::string_view::npos) {
            verses.emplace_back(rest);
        } else {
            verses.push_back(removeEveryOccurrence(rest, prefix));
        }
    }
    return verses;
}

}  // namespace scripture
