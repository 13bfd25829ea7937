// Highlighting verses of the chapter on screen, removing a highlight with the "×" row action,
// storing a chapter's highlights, and copying a passage with its reference.
#include <algorithm>

#include "reading/bible_view_controller.h"
#include "userdata/record_paths.h"
#include "userdata/record_values.h"

namespace reading {

namespace {

// The selection's row indexes that name a verse of the chapter, in list order. Entries that
// are not numbers or lie beyond the chapter (a damaged record) are skipped.
std::vector<int> selectedRowsInChapter(const std::vector<std::string>& selectedVerses, std::size_t verseCount) {
    std::vector<int> rows;
    for (const std::string& entry : selectedVerses) {
        if (entry == "x") continue;
        auto row = userdata::parseWholeNumber(entry);
        if (row && *row >= 0 && static_cast<std::size_t>(*row) < verseCount) rows.push_back(*row);
    }
    return rows;
}

// Natural order: row numbers by value ("2" before "10"), anything else after them.
bool naturalLess(const std::string& a, const std::string& b) {
    auto x = userdata::parseWholeNumber(a), y = userdata::parseWholeNumber(b);
    if (x && y) return *x < *y;
    if (x || y) return x.has_value();
    return a < b;
}

bool contains(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

}  // namespace

void BibleViewController::highlightPassage() {
    for (int row : selectedRowsInChapter(selectedVerses, versesInCurrentChapter.size()))
        if (!contains(highlights, row + 1)) highlights.push_back(row + 1);
    if (selectedVerses == std::vector<std::string>{"x"} && !contains(highlights, currentVerse))
        highlights.push_back(currentVerse);
    storeHighlights();
    locate(false);
    setSelection();
}

void BibleViewController::removeHighlight(int row) {
    std::erase(highlights, row + 1);
    storeHighlights();
    setSelection();
}

void BibleViewController::storeHighlights() {
    std::sort(highlights.begin(), highlights.end());
    std::string text;
    for (int verse : highlights) {
        if (!text.empty()) text += ",";
        text += std::to_string(verse);
    }
    if (!canWriteRecord()) return;
    ref.child(userdata::highlightsOfChapter(uid, currentBook, currentChapter)).setValue(text);
    ref.child(userdata::highlightMarkerOfBook(uid, currentBook)).setValue("");
    ref.child(userdata::highlightsOfBook(uid, userdata::kMarkerBook))
        .updateChildValues({{userdata::kHighlightMarker, ""}});
}

void BibleViewController::copyPassage() {
    const std::string heading = scripture::chapterTitle(currentBook, currentChapter);
    const std::vector<int> rows = selectedRowsInChapter(selectedVerses, versesInCurrentChapter.size());
    std::string passage;
    if (rows.size() == 1) {
        std::string verse = versesInCurrentChapter[rows.front()];
        if (auto stop = verse.find(". "); stop != std::string::npos) verse.replace(stop, 2, "\n");
        passage = heading + ":" + verse;
    } else if (rows.empty()) {
        passage = heading;
        for (const std::string& verse : versesInCurrentChapter) passage += "\n" + verse;
    } else {
        passage = heading + ":" + selectedReference();
        std::stable_sort(selectedVerses.begin(), selectedVerses.end(), naturalLess);
        for (int row : selectedRowsInChapter(selectedVerses, versesInCurrentChapter.size()))
            passage += "\n" + versesInCurrentChapter[row];
    }
    env().pasteboard.setString(passage);
}

}  // namespace reading
