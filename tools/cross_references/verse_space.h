#pragma once
// The verses the application's text holds, numbered densely in canonical order so that the
// scoring can use plain arrays. Book numbers are canon positions 1-66.

#include <optional>
#include <vector>

namespace crossrefs {

struct VerseLocation {
    int book = 0;
    int chapter = 0;
    int verse = 0;
};

class VerseSpace {
public:
    // Verses must arrive in canonical order; a book, chapter or verse that goes backwards is
    // rejected (returns false) so that a damaged module cannot scramble the numbering.
    bool add(VerseLocation location);

    // Dense index of a verse, or nullopt when the text has no such verse.
    std::optional<int> indexOf(int book, int chapter, int verse) const;
    VerseLocation at(int index) const { return verses_[static_cast<size_t>(index)]; }
    int size() const { return static_cast<int>(verses_.size()); }

    // Number of chapters that book has in the text (0 for a book it lacks or a bad number).
    int chapterCount(int book) const;
    int verseCount(int book, int chapter) const;

private:
    struct Chapter {
        int firstIndex = 0;
        int verseCount = 0;
    };
    std::vector<VerseLocation> verses_;
    std::vector<std::vector<Chapter>> books_ = std::vector<std::vector<Chapter>>(67);
};

}  // namespace crossrefs
