#pragma once
// The reading screen: one chapter of the text as a table of verses, with the moves, the
// selection, highlights and copying around it. The object owns every piece of the screen's
// state as the public fields below; its operations live in one source file per group:
//   bible_view_controller.cpp   construction, screen size, alert, haptic pulses, storeLocation()
//   bible_layout.cpp            the views and their frames (the storyboard's equivalent)
//   reading_startup.cpp         view loaded, appearing, first responder
//   content_table.cpp           the table's data source and delegate
//   chapter_navigation.cpp      moves by chapter, book, unit and at random; locate / goTo
//   verse_selection.cpp         selecting rows, storing and marking the selection
//   highlights_and_copy.cpp     highlighting, the "×" row action, copying a passage
//   connection_state.cpp        checkIfOnline(): the online flag and its indicator
//   passage_sheet.cpp           the interim long-press sheet that reaches highlight and copy
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/database.h"
#include "platform/device.h"
#include "platform/environment.h"
#include "platform/gestures.h"
#include "platform/screen.h"
#include "platform/table_view.h"
#include "platform/view.h"
#include "scripture/catalogue.h"
#include "scripture/chapter_index.h"
#include "scripture/cross_references.h"

namespace reading {

using platform::Color;

class BibleViewControllerDelegate {
public:
    virtual ~BibleViewControllerDelegate() = default;
    // `data`: the storyboard identifier of the screen to show next.
    virtual void presentViewControllerWithIdentifier(const std::string& data) = 0;
};

// The toolkit's impact-feedback generator: made for one style, prepared, then fired.
struct ImpactFeedbackGenerator {
    platform::ImpactStyle style;
    bool prepared = false;
    void prepare() { prepared = true; }
    void impactOccurred(platform::Haptics& haptics) const { haptics.impact(style); }
};

class BibleViewController : public platform::Screen,
                            public platform::TableViewDataSource,
                            public platform::TableViewDelegate {
public:
    explicit BibleViewController(platform::Environment& env);
    ~BibleViewController() override;

    std::string storyboardIdentifier() const override { return "BibleViewController"; }

    // ---- Collaborators ----
    BibleViewControllerDelegate* delegate = nullptr;  // not owned
    platform::DatabaseReference ref;                  // root of the database; invalid without one

    // ---- Views (owned by the root view; null until it loads) ----
    platform::View* statusBar = nullptr;
    platform::View* mainBackground = nullptr;
    platform::View* displayBackground = nullptr;
    platform::View* displayContainer = nullptr;
    platform::View* menuBackground = nullptr;
    platform::View* menuProfile = nullptr;
    platform::View* menuSettings = nullptr;
    platform::View* menuVersions = nullptr;
    platform::View* menuHistory = nullptr;
    platform::View* menuViewHighlights = nullptr;
    platform::View* menuReferences = nullptr;
    platform::View* menuAudio = nullptr;
    platform::View* menuHighlight = nullptr;
    platform::View* menuCopy = nullptr;
    platform::View* fullscreenBackground = nullptr;

    platform::TableView* content = nullptr;

    platform::ImageView* nightModeImage = nullptr;
    platform::ImageView* randomImage = nullptr;
    platform::ImageView* leftImage = nullptr;
    platform::ImageView* rightImage = nullptr;
    platform::ImageView* menuProfileImage = nullptr;
    platform::ImageView* menuSettingsImage = nullptr;
    platform::ImageView* menuVersionsImage = nullptr;
    platform::ImageView* menuHistoryImage = nullptr;
    platform::ImageView* menuViewHighlightsImage = nullptr;
    platform::ImageView* menuReferencesImage = nullptr;
    platform::ImageView* menuAudioImage = nullptr;
    platform::ImageView* menuHighlightImage = nullptr;
    platform::ImageView* menuCopyImage = nullptr;

    platform::Button* nightMode = nullptr;
    platform::Button* random = nullptr;
    platform::Button* left = nullptr;
    platform::Button* right = nullptr;
    platform::Button* previousButton = nullptr;
    platform::Button* nextButton = nullptr;

    platform::Label* topLabel = nullptr;
    platform::Label* bottomLabel = nullptr;
    platform::Label* previousBookLabel = nullptr;
    platform::Label* currentBookLabel = nullptr;
    platform::Label* nextBookLabel = nullptr;
    platform::Label* previousChapterLabel = nullptr;
    platform::Label* currentChapterLabel = nullptr;
    platform::Label* nextChapterLabel = nullptr;
    platform::Label* menuProfileLabel = nullptr;
    platform::Label* menuSettingsLabel = nullptr;
    platform::Label* menuVersionsLabel = nullptr;
    platform::Label* menuHistoryLabel = nullptr;
    platform::Label* menuViewHighlightsLabel = nullptr;
    platform::Label* menuReferencesLabel = nullptr;
    platform::Label* menuAudioLabel = nullptr;
    platform::Label* menuHighlightLabel = nullptr;
    platform::Label* menuCopyLabel = nullptr;
    platform::Label* fullscreenTitle = nullptr;

    platform::TextView* fullscreenText = nullptr;

    // ---- Scripture and lists ----
    // The catalogue is one shared constant table.
    static constexpr const auto& booksOfBible = scripture::booksOfBible;
    static constexpr const auto& booksOfBiblePaths = scripture::booksOfBiblePaths;
    static constexpr const auto& numberOfChaptersInBooksOfBible = scripture::numberOfChaptersInBooksOfBible;

    std::vector<std::string> versesInBible;       // "Genesis_1:1. In the beginning..." in text order
    scripture::CrossReferenceTable crossReferences;  // every non-empty line of the resource, indexed
    std::vector<std::string> selectedVerses{"x"};  // 0-based rows as text, or the sentinel "x"
    std::vector<std::string> versesInCurrentChapter;
    std::vector<int> highlights;                  // verse numbers of the chapter on screen

    std::vector<std::string> historyTitles;
    std::vector<int> historyBooks, historyChapters, historyVerses;
    std::vector<std::string> highlightsTitles;
    std::vector<int> highlightsBooks, highlightsChapters, highlightsVerses;
    std::vector<std::string> referencesTitles;
    std::vector<int> referencesBooks, referencesChapters, referencesVerses;

    // ---- Text state ----
    std::string uid;
    std::string currentPage = "bible";
    std::string currentFontFamily = "Poppins-Regular";
    std::string bottomNavigationMode = "Verse";  // "Verse", "Chapter" or "Book"
    std::string contentMode = "Verses";          // "Verses", "Books", "Cross References", "History", "Highlights"
    std::string element;                         // text parser state, kept after the load
    std::string parsedBook = "0.";
    std::string parsedChapter = "0.";

    // ---- Flags ----
    bool touchesEnded = true;
    bool night = false;
    bool bookFreeze = false;
    bool shouldFreeze = false;
    bool shouldClearSelection = false;
    bool fullscreenIsActive = false;
    bool touchBottomNavigationIsActive = false;
    bool touchBottomNavigationIsMoving = false;
    bool touchTopNavigationIsActive = false;
    bool touchIsCancelled = false;
    bool chapterHasRendered = false;
    bool shouldUseFormerLocation = false;
    bool hapticsDidFire = false;
    bool online = false;

    // ---- Numbers ----
    int currentBook = 1, currentChapter = 1, currentVerse = 1;
    int formerBook = 1, formerChapter = 1;
    int bookFormer = 1, chapterFormer = 1, verseFormer = 1;
    double currentFontSize = 18.0;
    double screenWidth = 0, screenHeight = 0;
    double bottomPadding = 0, topPadding = 0;
    double touchesBeganX = 0.5;
    double touchesBeganTime;  // seconds since 1970; the moment of construction

    // ---- Colours ----
    const Color colorWhite = Color::white();
    const Color colorLightGray = Color::rgba(0.85, 0.85, 0.85, 1);
    const Color colorGray = Color::gray();
    const Color colorDarkGray = Color::rgba(0.15, 0.15, 0.15, 1);
    const Color colorBlack = Color::black();
    const Color colorClear = Color::clear();
    const Color colorSelected = Color::rgba(0.5, 0.5, 0.5, 0.5);
    const Color colorHighlight = Color::rgba(0, 0.25, 1, 0.25);

    // ---- Haptics ----
    std::optional<ImpactFeedbackGenerator> feedbackGenerator;  // the last pulse's generator

    // ---- Basics (bible_view_controller.cpp) ----
    void setScreenSize();
    void alert(const std::string& alertText);
    void lightFeedback();
    void mediumFeedback();
    void heavyFeedback();

    // ---- Start-up and lifecycle (reading_startup.cpp) ----
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    bool canBecomeFirstResponder() const override { return true; }
    // Loads the text resource "web"/"xml" into versesInBible (and the parser state fields).
    void loadBibleText();
    // Loads the cross-reference resource "ref"/"csv" into crossReferences; without it the
    // table stays empty.
    void loadCrossReferences();

    // ---- Layout (bible_layout.cpp) ----
    void loadView() override;
    void viewWillLayoutSubviews() override;
    // Places every view from the root view's bounds and the window's safe area.
    void layoutViews();

    // ---- Content table (content_table.cpp) ----
    int numberOfRowsInSection(platform::TableView& table, int section) override;
    platform::TableCell& cellForRowAt(platform::TableView& table, int row) override;
    void didSelectRowAt(platform::TableView& table, int row) override;
    void didDeselectRowAt(platform::TableView& table, int row) override;
    std::vector<platform::RowAction> editActionsForRowAt(platform::TableView& table, int row) override;
    void scrollViewDidScroll(platform::TableView& table) override;
    void scrollViewWillEndDragging(platform::TableView& table, platform::Point velocity,
                                   platform::Point& targetContentOffset) override;
    // Sets the place, stores it and shows it ("go to b, c, v").
    void goToPlace(int book, int chapter, int verse);

    // ---- Chapter navigation (chapter_navigation.cpp) ----
    void previousButtonTap();
    void nextButtonTap();
    void previousButtonLong(const platform::GestureRecognizer& gesture);
    void nextButtonLong(const platform::GestureRecognizer& gesture);
    void leftScreenEdgeSwiped(const platform::GestureRecognizer& gesture);
    void rightScreenEdgeSwiped(const platform::GestureRecognizer& gesture);
    // One step in the unit of bottomNavigationMode; the sender is ignored.
    void previousChapter(platform::View* sender = nullptr);
    void nextChapter(platform::View* sender = nullptr);
    void goToRandomVerse();
    // The `random(_:)` interface action (the name `random` is the button's).
    void randomAction(platform::View* sender = nullptr);
    void motionEnded(platform::Motion motion) override;
    void locate(bool isRandom);
    void goTo(bool isRandom);

    // ---- Verse selection (verse_selection.cpp) ----
    void rowSelected(int row);
    void rowDeselected(int row);
    void storeSelection();
    void setSelection();
    std::string selectedReference();

    // ---- Highlights and copy (highlights_and_copy.cpp) ----
    void highlightPassage();
    void removeHighlight(int row);  // the "×" row action
    void storeHighlights();
    void copyPassage();

    // ---- Connection state (connection_state.cpp) ----
    // Follows the database client's connection state into `online` and the statusBar strip.
    void checkIfOnline();

    // ---- Interim passage sheet (passage_sheet.cpp) ----
    // Until the touch menu exists, a long press on the text offers Highlight and Copy.
    void contentLongPressed(const platform::GestureRecognizer& gesture);

    // ---- Place storage (bible_view_controller.cpp, with userdata/place_storage) ----
    void storeLocation();

private:
    // Whether record writes can be made: a user is signed in and a database exists.
    bool canWriteRecord() const { return !uid.empty() && ref.isValid(); }
    // Keeps the place inside the catalogue before a chapter is shown.
    void bringPlaceIntoCatalogue();
    // Runs `block` later only while this screen still exists.
    template <class F>
    auto whileAlive(F block) {
        return [alive = std::weak_ptr<int>(alive_), block = std::move(block)](auto&&... args) mutable {
            if (!alive.expired()) block(std::forward<decltype(args)>(args)...);
        };
    }

    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    platform::ObservationHandle connectionObservation_ = 0;
    platform::ObservationHandle highlightsObservation_ = 0;
    scripture::ChapterIndex chapterIndex_;  // over versesInBible, extended as it grows
};

}  // namespace reading
