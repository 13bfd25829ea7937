// The one table of the reading screen: the chapter's verses or one of the four lists (books,
// cross references, history, highlights), chosen by contentMode. Rows asked for beyond a list
// (lists of unequal length, a list emptied while rows are shown) are empty and lead nowhere.
#include <algorithm>

#include "reading/bible_view_controller.h"

namespace reading {

namespace {

template <class T>
const T* at(const std::vector<T>& list, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < list.size() ? &list[row] : nullptr;
}

// The list that a list mode shows, with the places its rows lead to.
struct PlaceList {
    const std::vector<std::string>* titles = nullptr;
    const std::vector<int>* books = nullptr;
    const std::vector<int>* chapters = nullptr;
    const std::vector<int>* verses = nullptr;
};

PlaceList placeListFor(const BibleViewController& s) {
    if (s.contentMode == "Cross References")
        return {&s.referencesTitles, &s.referencesBooks, &s.referencesChapters, &s.referencesVerses};
    if (s.contentMode == "History") return {&s.historyTitles, &s.historyBooks, &s.historyChapters, &s.historyVerses};
    if (s.contentMode == "Highlights")
        return {&s.highlightsTitles, &s.highlightsBooks, &s.highlightsChapters, &s.highlightsVerses};
    return {};
}

bool isListMode(const std::string& mode) {
    return mode == "Books" || mode == "Cross References" || mode == "History" || mode == "Highlights";
}

}  // namespace

int BibleViewController::numberOfRowsInSection(platform::TableView&, int) {
    if (contentMode == "Verses") return static_cast<int>(versesInCurrentChapter.size());
    if (contentMode == "Books") return static_cast<int>(booksOfBible.size());
    if (const PlaceList list = placeListFor(*this); list.titles) return static_cast<int>(list.titles->size());
    return 0;
}

platform::TableCell& BibleViewController::cellForRowAt(platform::TableView& table, int row) {
    platform::TableCell& cell = table.dequeueReusableCell("cell", row);
    cell.textLabel.font = {currentFontFamily, currentFontSize};

    // Cells are reused, so every property is set on every configuration: the plain
    // background first, the highlight laid over it afterwards (the layer's colour is drawn
    // over the cell's own, and stays clear on a row without highlight).
    const Color background = night ? colorBlack : colorWhite;
    Color selectedBackground = night ? colorDarkGray : colorLightGray;
    cell.textLabel.textColor = night ? colorWhite : colorBlack;
    cell.backgroundViewColor = background;
    cell.backgroundColor = background;
    cell.layer.backgroundColor = colorClear;
    table.backgroundViewColor = background;
    table.backgroundColor = background;

    cell.layer.masksToBounds = true;
    cell.layer.cornerRadius = 17;
    cell.layer.borderWidth = 2;
    cell.layer.shadowOffset = {-1, 1};

    if (contentMode == "Verses") {
        cell.layer.borderColor = currentVerse == row + 1 ? colorGray : background;
        if (std::find(highlights.begin(), highlights.end(), row + 1) != highlights.end()) {
            cell.layer.backgroundColor = colorHighlight;
            selectedBackground = colorSelected;
        }
        const std::string* verse = at(versesInCurrentChapter, row);
        cell.textLabel.text = verse ? *verse : std::string{};
    } else if (isListMode(contentMode)) {
        if (contentMode == "Books") {
            cell.textLabel.text = row >= 0 && row < scripture::kBookCount ? std::string(booksOfBible[row]) : "";
        } else {
            const std::string* title = at(*placeListFor(*this).titles, row);
            cell.textLabel.text = title ? *title : std::string{};
        }
        cell.layer.borderColor = colorClear;
        selectedBackground = colorClear;
    } else {
        cell.textLabel.text.clear();
    }

    cell.textLabel.textAlignment =
        contentMode == "Verses" ? platform::TextAlignment::left : platform::TextAlignment::center;
    cell.selectedBackgroundViewColor = selectedBackground;
    cell.textLabel.numberOfLines = 0;
    return cell;
}

void BibleViewController::didSelectRowAt(platform::TableView&, int row) {
    if (contentMode == "Verses") {
        rowSelected(row);
        return;
    }
    mediumFeedback();
    if (contentMode == "Books") {
        if (row >= 0 && row < scripture::kBookCount) goToPlace(row + 1, 1, 1);
        return;
    }
    if (const PlaceList list = placeListFor(*this); list.titles) {
        const int *book = at(*list.books, row), *chapter = at(*list.chapters, row), *verse = at(*list.verses, row);
        if (book && chapter && verse) goToPlace(*book, *chapter, *verse);
    }
}

void BibleViewController::didDeselectRowAt(platform::TableView&, int row) {
    if (contentMode == "Verses")
        rowDeselected(row);
    else
        mediumFeedback();
}

std::vector<platform::RowAction> BibleViewController::editActionsForRowAt(platform::TableView&, int row) {
    if (contentMode != "Verses" || std::find(highlights.begin(), highlights.end(), row + 1) == highlights.end())
        return {};
    return {platform::RowAction{platform::RowActionStyle::defaultStyle, "×",
                                whileAlive([this](int actionRow) { removeHighlight(actionRow); })}};
}

void BibleViewController::goToPlace(int book, int chapter, int verse) {
    currentBook = book;
    currentChapter = chapter;
    currentVerse = verse;
    storeLocation();
    locate(false);
}

// Pulling past either end: the arrow on that side dims beyond twice the font size, and
// letting go beyond three times the font size turns the chapter.
namespace {
struct Overscroll {
    double y, bottomLimit;
};
// The bottom limit is where the content's end meets the table's; a chapter shorter than the
// table rests at 0, so only a real pull past its end counts.
Overscroll overscrollOf(const platform::TableView& table) {
    return {table.contentOffset().y, std::max(0.0, table.contentSize().height - table.frame.height)};
}
}  // namespace

void BibleViewController::scrollViewDidScroll(platform::TableView& table) {
    const auto [y, m] = overscrollOf(table);
    const double t = 2 * currentFontSize;
    if (y < -t) {
        if (leftImage) leftImage->alpha = 0.5;
    } else if (y > m + t) {
        if (rightImage) rightImage->alpha = 0.5;
    } else {
        if (leftImage) leftImage->alpha = 1.0;
        if (rightImage) rightImage->alpha = 1.0;
    }
}

void BibleViewController::scrollViewWillEndDragging(platform::TableView& table, platform::Point,
                                                    platform::Point& targetContentOffset) {
    const auto [y, m] = overscrollOf(table);
    const double t = 3 * currentFontSize;
    if (y < -t || y > m + t) {
        if (y < -t)
            previousButtonTap();
        else
            nextButtonTap();
        // The scroll comes to rest where the new chapter was put, not where the pull ended.
        targetContentOffset = table.contentOffset();
    }
    if (leftImage) leftImage->alpha = 1.0;
    if (rightImage) rightImage->alpha = 1.0;
}

}  // namespace reading
