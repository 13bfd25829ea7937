// What the reading screen does once its views have loaded, and each time it appears.
#include "platform/gestures.h"
#include "reading/bible_view_controller.h"
#include "scripture/bible_text.h"
#include "userdata/record_paths.h"

namespace reading {

namespace {

std::string signedInUid(const platform::Environment& env) {
    if (!env.auth) return {};
    auto user = env.auth->currentUser();
    return user ? user->uid : std::string{};
}

}  // namespace

void BibleViewController::viewDidLoad() {
    Screen::viewDidLoad();
    uid = signedInUid(env());
    setScreenSize();

    menuProfileImage->imageName = "person";
    menuSettingsImage->imageName = "cog";
    menuVersionsImage->imageName = "versions";
    menuHistoryImage->imageName = "clock";
    menuViewHighlightsImage->imageName = "lines";
    menuReferencesImage->imageName = "reference";
    menuAudioImage->imageName = "play";
    menuHighlightImage->imageName = "highlighter";
    menuCopyImage->imageName = "copy";
    randomImage->imageName = "random";
    leftImage->imageName = "left";
    rightImage->imageName = "right";

    loadBibleText();
    loadCrossReferences();

    // The selection and record observations join this step.
    if (canWriteRecord()) {
        ref.child(userdata::recordPath(uid, userdata::kCurrentPage)).setValue("bible");
        // Any change of any highlight, here or on another device, shows the chapter again with
        // fresh highlights; the value itself is not used.
        highlightsObservation_ = ref.child(userdata::recordPath(uid, userdata::kHighlights))
                                     .observe(whileAlive([this](const platform::Value&) { locate(false); }),
                                              whileAlive([this](const platform::DatabaseError& error) {
                                                  alert(error.description);
                                              }));
    }

    content->dataSource = this;
    content->delegate = this;
    content->separatorLinesVisible = false;
    content->allowsMultipleSelection = true;
    content->allowsMultipleSelectionDuringEditing = true;

    content->addGestureRecognizer(std::make_unique<platform::LongPressGestureRecognizer>(
        [this](platform::GestureRecognizer& g) { contentLongPressed(g); }));

    auto addButtonRecognizers = [this](platform::Button& button, void (BibleViewController::*tap)(),
                                       void (BibleViewController::*hold)(const platform::GestureRecognizer&)) {
        auto tapRecognizer = std::make_unique<platform::TapGestureRecognizer>(
            [this, tap](platform::GestureRecognizer&) { (this->*tap)(); });
        tapRecognizer->numberOfTapsRequired = 1;
        button.addGestureRecognizer(std::move(tapRecognizer));
        button.addGestureRecognizer(std::make_unique<platform::LongPressGestureRecognizer>(
            [this, hold](platform::GestureRecognizer& g) { (this->*hold)(g); }));
    };
    addButtonRecognizers(*previousButton, &BibleViewController::previousButtonTap,
                         &BibleViewController::previousButtonLong);
    addButtonRecognizers(*nextButton, &BibleViewController::nextButtonTap, &BibleViewController::nextButtonLong);

    random->action = [this] { randomAction(random); };
    left->action = [this] { previousChapter(left); };
    right->action = [this] { nextChapter(right); };

    bottomLabel->userInteractionEnabled = true;

    view()->addGestureRecognizer(std::make_unique<platform::ScreenEdgePanGestureRecognizer>(
        platform::ScreenEdge::left, [this](platform::GestureRecognizer& g) { leftScreenEdgeSwiped(g); }));
    view()->addGestureRecognizer(std::make_unique<platform::ScreenEdgePanGestureRecognizer>(
        platform::ScreenEdge::right, [this](platform::GestureRecognizer& g) { rightScreenEdgeSwiped(g); }));

    if (!online) locate(false);
}

void BibleViewController::viewWillAppear(bool animated) {
    Screen::viewWillAppear(animated);
    uid = signedInUid(env());
}

void BibleViewController::loadBibleText() {
    auto path = env().resources.pathForResource("web", "xml");
    if (!path) {
        alert("The scripture text is missing from the application's resources.");
        return;
    }
    // The parser appends to the list it holds; the screen's list is never cleared.
    scripture::BibleTextParser parser;
    parser.versesInBible = std::move(versesInBible);
    parser.element = element;
    parser.parsedBook = parsedBook;
    parser.parsedChapter = parsedChapter;
    scripture::loadBibleText(*path, parser);
    versesInBible = std::move(parser.versesInBible);
    element = std::move(parser.element);
    parsedBook = std::move(parser.parsedBook);
    parsedChapter = std::move(parser.parsedChapter);
    chapterIndex_.extend(versesInBible);
}

void BibleViewController::loadCrossReferences() {
    auto path = env().resources.pathForResource("ref", "csv");
    if (!path) return;
    crossReferences = scripture::loadCrossReferences(*path).table;
}

}  // namespace reading

