// Moving by chapter, book, unit and at random, and what every move shows and stores.
#include <gtest/gtest.h>

#include "platform/gestures.h"
#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using platform::ImpactStyle;

struct Place {
    int book, chapter, verse;
    bool operator==(const Place&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Place& p) {
    return os << p.book << "." << p.chapter << "." << p.verse;
}
Place placeOf(const BibleViewController& s) { return {s.currentBook, s.currentChapter, s.currentVerse}; }

class ChapterNavigation : public ::testing::Test {
protected:
    // Puts `place` on screen as a move would, with a selection of two rows.
    BibleViewController& at(Place place) {
        BibleViewController& s = screen();
        s.currentBook = place.book;
        s.currentChapter = place.chapter;
        s.currentVerse = place.verse;
        s.locate(false);
        s.selectedVerses = {"1", "2"};
        h.settle();
        h.pulses().clear();
        return s;
    }
    BibleViewController& screen() {
        if (!h.screen) h.open();
        return *h.screen;
    }
    Place storedPlace() {
        return {h.record(userdata::kCurrentBook).get<int>(), h.record(userdata::kCurrentChapter).get<int>(),
                h.record(userdata::kCurrentVerse).get<int>()};
    }
    void tapView(const char* name) {
        h.device->tap(h.centerOf(name));
        h.settle();
    }

    ReadingHarness h;
};

TEST_F(ChapterNavigation, NextTapAfterGenesisOneShowsGenesisTwoAndStoresIt) {
    BibleViewController& s = at({1, 1, 1});
    tapView("nextButton");
    EXPECT_EQ(placeOf(s), (Place{1, 2, 1}));
    EXPECT_EQ(s.topLabel->text, " Genesis 2:1 ");
    EXPECT_EQ(s.bottomLabel->text, "Verse 1/25");
    EXPECT_EQ(s.content->numberOfRowsInSection(0), 25);
    EXPECT_EQ(h.pulses(), std::vector{ImpactStyle::medium});
    EXPECT_TRUE(s.selectedVerses.empty());
    EXPECT_EQ(storedPlace(), (Place{1, 2, 1}));
    Value history = h.record(userdata::kHistory);
    ASSERT_TRUE(history.is_object());
    EXPECT_EQ(history.size(), 1u);
    EXPECT_EQ(history.begin().value(), "1.2.1");
}

TEST_F(ChapterNavigation, ATapMovesOnceEvenWhenTheFingerWouldHaveBeenLongEnough) {
    BibleViewController& s = at({1, 1, 1});
    tapView("nextButton");
    h.world.advance(2.0);
    h.device->drag({3, 400}, {120, 400});
    h.world.advance(2.0);
    EXPECT_EQ(placeOf(s), (Place{1, 1, 1}));
    EXPECT_EQ(h.pulses(), (std::vector{ImpactStyle::medium, ImpactStyle::medium}));
}

TEST_F(ChapterNavigation, ButtonMovesCrossBookBoundariesWithoutWrapping) {
    struct Case {
        Place from;
        void (BibleViewController::*move)();
        Place to;
    } cases[] = {
        {{2, 1, 7}, &BibleViewController::previousButtonTap, {1, 50, 1}},
        {{1, 50, 3}, &BibleViewController::nextButtonTap, {2, 1, 1}},
        {{1, 7, 3}, &BibleViewController::previousButtonTap, {1, 6, 1}},
        {{1, 1, 4}, &BibleViewController::previousButtonTap, {1, 1, 4}},
        {{66, 22, 2}, &BibleViewController::nextButtonTap, {66, 22, 2}},
    };
    for (const Case& c : cases) {
        BibleViewController& s = at(c.from);
        (s.*c.move)();
        h.settle();
        EXPECT_EQ(placeOf(s), c.to) << "from " << c.from;
        // A move at a bound still gives its pulse, drops the selection and stores the place.
        EXPECT_EQ(h.pulses(), std::vector{ImpactStyle::medium}) << "from " << c.from;
        EXPECT_TRUE(s.selectedVerses.empty());
        EXPECT_EQ(storedPlace(), c.to);
    }
}

TEST_F(ChapterNavigation, LongPressOnPreviousInExodusGoesToGenesisOneOnce) {
    BibleViewController& s = at({2, 5, 3});
    Point button = h.centerOf("previousButton");
    h.device->longPress(button, 1.5);
    h.settle();
    EXPECT_EQ(placeOf(s), (Place{1, 1, 1}));
    EXPECT_EQ(h.pulses(), std::vector{ImpactStyle::heavy});
    EXPECT_EQ(s.topLabel->text, " Genesis 1:1 ");

    // At the first book the press still relocates, pulses and stores.
    h.pulses().clear();
    h.device->longPress(button, 0.8);
    EXPECT_EQ(placeOf(s), (Place{1, 1, 1}));
    EXPECT_EQ(h.pulses(), std::vector{ImpactStyle::heavy});
}

TEST_F(ChapterNavigation, LongPressOnNextGoesToTheNextBooksFirstChapter) {
    BibleViewController& s = at({65, 1, 5});
    h.device->longPress(h.centerOf("nextButton"));
    EXPECT_EQ(placeOf(s), (Place{66, 1, 1}));
    h.device->longPress(h.centerOf("nextButton"));
    EXPECT_EQ(placeOf(s), (Place{66, 1, 1}));
    EXPECT_EQ(storedPlace(), (Place{66, 1, 1}));
}

TEST_F(ChapterNavigation, EdgeSwipesTurnTheChapter) {
    BibleViewController& s = at({1, 3, 1});
    const double middle = 844 / 2.0;
    h.device->drag({3, middle}, {120, middle});
    h.settle();
    EXPECT_EQ(placeOf(s), (Place{1, 2, 1}));
    h.device->drag({387, middle}, {250, middle});
    h.device->drag({387, middle}, {250, middle});
    h.settle();
    EXPECT_EQ(placeOf(s), (Place{1, 4, 1}));
    EXPECT_EQ(h.pulses(), (std::vector{ImpactStyle::medium, ImpactStyle::medium, ImpactStyle::medium}));
}

TEST_F(ChapterNavigation, UnitStepsFollowTheBottomBarMode) {
    struct Case {
        std::string mode;
        Place from;
        bool forward;
        Place to;
        std::vector<ImpactStyle> pulse;
        bool selectionKept;
    } cases[] = {
        {"Verse", {1, 2, 4}, true, {1, 2, 5}, {ImpactStyle::light}, true},
        {"Verse", {1, 2, 25}, true, {1, 2, 25}, {ImpactStyle::light}, true},  // never leaves the chapter
        {"Verse", {1, 2, 1}, false, {1, 2, 1}, {ImpactStyle::light}, true},
        {"Chapter", {2, 1, 3}, false, {1, 50, 1}, {ImpactStyle::medium}, false},
        {"Chapter", {1, 1, 3}, false, {1, 1, 3}, {ImpactStyle::medium}, false},
        {"Book", {1, 30, 2}, true, {2, 1, 1}, {ImpactStyle::heavy}, false},
        {"Book", {1, 30, 2}, false, {1, 30, 2}, {ImpactStyle::heavy}, false},
        {"Book", {66, 3, 2}, true, {66, 3, 2}, {ImpactStyle::heavy}, false},
        {"Pages", {1, 2, 4}, true, {1, 2, 4}, {}, true},
    };
    for (const Case& c : cases) {
        BibleViewController& s = at(c.from);
        s.bottomNavigationMode = c.mode;
        if (c.forward)
            s.nextChapter();
        else
            s.previousChapter();
        h.settle();
        EXPECT_EQ(placeOf(s), c.to) << c.mode << " from " << c.from;
        EXPECT_EQ(h.pulses(), c.pulse) << c.mode << " from " << c.from;
        EXPECT_EQ(s.selectedVerses.size(), c.selectionKept ? 2u : 0u) << c.mode << " from " << c.from;
        EXPECT_EQ(storedPlace(), c.to);
    }
}

TEST_F(ChapterNavigation, BottomBarEndButtonsStepInTheUnit) {
    BibleViewController& s = at({1, 2, 4});
    tapView("right");
    EXPECT_EQ(placeOf(s), (Place{1, 2, 5}));
    s.bottomNavigationMode = "Chapter";
    tapView("left");
    EXPECT_EQ(placeOf(s), (Place{1, 1, 1}));
    EXPECT_EQ(s.bottomLabel->text, "Chapter 1/50");
}

TEST_F(ChapterNavigation, BottomLabelCountsInTheUnit) {
    BibleViewController& s = at({1, 3, 2});
    const std::pair<const char*, const char*> cases[] = {
        {"Verse", "Verse 2/6"}, {"Chapter", "Chapter 3/50"}, {"Book", "Book 1/66"}, {"", " 0/0"}};
    for (auto [mode, label] : cases) {
        s.bottomNavigationMode = mode;
        s.locate(false);
        h.settle();
        EXPECT_EQ(s.bottomLabel->text, label);
    }
}

TEST_F(ChapterNavigation, MovesDoNothingWhileAListIsShown) {
    BibleViewController& s = at({1, 3, 2});
    s.contentMode = "Books";
    s.previousButtonTap();
    s.nextButtonTap();
    s.nextChapter();
    h.device->longPress(h.centerOf("nextButton"));
    EXPECT_EQ(placeOf(s), (Place{1, 3, 2}));
    EXPECT_EQ(s.contentMode, "Books");
    EXPECT_TRUE(h.pulses().empty());
}

TEST_F(ChapterNavigation, RandomMovesLandInsideTheText) {
    BibleViewController& s = at({1, 1, 1});
    // The random source is clamped into each range asked for: extremes land on the bounds.
    h.device->random.queued = {1000, 1000, 1000};
    tapView("random");
    EXPECT_EQ(placeOf(s), (Place{66, 22, 6}));
    EXPECT_EQ(h.pulses(), std::vector{ImpactStyle::heavy});
    EXPECT_EQ(s.topLabel->text, " Revelation 22:6 ");
    EXPECT_EQ(storedPlace(), (Place{66, 22, 6}));

    h.device->random.queued = {-5, -5, -5};
    h.device->shake();
    EXPECT_EQ(placeOf(s), (Place{1, 1, 1}));

    for (int i = 0; i < 200; ++i) {
        s.goToRandomVerse();
        ASSERT_TRUE(scripture::isValidChapter(s.currentBook, s.currentChapter)) << placeOf(s);
        ASSERT_GE(s.currentVerse, 1);
        ASSERT_LE(s.currentVerse, static_cast<int>(s.versesInCurrentChapter.size()));
        ASSERT_TRUE(s.selectedVerses.empty());
    }
}

TEST_F(ChapterNavigation, TheCurrentVerseIsScrolledToTheTop) {
    BibleViewController& s = at({1, 1, 10});
    EXPECT_EQ(s.content->contentOffset().y, s.content->rectForRow(9).y);
    EXPECT_GT(s.content->contentOffset().y, 0);
    at({1, 1, 1});
    EXPECT_EQ(s.content->contentOffset().y, 0);
}

TEST_F(ChapterNavigation, OnlineTheChapterWaitsForItsHighlights) {
    BibleViewController& s = at({1, 1, 1});
    h.write(h.path("/highlights/1"), {{"2", "3,x,7"}, {"\"\"", ""}});
    s.online = true;
    s.nextButtonTap();
    // The place is set and stored at once; the chapter follows the answer.
    EXPECT_EQ(placeOf(s), (Place{1, 2, 1}));
    EXPECT_EQ(s.topLabel->text, " Genesis 1:1 ");
    h.settle();
    EXPECT_EQ(s.topLabel->text, " Genesis 2:1 ");
    EXPECT_EQ(s.highlights, (std::vector{3, 7}));
}

TEST_F(ChapterNavigation, HighlightValuesOfEveryShapeAreReadSafely) {
    BibleViewController& s = at({1, 2, 1});
    s.online = true;
    const std::pair<Value, std::vector<int>> cases[] = {
        {Value(), {}},
        {Value("3,7"), {}},                            // not a map
        {Value{{"2", 5}}, {}},                          // chapter entry not text
        {Value{{"3", "1,2"}}, {}},                      // another chapter only
        {Value{{"2", ""}, {"\"\"", ""}}, {}},
        {Value{{"2", "3,x,7"}}, {3, 7}},
        {Value{{"2", ",5,,0,-1,+4,999999999999,12 "}}, {5, 0, 4}},
    };
    for (const auto& [stored, expected] : cases) {
        h.write(h.path("/highlights/1"), stored);
        s.locate(false);
        h.settle();
        EXPECT_EQ(s.highlights, expected) << stored.dump();
        EXPECT_EQ(s.content->numberOfRowsInSection(0), 25);
    }
}

}  // namespace
}  // namespace reading_test
