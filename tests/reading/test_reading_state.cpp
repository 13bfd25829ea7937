// The reading screen's state at construction, its small shared operations, its views and
// what its start-up puts on screen.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using platform::Color;
using platform::ImpactStyle;

TEST(ReadingScreenState, StartsWithTheDefaultsOfAFreshScreen) {
    ReadingHarness h;
    BibleViewController s(h.device->env());

    EXPECT_EQ(s.selectedVerses, std::vector<std::string>{"x"});
    EXPECT_EQ(s.contentMode, "Verses");
    EXPECT_EQ(s.bottomNavigationMode, "Verse");
    EXPECT_EQ(s.currentPage, "bible");
    EXPECT_EQ((std::array{s.currentBook, s.currentChapter, s.currentVerse}), (std::array{1, 1, 1}));
    EXPECT_EQ((std::array{s.formerBook, s.formerChapter, s.bookFormer, s.chapterFormer, s.verseFormer}),
              (std::array{1, 1, 1, 1, 1}));
    EXPECT_EQ(s.currentFontFamily, "Poppins-Regular");
    EXPECT_EQ(s.currentFontSize, 18.0);
    EXPECT_TRUE(s.touchesEnded);
    EXPECT_EQ(s.touchesBeganX, 0.5);
    EXPECT_EQ(s.touchesBeganTime, h.world.clock.now());
    EXPECT_FALSE(s.online || s.night || s.chapterHasRendered || s.shouldClearSelection || s.fullscreenIsActive);
    EXPECT_EQ(s.parsedBook, "0.");
    EXPECT_EQ(s.parsedChapter, "0.");
    EXPECT_TRUE(s.uid.empty());
    EXPECT_TRUE(s.versesInBible.empty() && s.highlights.empty() && s.historyTitles.empty());
    EXPECT_FALSE(s.feedbackGenerator);
    EXPECT_EQ(s.content, nullptr);
    EXPECT_EQ(s.delegate, nullptr);
    EXPECT_TRUE(s.ref.isValid());
    EXPECT_EQ(s.booksOfBible.size(), 66u);
    EXPECT_EQ(s.numberOfChaptersInBooksOfBible[18], 150);

    EXPECT_EQ(s.colorLightGray, Color::rgba(0.85, 0.85, 0.85, 1));
    EXPECT_EQ(s.colorDarkGray, Color::rgba(0.15, 0.15, 0.15, 1));
    EXPECT_EQ(s.colorSelected, Color::rgba(0.5, 0.5, 0.5, 0.5));
    EXPECT_EQ(s.colorHighlight, Color::rgba(0, 0.25, 1, 0.25));
    EXPECT_EQ(s.colorClear.alpha, 0);
}

TEST(ReadingScreenState, PulsesFireAndTheLastGeneratorIsKept) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    h.pulses().clear();
    s.heavyFeedback();
    s.lightFeedback();
    s.mediumFeedback();
    EXPECT_EQ(h.pulses(), (std::vector{ImpactStyle::heavy, ImpactStyle::light, ImpactStyle::medium}));
    ASSERT_TRUE(s.feedbackGenerator);
    EXPECT_EQ(s.feedbackGenerator->style, ImpactStyle::medium);
    EXPECT_TRUE(s.feedbackGenerator->prepared);
}

TEST(ReadingScreenState, AlertHasTitleBangAndOneOkButtonThatOnlyCloses) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    s.alert("Something went wrong");
    const platform::AlertController* shown = h.device->window().currentAlert();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->title, "!");
    EXPECT_EQ(shown->message, "Something went wrong");
    EXPECT_EQ(shown->style, platform::AlertStyle::alert);
    ASSERT_EQ(shown->actions.size(), 1u);
    EXPECT_EQ(shown->actions[0].title, "OK");
    EXPECT_EQ(shown->actions[0].style, platform::AlertActionStyle::defaultStyle);
    EXPECT_TRUE(h.device->chooseAlertAction("OK"));
    EXPECT_EQ(h.device->window().currentAlert(), nullptr);
}

TEST(ReadingScreenState, ScreenSizeIsTheWindowsBounds) {
    ReadingHarness h({.screen = {800, 600}});
    BibleViewController& s = h.open();
    EXPECT_EQ(s.screenWidth, 800);
    EXPECT_EQ(s.screenHeight, 600);
}

TEST(ReadingScreenViews, EveryViewExistsUnderItsPropertyName) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    const std::pair<const char*, platform::View*> views[] = {
        {"statusBar", s.statusBar}, {"mainBackground", s.mainBackground},
        {"displayBackground", s.displayBackground}, {"displayContainer", s.displayContainer},
        {"menuBackground", s.menuBackground}, {"menuProfile", s.menuProfile}, {"menuSettings", s.menuSettings},
        {"menuVersions", s.menuVersions}, {"menuHistory", s.menuHistory},
        {"menuViewHighlights", s.menuViewHighlights}, {"menuReferences", s.menuReferences},
        {"menuAudio", s.menuAudio}, {"menuHighlight", s.menuHighlight}, {"menuCopy", s.menuCopy},
        {"fullscreenBackground", s.fullscreenBackground}, {"content", s.content},
        {"nightModeImage", s.nightModeImage}, {"randomImage", s.randomImage}, {"leftImage", s.leftImage},
        {"rightImage", s.rightImage}, {"menuProfileImage", s.menuProfileImage},
        {"menuSettingsImage", s.menuSettingsImage}, {"menuVersionsImage", s.menuVersionsImage},
        {"menuHistoryImage", s.menuHistoryImage}, {"menuViewHighlightsImage", s.menuViewHighlightsImage},
        {"menuReferencesImage", s.menuReferencesImage}, {"menuAudioImage", s.menuAudioImage},
        {"menuHighlightImage", s.menuHighlightImage}, {"menuCopyImage", s.menuCopyImage},
        {"nightMode", s.nightMode}, {"random", s.random}, {"left", s.left}, {"right", s.right},
        {"previousButton", s.previousButton}, {"nextButton", s.nextButton}, {"topLabel", s.topLabel},
        {"bottomLabel", s.bottomLabel}, {"previousBookLabel", s.previousBookLabel},
        {"currentBookLabel", s.currentBookLabel}, {"nextBookLabel", s.nextBookLabel},
        {"previousChapterLabel", s.previousChapterLabel}, {"currentChapterLabel", s.currentChapterLabel},
        {"nextChapterLabel", s.nextChapterLabel}, {"menuProfileLabel", s.menuProfileLabel},
        {"menuSettingsLabel", s.menuSettingsLabel}, {"menuVersionsLabel", s.menuVersionsLabel},
        {"menuHistoryLabel", s.menuHistoryLabel}, {"menuViewHighlightsLabel", s.menuViewHighlightsLabel},
        {"menuReferencesLabel", s.menuReferencesLabel}, {"menuAudioLabel", s.menuAudioLabel},
        {"menuHighlightLabel", s.menuHighlightLabel}, {"menuCopyLabel", s.menuCopyLabel},
        {"fullscreenTitle", s.fullscreenTitle}, {"fullscreenText", s.fullscreenText},
    };
    EXPECT_EQ(std::size(views), 54u);
    for (auto [name, view] : views) {
        ASSERT_NE(view, nullptr) << name;
        EXPECT_EQ(view->name, name);
        EXPECT_EQ(h.device->findView(name), view) << name;
    }
    // The overlays start invisible, so they take no touches.
    for (platform::View* overlay : {s.displayBackground, s.menuBackground, s.fullscreenBackground})
        EXPECT_FALSE(overlay->acceptsHits()) << overlay->name;
    EXPECT_EQ(s.menuCopyLabel->text, "Copy");
    EXPECT_EQ(s.leftImage->imageName, "left");
    EXPECT_EQ(s.menuHighlightImage->imageName, "highlighter");
}

TEST(ReadingScreenViews, LayoutFollowsTheWindowWhenItIsResized) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    const double top = s.content->frame.y;
    EXPECT_EQ(s.topLabel->frame.maxY() <= top, true);
    EXPECT_EQ(s.previousButton->frame.maxX(), s.content->frame.x);
    EXPECT_EQ(s.nextButton->frame.x, s.content->frame.maxX());
    EXPECT_LE(s.content->frame.maxY(), s.bottomLabel->frame.y);

    h.device->window().resize({1000, 700});
    h.settle();
    EXPECT_EQ(s.view()->frame.width, 1000);
    EXPECT_EQ(s.nextButton->frame.maxX(), 1000);
    EXPECT_EQ(s.random->frame.maxX(), 1000 - 4);
    EXPECT_EQ(s.content->frame.width, 1000 - 2 * s.previousButton->frame.width);
    EXPECT_LT(s.bottomLabel->frame.maxY(), 700);
    EXPECT_EQ(s.menuCopy->frame.x, 2 * 1000 / 3.0);
}

TEST(ReadingScreenStartup, ShowsGenesisOneAtOnceAndNamesTheReadingScreenInTheRecord) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    EXPECT_EQ(s.uid, h.uid);
    EXPECT_EQ(s.topLabel->text, " Genesis 1:1 ");
    EXPECT_EQ(s.bottomLabel->text, "Verse 1/31");
    EXPECT_EQ(s.content->numberOfRowsInSection(0), 31);
    EXPECT_EQ(s.content->cells()[0]->textLabel.text, "1. Text of Genesis 1:1.");
    EXPECT_TRUE(s.chapterHasRendered);
    EXPECT_EQ(s.parsedBook, "Revelation");
    EXPECT_EQ(s.parsedChapter, "22");
    ASSERT_EQ(s.crossReferences.size(), 2u);
    EXPECT_EQ(s.crossReferences.line(1), "1.1.1,58.11.3,7");
    EXPECT_EQ(s.content->dataSource, &s);
    EXPECT_EQ(s.content->delegate, &s);
    EXPECT_FALSE(s.content->separatorLinesVisible);
    EXPECT_TRUE(s.content->allowsMultipleSelection);
    EXPECT_TRUE(s.bottomLabel->userInteractionEnabled);
    EXPECT_TRUE(s.canBecomeFirstResponder());
    EXPECT_EQ(h.record(userdata::kCurrentPage), "bible");
}

TEST(ReadingScreenStartup, WithoutAUserNothingIsWrittenAndTheScreenStillWorks) {
    ReadingHarness h({.signedIn = false});
    BibleViewController& s = h.open();
    EXPECT_TRUE(s.uid.empty());
    h.device->tap(h.centerOf("nextButton"));
    EXPECT_EQ(s.topLabel->text, " Genesis 2:1 ");
    EXPECT_TRUE(h.read("users").is_null());
}

TEST(ReadingScreenConnection, TheStatusBarShowsWhileTheDatabaseIsNotConnected) {
    ReadingHarness h;
    BibleViewController& s = h.open();
    EXPECT_TRUE(s.online) << "the embedded store is open";
    EXPECT_EQ(s.statusBar->alpha, 0);

    ReadingHarness offline;
    auto disconnected = services::embedded::EmbeddedServices::inMemory();
    auto client = disconnected->makeDatabaseClient(offline.world.mainQueue);
    offline.device->env().database = client.get();
    BibleViewController& o = offline.open();
    EXPECT_FALSE(o.online);
    EXPECT_EQ(o.statusBar->alpha, 1);
    EXPECT_EQ(o.topLabel->text, " Genesis 1:1 ") << "the chapter is shown without waiting";
    offline.device.reset();  // the screen goes before the client it observes
}

TEST(ReadingScreenStartup, AMissingTextResourceIsReportedAndLeavesAnEmptyChapter) {
    ReadingHarness h;
    std::filesystem::remove(h.dir.path() / "resources" / "web.xml");
    BibleViewController& s = h.open();
    EXPECT_TRUE(s.versesInBible.empty());
    EXPECT_EQ(s.content->numberOfRowsInSection(0), 0);
    const platform::AlertController* shown = h.device->window().currentAlert();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->title, "!");
}

}  // namespace
}  // namespace reading_test
