// Moving through the text: by chapter, by book, by the bottom bar's unit and at random, and
// putting the place on screen (locate fetches the chapter's highlights, goTo shows it).
#include <algorithm>

#include "reading/bible_view_controller.h"
#include "userdata/record_paths.h"
#include "userdata/record_values.h"

namespace reading {

namespace {

constexpr int kBooks = scripture::kBookCount;

// One chapter back, into the previous book's last chapter; nothing at Genesis 1.
void stepChapterBack(BibleViewController& s) {
    if (s.currentChapter != 1) {
        s.currentChapter -= 1;
        s.currentVerse = 1;
    } else if (s.currentBook != 1) {
        s.currentBook -= 1;
        s.currentVerse = 1;
        s.currentChapter = scripture::chapterCount(s.currentBook);
    }
}

// One chapter forward, into the next book's first chapter; nothing at Revelation 22.
void stepChapterForward(BibleViewController& s) {
    if (s.currentChapter != scripture::chapterCount(s.currentBook)) {
        s.currentChapter += 1;
        s.currentVerse = 1;
    } else if (s.currentBook != kBooks) {
        s.currentBook += 1;
        s.currentVerse = 1;
        s.currentChapter = 1;
    }
}

// To chapter 1 of the previous book; nothing in Genesis.
void stepBookBack(BibleViewController& s) {
    if (s.currentBook != 1) {
        s.currentBook -= 1;
        s.currentVerse = 1;
        s.currentChapter = 1;
    }
}

// To chapter 1 of the next book; nothing in Revelation.
void stepBookForward(BibleViewController& s) {
    if (s.currentBook != kBooks) {
        s.currentBook += 1;
        s.currentVerse = 1;
        s.currentChapter = 1;
    }
}

// The highlight text of one chapter: pieces that are not decimal integers are dropped.
std::vector<int> parseHighlightText(const std::string& text) {
    std::vector<int> verses;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        std::string piece = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        verses.push_back(userdata::parseWholeNumber(piece).value_or(-1));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::erase(verses, -1);
    return verses;
}

}  // namespace

void BibleViewController::previousButtonTap() {
    if (contentMode != "Verses") return;
    stepChapterBack(*this);
    selectedVerses.clear();
    locate(false);
    mediumFeedback();
    storeLocation();
}

void BibleViewController::nextButtonTap() {
    if (contentMode != "Verses") return;
    stepChapterForward(*this);
    selectedVerses.clear();
    locate(false);
    mediumFeedback();
    storeLocation();
}

void BibleViewController::previousButtonLong(const platform::GestureRecognizer& gesture) {
    if (contentMode != "Verses" || gesture.state() != platform::GestureState::began) return;
    stepBookBack(*this);
    selectedVerses.clear();
    locate(false);
    heavyFeedback();
    storeLocation();
}

void BibleViewController::nextButtonLong(const platform::GestureRecognizer& gesture) {
    if (contentMode != "Verses" || gesture.state() != platform::GestureState::began) return;
    stepBookForward(*this);
    selectedVerses.clear();
    locate(false);
    heavyFeedback();
    storeLocation();
}

void BibleViewController::leftScreenEdgeSwiped(const platform::GestureRecognizer& gesture) {
    if (gesture.state() == platform::GestureState::ended) previousButtonTap();
}

void BibleViewController::rightScreenEdgeSwiped(const platform::GestureRecognizer& gesture) {
    if (gesture.state() == platform::GestureState::ended) nextButtonTap();
}

void BibleViewController::previousChapter(platform::View*) {
    if (contentMode != "Verses") return;
    if (bottomNavigationMode == "Verse") {
        if (currentVerse != 1) currentVerse -= 1;
        lightFeedback();
    } else if (bottomNavigationMode == "Chapter") {
        selectedVerses.clear();
        stepChapterBack(*this);
        mediumFeedback();
    } else if (bottomNavigationMode == "Book") {
        selectedVerses.clear();
        stepBookBack(*this);
        heavyFeedback();
    }
    locate(false);
    storeLocation();
}

void BibleViewController::nextChapter(platform::View*) {
    if (contentMode != "Verses") return;
    if (bottomNavigationMode == "Verse") {
        if (currentVerse != static_cast<int>(versesInCurrentChapter.size())) currentVerse += 1;
        lightFeedback();
    } else if (bottomNavigationMode == "Chapter") {
        selectedVerses.clear();
        stepChapterForward(*this);
        mediumFeedback();
    } else if (bottomNavigationMode == "Book") {
        selectedVerses.clear();
        stepBookForward(*this);
        heavyFeedback();
    }
    locate(false);
    storeLocation();
}

void BibleViewController::goToRandomVerse() {
    platform::Random& random = env().random;
    currentBook = random.uniform(1, kBooks);
    currentChapter = random.uniform(1, scripture::chapterCount(currentBook));
    selectedVerses.clear();
    locate(true);
    storeLocation();
}

void BibleViewController::randomAction(platform::View*) {
    goToRandomVerse();
    heavyFeedback();
}

void BibleViewController::motionEnded(platform::Motion motion) {
    if (motion != platform::Motion::shake) return;
    goToRandomVerse();
    heavyFeedback();
}

void BibleViewController::locate(bool isRandom) {
    contentMode = "Verses";
    if (leftImage) leftImage->alpha = 1.0;
    if (rightImage) rightImage->alpha = 1.0;
    highlights.clear();
    // A damaged place is mended before anything reads or stores it (online the chapter comes
    // later, but the caller stores the place right after this call).
    bringPlaceIntoCatalogue();
    // Without a connection, or without a user whose highlights could be read, the chapter is
    // shown at once without highlights.
    if (!online || !canWriteRecord()) {
        goTo(isRandom);
        return;
    }
    // The book is fixed now; the chapter is taken when the answer arrives.
    ref.child(userdata::highlightsOfBook(uid, currentBook))
        .observeSingleEvent(whileAlive([this, isRandom](const platform::Value& value) {
            const platform::Value& entry = userdata::child(value, std::to_string(currentChapter));
            highlights = parseHighlightText(userdata::textValue(entry).value_or(""));
            goTo(isRandom);
        }));
}

void BibleViewController::bringPlaceIntoCatalogue() {
    if (!scripture::isValidBook(currentBook)) {
        currentBook = 1;
        currentChapter = 1;
        currentVerse = 1;
    }
    currentChapter = std::clamp(currentChapter, 1, scripture::chapterCount(currentBook));
    if (currentVerse < 1) currentVerse = 1;
}

void BibleViewController::goTo(bool isRandom) {
    versesInCurrentChapter.clear();
    if (shouldClearSelection) {
        selectedVerses.clear();
        storeSelection();
    }
    bringPlaceIntoCatalogue();

    // Indexed chapter selection: the same list as the prefix scan over versesInBible.
    if (versesInBible.size() < chapterIndex_.indexedCount()) chapterIndex_ = scripture::ChapterIndex();
    chapterIndex_.extend(versesInBible);
    versesInCurrentChapter = chapterIndex_.chapterVerses(versesInBible, currentBook, currentChapter);
    const int verseCount = static_cast<int>(versesInCurrentChapter.size());
    // A verse beyond a chapter that has verses is brought to its last verse.
    if (verseCount > 0 && currentVerse > verseCount) currentVerse = verseCount;

    chapterHasRendered = true;
    if (isRandom) {
        // A chapter missing from the text gives no range to draw from: its verse 1.
        currentVerse = verseCount > 0 ? env().random.uniform(1, verseCount) : 1;
        storeLocation();
    }

    if (topLabel) topLabel->text = " " + scripture::referenceTitle(currentBook, currentChapter, currentVerse) + " ";

    if (content) {
        content->reloadData();
        content->layoutIfNeeded();
        // The table measures every row on layout, so one scroll puts the current verse on top.
        const int rows = content->numberOfRowsInSection(0);
        if (currentVerse >= 1 && currentVerse <= rows) content->scrollToRowAtTop(currentVerse - 1, false);
        // Once more a moment later, after whatever else this event does to the table (a drag
        // that ends, a relayout); the place of that moment counts.
        env().mainQueue.asyncAfter(0.01, whileAlive([this] {
            content->layoutIfNeeded();
            const int rowsNow = content->numberOfRowsInSection(0);
            if (currentVerse >= 1 && currentVerse < rowsNow) content->scrollToRowAtTop(currentVerse - 1, false);
        }));
    }

    int position = 0, total = 0;
    if (bottomNavigationMode == "Book") {
        position = currentBook;
        total = kBooks;
    } else if (bottomNavigationMode == "Chapter") {
        position = currentChapter;
        total = scripture::chapterCount(currentBook);
    } else if (bottomNavigationMode == "Verse") {
        position = currentVerse;
        total = verseCount;
    }
    if (bottomLabel) bottomLabel->text = bottomNavigationMode + " " + std::to_string(position) + "/" + std::to_string(total);

    setSelection();
}

}  // namespace reading
