// Values that only a damaged record could bring: each gets the outcome described in
// docs/DAMAGED_RECORDS.md, and nothing is read outside a table.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using Rows = std::vector<std::string>;

class DamagedRecords : public ::testing::Test {
protected:
    void SetUp() override { h.open(); }
    BibleViewController& s() { return *h.screen; }
    ReadingHarness h;
};

TEST_F(DamagedRecords, APlaceOutsideTheCatalogueIsBroughtIntoItWhenShown) {
    struct Case {
        std::array<int, 3> given, shown;
    } cases[] = {
        {{0, 1, 1}, {1, 1, 1}},         {{67, 3, 3}, {1, 1, 1}},    {{-5, -5, -5}, {1, 1, 1}},
        {{1, 99, 4}, {1, 50, 4}},       {{1, 0, 5}, {1, 1, 5}},     {{1, 2, 999}, {1, 2, 25}},
        {{1, 2, 0}, {1, 2, 1}},         {{19, 151, 2}, {19, 150, 2}},
    };
    for (bool online : {false, true}) {
        s().online = online;
        for (const Case& c : cases) {
            s().currentBook = c.given[0];
            s().currentChapter = c.given[1];
            s().currentVerse = c.given[2];
            s().locate(false);
            h.settle();
            EXPECT_EQ((std::array{s().currentBook, s().currentChapter, s().currentVerse}), c.shown)
                << c.given[0] << "." << c.given[1] << "." << c.given[2];
            EXPECT_EQ(s().topLabel->text, " " + scripture::referenceTitle(c.shown[0], c.shown[1], c.shown[2]) + " ");
            EXPECT_GT(s().content->numberOfRowsInSection(0), 0);
        }
    }
}

TEST_F(DamagedRecords, MovesFromAPlaceOutsideTheCatalogueStayInsideIt) {
    using Move = void (BibleViewController::*)();
    for (Move move : {&BibleViewController::nextButtonTap, &BibleViewController::previousButtonTap}) {
        for (int book : {0, 67, -1000, 1000}) {
            s().currentBook = book;
            s().currentChapter = 500;
            (s().*move)();
            EXPECT_TRUE(scripture::isValidChapter(s().currentBook, s().currentChapter)) << book;
        }
    }
    s().bottomNavigationMode = "Chapter";
    s().currentBook = 99;
    s().nextChapter();
    EXPECT_TRUE(scripture::isValidBook(s().currentBook));
    s().contentMode = "Books";
    s().currentBook = 0;
    EXPECT_EQ(s().cellForRowAt(*s().content, 70).textLabel.text, "");
}

TEST_F(DamagedRecords, SelectionEntriesThatAreNotRowsOfTheChapterAreSkipped) {
    s().selectedVerses = {"a", "-1", "3", "31", "999", "", "2.5", "x", "99999999999"};
    s().setSelection();
    EXPECT_EQ(s().content->selectedRows(), std::set<int>{3});
    EXPECT_EQ(s().selectedReference(), "4");

    s().copyPassage();
    EXPECT_EQ(h.device->pasteboard.string(), "Genesis 1:4\nText of Genesis 1:4.");

    s().highlightPassage();
    h.settle();
    EXPECT_EQ(h.record("/highlights/1/1"), "4");

    // Only junk: nothing that names a verse, so the whole chapter is copied.
    s().selectedVerses = {"seven", "40"};
    s().copyPassage();
    EXPECT_EQ(h.device->pasteboard.string().rfind("Genesis 1\n1. Text of Genesis 1:1.", 0), 0u);
}

TEST_F(DamagedRecords, HighlightNumbersOutsideTheChapterAreHarmless) {
    s().highlights = {0, -3, 999, 2};
    s().content->reloadData();
    EXPECT_EQ(s().content->cells()[1]->layer.backgroundColor, s().colorHighlight);
    s().storeHighlights();
    h.settle();
    EXPECT_EQ(h.record("/highlights/1/1"), "-3,0,2,999");
    s().removeHighlight(998);
    EXPECT_EQ(s().highlights, (std::vector{-3, 0, 2}));
}

TEST_F(DamagedRecords, AChapterMissingFromTheTextShowsNoRowsAndDrawsVerseOne) {
    s().versesInBible.clear();
    s().goToRandomVerse();
    h.settle();
    EXPECT_EQ(s().currentVerse, 1);
    EXPECT_EQ(s().content->numberOfRowsInSection(0), 0);
    s().bottomNavigationMode = "Verse";
    s().nextChapter();
    s().copyPassage();
    EXPECT_EQ(h.device->pasteboard.string(), scripture::chapterTitle(s().currentBook, s().currentChapter));
}

}  // namespace
}  // namespace reading_test
