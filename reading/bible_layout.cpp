// The reading screen's views, built in code as the storyboard's equivalent. Every view carries
// its property name, so the scenario driver and the desktop backend find it by that name.
// Frames follow the root view's bounds and the window's safe area on every layout pass.
//
//   +------------------------------------------+
//   | statusBar (offline strip)                |
//   | [nightMode]      topLabel      [random]  |  top bar: 114 points
//   +----+--------------------------------+----+
//   |prev|                                |next|
//   |  < |   content (the verse table)    | >  |
//   |    |                                |    |
//   +----+--------------------------------+----+
//   | [left]         bottomLabel      [right] |  bottom bar
//   +------------------------------------------+
//   overlays, invisible until used: displayBackground (picker), menuBackground (3 x 3 menu),
//   fullscreenBackground (fullscreen reader); mainBackground lies behind everything.
#include <algorithm>

#include "reading/bible_view_controller.h"
#include "platform/window.h"

namespace reading {

namespace {

using platform::Rect;

// The top zone of the raw-touch handlers is the top 114 points below the safe area.
constexpr double kTopBarHeight = 114;
constexpr double kBottomBarHeight = 100;
constexpr double kStatusStripHeight = 4;
constexpr double kSideColumnWidth = 36;   // previousButton / nextButton along the table
constexpr double kEndControlWidth = 30;   // left / right in the bottom bar
constexpr double kBarButtonSize = 44;     // nightMode / random
constexpr double kHeaderLabelHeight = 56;
constexpr double kArrowSize = 24;
constexpr double kMenuImageSize = 36;
constexpr platform::Size kDefaultScreen{390, 844};

const platform::Color kOfflineStripColor = platform::Color::rgba(0.85, 0.3, 0.2, 1);

platform::Font headerFont(const BibleViewController& s) { return {s.currentFontFamily, s.currentFontSize}; }

void styleHeaderLabel(platform::Label& label, const BibleViewController& s) {
    label.font = headerFont(s);
    label.textColor = s.colorBlack;
    label.backgroundColor = s.colorWhite;
    label.textAlignment = platform::TextAlignment::center;
    label.layer.masksToBounds = true;
    label.layer.borderWidth = 2.0;
    label.layer.borderColor = s.colorGray;
    label.adjustsFontSizeToFitWidth = true;
    label.minimumScaleFactor = 0.2;
    label.numberOfLines = 1;
}

// An image centred in `parent`'s bounds.
void centre(platform::View& image, const platform::View& parent, double side) {
    image.frame = {(parent.frame.width - side) / 2, (parent.frame.height - side) / 2, side, side};
}

platform::ImageView* addImage(platform::View& parent, const char* name) {
    auto* image = parent.addNew<platform::ImageView>(name);
    image->userInteractionEnabled = false;
    return image;
}

// An overlay that starts invisible and never takes touches while it is.
platform::View* addOverlay(platform::View& root, const char* name, bool interactive) {
    auto* overlay = root.addNew<platform::View>(name);
    overlay->alpha = 0;
    overlay->userInteractionEnabled = interactive;
    return overlay;
}

}  // namespace

void BibleViewController::loadView() {
    auto root = std::make_unique<platform::View>("view");
    platform::View& v = *root;
    platform::Window* w = window() ? window() : env().window;
    platform::Size size = w ? w->size() : kDefaultScreen;
    v.frame = {0, 0, size.width, size.height};
    v.backgroundColor = colorWhite;

    mainBackground = v.addNew<platform::View>("mainBackground");
    mainBackground->backgroundColor = colorWhite;
    mainBackground->userInteractionEnabled = false;

    // The verse table and the arrow columns beside it.
    content = v.addNew<platform::TableView>("content");
    content->backgroundColor = colorWhite;
    previousButton = v.addNew<platform::Button>("previousButton");
    leftImage = addImage(*previousButton, "leftImage");
    nextButton = v.addNew<platform::Button>("nextButton");
    rightImage = addImage(*nextButton, "rightImage");

    // Top bar.
    statusBar = v.addNew<platform::View>("statusBar");
    statusBar->backgroundColor = kOfflineStripColor;
    statusBar->userInteractionEnabled = false;
    nightMode = v.addNew<platform::Button>("nightMode");
    nightModeImage = addImage(*nightMode, "nightModeImage");
    nightModeImage->imageName = "sun";
    random = v.addNew<platform::Button>("random");
    randomImage = addImage(*random, "randomImage");
    topLabel = v.addNew<platform::Label>("topLabel");
    styleHeaderLabel(*topLabel, *this);

    // Bottom bar.
    left = v.addNew<platform::Button>("left");
    left->title = "‹";
    right = v.addNew<platform::Button>("right");
    right->title = "›";
    for (platform::Button* b : {left, right}) {
        b->titleLabel.font = {currentFontFamily, 28};
        b->titleColor = colorGray;
    }
    bottomLabel = v.addNew<platform::Label>("bottomLabel");
    styleHeaderLabel(*bottomLabel, *this);

    // The top-bar picker: backdrop, panel, three rows of book and chapter.
    displayBackground = addOverlay(v, "displayBackground", false);
    displayBackground->backgroundColor = colorWhite;
    displayContainer = displayBackground->addNew<platform::View>("displayContainer");
    previousBookLabel = displayContainer->addNew<platform::Label>("previousBookLabel");
    previousChapterLabel = displayContainer->addNew<platform::Label>("previousChapterLabel");
    currentBookLabel = displayContainer->addNew<platform::Label>("currentBookLabel");
    currentChapterLabel = displayContainer->addNew<platform::Label>("currentChapterLabel");
    nextBookLabel = displayContainer->addNew<platform::Label>("nextBookLabel");
    nextChapterLabel = displayContainer->addNew<platform::Label>("nextChapterLabel");
    for (platform::Label* l : {previousBookLabel, previousChapterLabel, currentBookLabel, currentChapterLabel,
                               nextBookLabel, nextChapterLabel}) {
        l->font = headerFont(*this);
        l->textColor = colorBlack;
        l->textAlignment = platform::TextAlignment::center;
        l->adjustsFontSizeToFitWidth = true;
        l->minimumScaleFactor = 0.2;
    }

    // The touch menu: nine items over the whole screen.
    menuBackground = addOverlay(v, "menuBackground", false);
    menuBackground->backgroundColor = colorWhite;
    struct Item {
        platform::View** view;
        platform::ImageView** image;
        platform::Label** label;
        const char* stem;
        const char* title;
    };
    const Item items[] = {
        {&menuProfile, &menuProfileImage, &menuProfileLabel, "menuProfile", "Profile"},
        {&menuSettings, &menuSettingsImage, &menuSettingsLabel, "menuSettings", "Settings"},
        {&menuVersions, &menuVersionsImage, &menuVersionsLabel, "menuVersions", "Versions"},
        {&menuHistory, &menuHistoryImage, &menuHistoryLabel, "menuHistory", "History"},
        {&menuViewHighlights, &menuViewHighlightsImage, &menuViewHighlightsLabel, "menuViewHighlights", "Highlights"},
        {&menuReferences, &menuReferencesImage, &menuReferencesLabel, "menuReferences", "References"},
        {&menuAudio, &menuAudioImage, &menuAudioLabel, "menuAudio", "Audio"},
        {&menuHighlight, &menuHighlightImage, &menuHighlightLabel, "menuHighlight", "Highlight"},
        {&menuCopy, &menuCopyImage, &menuCopyLabel, "menuCopy", "Copy"},
    };
    double menuLabelSize = std::clamp(currentFontSize * 0.5, 10.0, 20.0);
    for (const Item& item : items) {
        std::string stem = item.stem;
        *item.view = menuBackground->addNew<platform::View>(stem);
        *item.image = addImage(**item.view, (stem + "Image").c_str());
        *item.label = (*item.view)->addNew<platform::Label>(stem + "Label");
        (*item.label)->text = item.title;
        (*item.label)->textAlignment = platform::TextAlignment::center;
        (*item.label)->textColor = colorBlack;
        (*item.label)->font = {currentFontFamily, menuLabelSize};
    }

    // The fullscreen reader.
    fullscreenBackground = addOverlay(v, "fullscreenBackground", true);
    fullscreenBackground->backgroundColor = colorWhite;
    fullscreenTitle = fullscreenBackground->addNew<platform::Label>("fullscreenTitle");
    fullscreenTitle->textAlignment = platform::TextAlignment::center;
    fullscreenTitle->font = headerFont(*this);
    fullscreenText = fullscreenBackground->addNew<platform::TextView>("fullscreenText");
    fullscreenText->font = headerFont(*this);
    fullscreenText->backgroundColor = colorWhite;

    setRootView(std::move(root));
    layoutViews();
}

void BibleViewController::viewWillLayoutSubviews() {
    checkIfOnline();
    layoutViews();
}

void BibleViewController::layoutViews() {
    if (!isViewLoaded() || !content) return;
    platform::View& v = *view();
    const double W = v.frame.width, H = v.frame.height;
    platform::Window* w = window();
    platform::EdgeInsets inset = w ? w->safeAreaInsets : platform::EdgeInsets{};
    const double innerLeft = inset.left, innerRight = W - inset.right;
    const double innerWidth = std::max(0.0, innerRight - innerLeft);

    mainBackground->frame = {0, 0, W, H};

    // Top bar.
    const double top = inset.top;
    statusBar->frame = {0, top, W, kStatusStripHeight};
    const double buttonY = top + (kTopBarHeight - kBarButtonSize) / 2;
    nightMode->frame = {innerLeft + 4, buttonY, kBarButtonSize, kBarButtonSize};
    random->frame = {innerRight - 4 - kBarButtonSize, buttonY, kBarButtonSize, kBarButtonSize};
    centre(*nightModeImage, *nightMode, 28);
    centre(*randomImage, *random, 28);
    const double headerInset = 4 + kBarButtonSize + 8;
    topLabel->frame = {innerLeft + headerInset, top + (kTopBarHeight - kHeaderLabelHeight) / 2,
                       std::max(0.0, innerWidth - 2 * headerInset), kHeaderLabelHeight};

    // Bottom bar.
    const double barY = H - inset.bottom - kBottomBarHeight;
    left->frame = {innerLeft + 4, barY + (kBottomBarHeight - kBarButtonSize) / 2, kEndControlWidth, kBarButtonSize};
    right->frame = {innerRight - 4 - kEndControlWidth, left->frame.y, kEndControlWidth, kBarButtonSize};
    const double bottomInset = 4 + kEndControlWidth + 10;
    bottomLabel->frame = {innerLeft + bottomInset, barY + (kBottomBarHeight - kHeaderLabelHeight) / 2,
                          std::max(0.0, innerWidth - 2 * bottomInset), kHeaderLabelHeight};

    // The table between the bars, with the arrow columns at its sides.
    const double tableY = top + kTopBarHeight;
    const double tableHeight = std::max(0.0, barY - tableY);
    previousButton->frame = {innerLeft, tableY, kSideColumnWidth, tableHeight};
    nextButton->frame = {innerRight - kSideColumnWidth, tableY, kSideColumnWidth, tableHeight};
    centre(*leftImage, *previousButton, kArrowSize);
    centre(*rightImage, *nextButton, kArrowSize);
    content->frame = {innerLeft + kSideColumnWidth, tableY, std::max(0.0, innerWidth - 2 * kSideColumnWidth),
                      tableHeight};

    // Picker: the panel sits near the bottom; the picker moves it while a finger is down.
    displayBackground->frame = {0, 0, W, H};
    const double rowHeight = currentFontSize * 1.25 + 10;
    const double panelHeight = 3 * rowHeight + 10;
    displayContainer->frame = {innerLeft + 16, H - (5 * currentFontSize + 40), std::max(0.0, innerWidth - 32),
                               panelHeight};
    const double bookWidth = displayContainer->frame.width * 0.7;
    const double chapterWidth = displayContainer->frame.width - bookWidth;
    platform::Label* rows[3][2] = {{previousBookLabel, previousChapterLabel},
                                   {currentBookLabel, currentChapterLabel},
                                   {nextBookLabel, nextChapterLabel}};
    for (int r = 0; r < 3; ++r) {
        rows[r][0]->frame = {0, 5 + r * rowHeight, bookWidth, rowHeight};
        rows[r][1]->frame = {bookWidth, 5 + r * rowHeight, chapterWidth, rowHeight};
    }

    // Menu: a 3 x 3 grid over the whole screen, image above label in each cell.
    menuBackground->frame = {0, 0, W, H};
    platform::View* grid[9] = {menuProfile, menuSettings, menuVersions, menuHistory, menuViewHighlights,
                               menuReferences, menuAudio, menuHighlight, menuCopy};
    for (int i = 0; i < 9; ++i) {
        platform::View& item = *grid[i];
        item.frame = {(i % 3) * W / 3, (i / 3) * H / 3, W / 3, H / 3};
        platform::View& image = *item.subviews()[0];
        platform::View& label = *item.subviews()[1];
        image.frame = {(item.frame.width - kMenuImageSize) / 2, item.frame.height / 2 - kMenuImageSize,
                       kMenuImageSize, kMenuImageSize};
        label.frame = {4, item.frame.height / 2 + 6, item.frame.width - 8, 30};
    }

    // Fullscreen reader.
    fullscreenBackground->frame = {0, 0, W, H};
    fullscreenTitle->frame = {innerLeft + 16, top + 16, std::max(0.0, innerWidth - 32), 44};
    fullscreenText->frame = {innerLeft + 16, top + 64, std::max(0.0, innerWidth - 32),
                             std::max(0.0, H - inset.bottom - 16 - (top + 64))};
}

}  // namespace reading
