// Highlighting verses, the "×" row action that removes a highlight, and copying passages.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using Rows = std::vector<std::string>;
const std::string kMarker = "\"\"";

class HighlightsAndCopy : public ::testing::Test {
protected:
    void SetUp() override {
        h.open();
        s().online = true;
        h.settle();
    }
    BibleViewController& s() { return *h.screen; }
    Value highlightsOfBook(int book) { return h.record("/highlights/" + std::to_string(book)); }

    ReadingHarness h;
};

TEST_F(HighlightsAndCopy, VersesAreStoredAsSortedTextWithBothMarkers) {
    s().selectedVerses = {"11", "2", "6"};
    s().highlightPassage();
    h.settle();
    EXPECT_EQ(highlightsOfBook(1), (Value{{"1", "3,7,12"}, {kMarker, ""}}));
    EXPECT_EQ(highlightsOfBook(66), (Value{{kMarker, ""}}));
    // The chapter is shown again with its highlights read back, and the selection stays.
    EXPECT_EQ(s().highlights, (std::vector{3, 7, 12}));
    EXPECT_EQ(s().selectedVerses, (Rows{"11", "2", "6"}));
    EXPECT_EQ(s().content->selectedRows(), (std::set<int>{2, 6, 11}));
    EXPECT_EQ(s().content->cells()[6]->layer.backgroundColor, s().colorHighlight);
    EXPECT_EQ(s().content->cells()[6]->selectedBackgroundViewColor, s().colorSelected);
    EXPECT_EQ(s().content->cells()[5]->layer.backgroundColor, s().colorClear);
}

TEST_F(HighlightsAndCopy, AHighlightStoredElsewhereShowsOnTheChapterAtOnce) {
    h.write(h.path("/highlights/1/1"), "5");
    h.settle();
    EXPECT_EQ(s().highlights, std::vector<int>{5});
    EXPECT_EQ(s().content->cells()[4]->layer.backgroundColor, s().colorHighlight);
    h.write(h.path("/highlights"), Value());
    h.settle();
    EXPECT_TRUE(s().highlights.empty()) << "clearing every highlight shows the chapter without them";
    EXPECT_EQ(s().content->cells()[4]->layer.backgroundColor, s().colorClear);
}

TEST_F(HighlightsAndCopy, WithNothingSelectedTheCurrentVerseIsHighlighted) {
    s().currentVerse = 4;
    s().highlightPassage();
    h.settle();
    EXPECT_EQ(h.record("/highlights/1/1"), "4");
}

TEST_F(HighlightsAndCopy, HighlightingAgainChangesNothingButStillWrites) {
    h.write(h.path("/highlights/1"), {{"1", "2,5"}});
    s().locate(false);
    h.settle();
    s().selectedVerses = {"1", "4"};
    s().highlightPassage();
    h.settle();
    EXPECT_EQ(s().highlights, (std::vector{2, 5}));
    EXPECT_EQ(highlightsOfBook(1), (Value{{"1", "2,5"}, {kMarker, ""}}));
    EXPECT_EQ(highlightsOfBook(66), (Value{{kMarker, ""}}));
}

TEST_F(HighlightsAndCopy, OtherChaptersOfBookSixtySixStayWhenItsMarkerIsMerged) {
    h.write(h.path("/highlights/66"), {{"22", "21"}});
    s().selectedVerses = {"0"};
    s().highlightPassage();
    h.settle();
    EXPECT_EQ(highlightsOfBook(66), (Value{{"22", "21"}, {kMarker, ""}}));
}

TEST_F(HighlightsAndCopy, RowActionOnlyOnHighlightedRowsInVerseMode) {
    h.write(h.path("/highlights/1"), {{"1", "3"}});
    s().locate(false);
    h.settle();
    auto actions = s().editActionsForRowAt(*s().content, 2);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].title, "×");
    EXPECT_EQ(actions[0].style, platform::RowActionStyle::defaultStyle);
    EXPECT_TRUE(s().editActionsForRowAt(*s().content, 3).empty());
    EXPECT_TRUE(s().editActionsForRowAt(*s().content, 40).empty());
    s().contentMode = "History";
    EXPECT_TRUE(s().editActionsForRowAt(*s().content, 2).empty());
}

TEST_F(HighlightsAndCopy, SwipingAHighlightedRowAndChoosingTheActionRemovesTheHighlight) {
    h.write(h.path("/highlights/1"), {{"1", "3,5"}});
    s().locate(false);
    h.settle();
    platform::TableView& table = *s().content;
    Point row = h.rowCenter(2);
    h.device->drag(row, {row.x - 120, row.y});
    ASSERT_EQ(table.revealedActionsRow(), 2);
    // The revealed actions sit at the row's right end.
    Point action = table.convertToWindow({table.frame.width - 10, row.y - table.frame.y});
    h.device->tap(action);
    h.settle();
    EXPECT_EQ(s().highlights, std::vector{5});
    EXPECT_EQ(h.record("/highlights/1/1"), "5");

    s().removeHighlight(4);
    h.settle();
    // The last highlight gone leaves the empty text, and both markers stay.
    EXPECT_EQ(highlightsOfBook(1), (Value{{"1", ""}, {kMarker, ""}}));
    EXPECT_EQ(highlightsOfBook(66), (Value{{kMarker, ""}}));
}

TEST_F(HighlightsAndCopy, CopyForms) {
    const std::pair<Rows, std::string> cases[] = {
        {{"2"}, "Genesis 1:3\nText of Genesis 1:3."},
        {{"2", "x"}, "Genesis 1:3\nText of Genesis 1:3."},
        {{"10", "9", "1"}, "Genesis 1:2, 10-11\n2. Text of Genesis 1:2.\n10. Text of Genesis 1:10.\n"
                           "11. Text of Genesis 1:11."},
    };
    for (const auto& [selection, text] : cases) {
        s().selectedVerses = selection;
        s().copyPassage();
        EXPECT_EQ(h.device->pasteboard.string(), text) << ::testing::PrintToString(selection);
    }
    // The selection is put in natural order in memory only.
    EXPECT_EQ(s().selectedVerses, (Rows{"1", "9", "10"}));
    EXPECT_TRUE(h.record(userdata::kSelectedVerses).is_null());
}

TEST_F(HighlightsAndCopy, CopyingWithNothingSelectedCopiesTheWholeChapter) {
    s().currentBook = 43;
    s().currentChapter = 3;
    s().locate(false);
    h.settle();
    for (Rows nothing : {Rows{"x"}, Rows{}}) {
        s().selectedVerses = nothing;
        s().copyPassage();
        std::string expected = "John 3";
        for (int v = 1; v <= 6; ++v) expected += "\n" + fixtureVerse(43, 3, v);
        EXPECT_EQ(h.device->pasteboard.string(), expected);
    }
}

TEST_F(HighlightsAndCopy, ALongPressOnTheTextOffersHighlightAndCopyForNow) {
    h.device->tap(h.rowCenter(1));
    h.device->longPress(h.rowCenter(4));
    const platform::AlertController* sheet = h.device->window().currentAlert();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->style, platform::AlertStyle::actionSheet);
    EXPECT_TRUE(h.device->chooseAlertAction("Copy"));
    EXPECT_EQ(h.device->pasteboard.string(), "Genesis 1:2\nText of Genesis 1:2.");

    h.device->longPress(h.rowCenter(4));
    EXPECT_TRUE(h.device->chooseAlertAction("Highlight"));
    h.settle();
    EXPECT_EQ(h.record("/highlights/1/1"), "2");
}

}  // namespace
}  // namespace reading_test
