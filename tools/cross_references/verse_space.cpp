#include "tools/cross_references/verse_space.h"

namespace crossrefs {

bool VerseSpace::add(VerseLocation location) {
    if (location.book < 1 || location.book > 66 || location.chapter < 1 || location.verse < 1) return false;
    if (!verses_.empty()) {
        const VerseLocation& last = verses_.back();
        if (location.book < last.book) return false;
    }
    auto& chapters = books_[static_cast<size_t>(location.book)];
    // Chapters and verses must continue the numbering without gaps, as the reader counts
    // verses by their position in the chapter.
    if (location.chapter == static_cast<int>(chapters.size()) + 1) {
        if (location.verse != 1) return false;
        chapters.push_back({size(), 0});
    } else if (location.chapter != static_cast<int>(chapters.size()) ||
               location.verse != chapters.back().verseCount + 1) {
        return false;
    }
    chapters.back().verseCount++;
    verses_.push_back(location);
    return true;
}

std::optional<int> VerseSpace::indexOf(int book, int chapter, int verse) const {
    if (book < 1 || book > 66) return std::nullopt;
    const auto& chapters = books_[static_cast<size_t>(book)];
    if (chapter < 1 || chapter > static_cast<int>(chapters.size())) return std::nullopt;
    const Chapter& c = chapters[static_cast<size_t>(chapter - 1)];
    if (verse < 1 || verse > c.verseCount) return std::nullopt;
    return c.firstIndex + verse - 1;
}

int VerseSpace::chapterCount(int book) const {
    if (book < 1 || book > 66) return 0;
    return static_cast<int>(books_[static_cast<size_t>(book)].size());
}

int VerseSpace::verseCount(int book, int chapter) const {
    if (chapter < 1 || chapter > chapterCount(book)) return 0;
    return books_[static_cast<size_t>(book)][static_cast<size_t>(chapter - 1)].verseCount;
}

}  // namespace crossrefs
