#include "tools/cross_references/sword_references.h"

#include <sword/listkey.h>
#include <sword/versificationmgr.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>

namespace crossrefs {

int canonBookNumber(const char* osisBookName) {
    // The KJV versification holds exactly the 66 books, in canonical order.
    static const sword::VersificationMgr::System* kjv =
        sword::VersificationMgr::getSystemVersificationMgr()->getVersificationSystem("KJV");
    if (!kjv || !osisBookName) return 0;
    const int number = kjv->getBookNumberByOSISName(osisBookName);
    return number >= 1 && number <= 66 ? number : 0;
}

std::optional<int> verseOf(const VerseSpace& space, const sword::VerseKey& key) {
    return space.indexOf(canonBookNumber(key.getOSISBookName()), key.getChapter(), key.getVerse());
}

namespace {

// The part of book/chapter/verse..book/chapter/verse that exists in the text; references
// ending past the last verse of a chapter are cut at it.
std::optional<Passage> clampPassage(const VerseSpace& space, int book, int chapter, int firstVerse, int lastVerse) {
    const int available = space.verseCount(book, chapter);
    if (available == 0 || firstVerse < 1 || firstVerse > available) return std::nullopt;
    lastVerse = std::min(std::max(lastVerse, firstVerse), available);
    auto first = space.indexOf(book, chapter, firstVerse);
    auto last = space.indexOf(book, chapter, lastVerse);
    if (!first || !last) return std::nullopt;
    return Passage{*first, *last};
}

}  // namespace

std::vector<Passage> parsePassages(const VerseSpace& space, const std::string& text, const sword::VerseKey& context) {
    std::vector<Passage> passages;
    sword::VerseKey parser;
    parser.setVersificationSystem("KJV");
    sword::ListKey list = parser.parseVerseList(text.c_str(), context.getText(), true);
    for (int i = 0; i < list.getCount(); ++i) {
        const auto* key = dynamic_cast<const sword::VerseKey*>(list.getElement(i));
        if (!key) continue;
        const sword::VerseKey& lower = key->isBoundSet() ? key->getLowerBound() : *key;
        const sword::VerseKey& upper = key->isBoundSet() ? key->getUpperBound() : *key;
        const int book = canonBookNumber(lower.getOSISBookName());
        // A passage running across chapters is kept up to the end of its first chapter.
        const bool sameChapter =
            canonBookNumber(upper.getOSISBookName()) == book && upper.getChapter() == lower.getChapter();
        const int lastVerse = sameChapter ? upper.getVerse() : space.verseCount(book, lower.getChapter());
        if (auto p = clampPassage(space, book, lower.getChapter(), lower.getVerse(), lastVerse)) passages.push_back(*p);
    }
    return passages;
}

namespace {

struct OsisPoint {
    int book = 0;
    int chapter = 0;
    int verse = 0;  // 0: the whole chapter
};

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

std::optional<OsisPoint> parseOsisPoint(std::string_view text) {
    const size_t firstDot = text.find('.');
    if (firstDot == std::string_view::npos) return std::nullopt;
    OsisPoint point;
    point.book = canonBookNumber(std::string(text.substr(0, firstDot)).c_str());
    if (point.book == 0) return std::nullopt;
    std::string_view rest = text.substr(firstDot + 1);
    const size_t secondDot = rest.find('.');
    auto chapter = parseNumber(rest.substr(0, secondDot));
    if (!chapter) return std::nullopt;
    point.chapter = *chapter;
    if (secondDot != std::string_view::npos) {
        auto verse = parseNumber(rest.substr(secondDot + 1));
        if (!verse) return std::nullopt;
        point.verse = *verse;
    }
    return point;
}

}  // namespace

std::vector<Passage> parseOsisPassages(const VerseSpace& space, const std::string& osisRef) {
    std::vector<Passage> passages;
    std::istringstream tokens(osisRef);
    std::string token;
    while (tokens >> token) {
        const size_t dash = token.find('-');
        auto from = parseOsisPoint(std::string_view(token).substr(0, dash));
        if (!from) continue;
        OsisPoint to = *from;
        if (dash != std::string::npos) {
            auto end = parseOsisPoint(std::string_view(token).substr(dash + 1));
            if (!end) continue;
            to = *end;
        }
        const int firstVerse = from->verse == 0 ? 1 : from->verse;
        int lastVerse;
        if (to.book == from->book && to.chapter == from->chapter)
            lastVerse = to.verse == 0 ? space.verseCount(from->book, from->chapter) : to.verse;
        else
            lastVerse = space.verseCount(from->book, from->chapter);
        if (auto p = clampPassage(space, from->book, from->chapter, firstVerse, lastVerse)) passages.push_back(*p);
    }
    return passages;
}

}  // namespace crossrefs
