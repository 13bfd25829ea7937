#include "scripture/chapter_selection.h"

#include "scripture/catalogue.h"

namespace scripture {

std::string removeEveryOccurrence(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, from)) {
        result.append(text, from, at - from);
        from = at + pattern.size();
    }
    result.append(text, from, std::string_view::npos);
    return result;
}

std::vector<std::string> chapterVersesByScan(const std::vector<std::string>& versesInBible, int book, int chapter) {
    std::vector<std::string> verses;
    if (!isValidBook(book)) return verses;
    const std::string prefix = chapterPrefix(book, chapter);
    for (const std::string& entry : versesInBible) {
        if (entry.starts_with(prefix)) verses.push_back(removeEveryOccurrence(entry, prefix));
    }
    return verses;
}

}  // namespace scripture
