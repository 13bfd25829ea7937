// The content table: rows per mode, how each row is drawn, where a tap leads, and turning the
// chapter by pulling past either end.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using platform::Color;
using platform::TextAlignment;

class ContentTable : public ::testing::Test {
protected:
    void SetUp() override { h.open(); }
    BibleViewController& s() { return *h.screen; }
    platform::TableView& table() { return *s().content; }
    const platform::TableCell& cell(int row) { return *table().cells().at(row); }
    void show(int book, int chapter, int verse) {
        s().currentBook = book;
        s().currentChapter = chapter;
        s().currentVerse = verse;
        s().locate(false);
        h.settle();
        h.pulses().clear();
    }

    ReadingHarness h;
};

TEST_F(ContentTable, RowCountsFollowTheMode) {
    s().historyTitles = {"Genesis 1:1", "John 3:16"};
    s().highlightsTitles = {"Exodus 3:14"};
    s().referencesTitles = {"A", "B", "C"};
    const std::pair<const char*, int> cases[] = {
        {"Verses", 31}, {"Books", 66}, {"History", 2}, {"Highlights", 1}, {"Cross References", 3}, {"Pages", 0}};
    for (auto [mode, rows] : cases) {
        s().contentMode = mode;
        table().reloadData();
        EXPECT_EQ(table().numberOfRowsInSection(0), rows) << mode;
        if (rows > 0) {
            EXPECT_EQ(cell(0).textLabel.textAlignment,
                      std::string(mode) == "Verses" ? TextAlignment::left : TextAlignment::center)
                << mode;
        }
    }
}

TEST_F(ContentTable, VerseRowsAreStyledForDayAndNight) {
    show(1, 1, 2);
    const platform::TableCell& current = cell(1);
    EXPECT_EQ(current.textLabel.text, "2. Text of Genesis 1:2.");
    EXPECT_EQ(current.textLabel.font, (platform::Font{"Poppins-Regular", 18}));
    EXPECT_EQ(current.textLabel.numberOfLines, 0);
    EXPECT_EQ(current.layer.cornerRadius, 17);
    EXPECT_EQ(current.layer.borderWidth, 2);
    EXPECT_TRUE(current.layer.masksToBounds);
    EXPECT_EQ(current.layer.shadowOffset, (platform::Size{-1, 1}));
    EXPECT_EQ(current.layer.borderColor, s().colorGray);
    EXPECT_EQ(cell(0).layer.borderColor, s().colorWhite);
    EXPECT_EQ(current.textLabel.textColor, s().colorBlack);
    EXPECT_EQ(current.selectedBackgroundViewColor, s().colorLightGray);
    EXPECT_EQ(table().backgroundColor, s().colorWhite);

    s().night = true;
    table().reloadData();
    EXPECT_EQ(cell(0).layer.borderColor, s().colorBlack);
    EXPECT_EQ(cell(1).textLabel.textColor, s().colorWhite);
    EXPECT_EQ(cell(1).backgroundColor, s().colorBlack);
    EXPECT_EQ(cell(1).backgroundViewColor, s().colorBlack);
    EXPECT_EQ(cell(1).selectedBackgroundViewColor, s().colorDarkGray);
    EXPECT_EQ(table().backgroundViewColor, s().colorBlack);
}

TEST_F(ContentTable, NoRowHasTheBorderWhenTheVerseLiesBeyondTheChapter) {
    show(1, 2, 1);
    s().currentVerse = 40;
    table().reloadData();
    for (int row = 0; row < 25; ++row) EXPECT_NE(cell(row).layer.borderColor, s().colorGray) << row;
}

TEST_F(ContentTable, AReusedCellLosesItsHighlight) {
    s().highlights = {3};
    table().reloadData();
    EXPECT_EQ(cell(2).layer.backgroundColor, s().colorHighlight);
    s().highlights.clear();
    table().reloadData();
    EXPECT_EQ(cell(2).layer.backgroundColor, s().colorClear);
    EXPECT_EQ(cell(2).selectedBackgroundViewColor, s().colorLightGray);
}

TEST_F(ContentTable, ListRowsAreCentredWithoutBorderOrSelectionColour) {
    s().contentMode = "Books";
    table().reloadData();
    EXPECT_EQ(cell(0).textLabel.text, "Genesis");
    EXPECT_EQ(cell(65).textLabel.text, "Revelation");
    EXPECT_EQ(cell(0).layer.borderColor, s().colorClear);
    EXPECT_EQ(cell(0).selectedBackgroundViewColor, s().colorClear);
}

TEST_F(ContentTable, TappingABookRowGoesToItsFirstVerse) {
    s().contentMode = "Books";
    table().reloadData();
    table().scrollToRowAtTop(18);
    h.pulses().clear();
    h.device->tap(h.rowCenter(21));
    h.settle();
    EXPECT_EQ(s().contentMode, "Verses");
    EXPECT_EQ((std::array{s().currentBook, s().currentChapter, s().currentVerse}), (std::array{22, 1, 1}));
    EXPECT_EQ(s().topLabel->text, " Song of Solomon 1:1 ");
    EXPECT_EQ(h.pulses(), std::vector{platform::ImpactStyle::medium});
    EXPECT_EQ(h.record(userdata::kCurrentBook), 22);
    EXPECT_EQ(h.record(userdata::kHistory).begin().value(), "22.1.1");
}

TEST_F(ContentTable, ListRowsLeadToTheirPlacesAndRowsBeyondTheListsLeadNowhere) {
    s().historyTitles = {"John 3:5", "Genesis 1:1", "Broken"};
    s().historyBooks = {43, 1};
    s().historyChapters = {3, 1};
    s().historyVerses = {5, 1};
    s().contentMode = "History";
    table().reloadData();
    EXPECT_EQ(cell(2).textLabel.text, "Broken");
    s().didSelectRowAt(table(), 2);
    s().didSelectRowAt(table(), 99);
    EXPECT_EQ(s().contentMode, "History");
    EXPECT_EQ(s().cellForRowAt(table(), 7).textLabel.text, "");

    s().didSelectRowAt(table(), 0);
    h.settle();
    EXPECT_EQ(s().contentMode, "Verses");
    EXPECT_EQ(s().topLabel->text, " John 3:5 ");
    EXPECT_EQ(h.record(userdata::kHistory).begin().value(), "43.3.5");
}

TEST_F(ContentTable, ASecondTapOutsideVersesOnlyPulses) {
    s().contentMode = "Books";
    h.pulses().clear();
    s().didDeselectRowAt(table(), 3);
    EXPECT_EQ(h.pulses(), std::vector{platform::ImpactStyle::medium});
    EXPECT_EQ(s().contentMode, "Books");
}

TEST_F(ContentTable, PullingTheTopDownDimsAtTwiceAndTurnsBeyondThriceTheFontSize) {
    show(1, 3, 1);
    Point start = h.rowCenter(2);
    // 40 points: dimmed while pulled, nothing turns on release.
    h.device->touchDown(start);
    for (int dy = 5; dy <= 40; dy += 5) h.device->touchMove({start.x, start.y + dy});
    EXPECT_EQ(s().leftImage->alpha, 0.5);
    EXPECT_EQ(s().rightImage->alpha, 1.0);
    h.device->touchUp({start.x, start.y + 40});
    h.settle();
    EXPECT_EQ(s().currentChapter, 3);
    EXPECT_EQ(s().leftImage->alpha, 1.0);

    // 60 points: the previous chapter.
    h.device->drag(start, {start.x, start.y + 60});
    h.settle();
    EXPECT_EQ(s().currentChapter, 2);
    EXPECT_EQ(s().topLabel->text, " Genesis 2:1 ");
    EXPECT_EQ(table().contentOffset().y, 0);
    EXPECT_EQ(h.pulses(), std::vector{platform::ImpactStyle::medium});
}

TEST_F(ContentTable, PullingPastTheEndTurnsToTheNextChapterAtItsFirstVerse) {
    show(1, 1, 1);
    platform::TableView& t = table();
    t.setContentOffset({0, t.contentSize().height});  // at the end
    Point start = h.rowCenter(30);
    h.device->drag(start, {start.x, start.y - 70});
    h.settle();
    EXPECT_EQ(s().currentChapter, 2);
    EXPECT_EQ(s().bottomLabel->text, "Verse 1/25");
    EXPECT_EQ(t.contentOffset().y, 0);
}

TEST_F(ContentTable, ShortChaptersDoNotTurnOnASmallPull) {
    show(1, 5, 1);  // six short verses, shorter than the table
    Point start = h.rowCenter(2);
    h.device->drag(start, {start.x, start.y - 30});
    h.device->drag(start, {start.x, start.y + 30});
    h.settle();
    EXPECT_EQ(s().currentChapter, 5);
    h.device->drag(start, {start.x, start.y - 60});
    h.settle();
    EXPECT_EQ(s().currentChapter, 6);
}

TEST_F(ContentTable, OverscrollThresholdsScaleWithTheFontSize) {
    show(1, 3, 1);
    s().currentFontSize = 30;
    Point start = h.rowCenter(1);
    h.device->drag(start, {start.x, start.y + 80});  // beyond 60, short of 90
    h.settle();
    EXPECT_EQ(s().currentChapter, 3);
    h.device->drag(start, {start.x, start.y + 95});
    h.settle();
    EXPECT_EQ(s().currentChapter, 2);
}

}  // namespace
}  // namespace reading_test
