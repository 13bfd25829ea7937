// The generated text resource as the reader sees it: the whole canon, every verse at its
// position, and chapter selection by index identical to the scan for every chapter.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "scripture/bible_text.h"
#include "scripture/catalogue.h"
#include "scripture/chapter_index.h"
#include "scripture/chapter_selection.h"

using namespace scripture;

namespace {

class GeneratedText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!std::filesystem::exists(LECTIO_TEXT_RESOURCE)) return;
        parser_ = new BibleTextParser;
        result_ = loadBibleText(LECTIO_TEXT_RESOURCE, *parser_);
        index_ = new ChapterIndex(parser_->versesInBible);
    }
    static void TearDownTestSuite() {
        delete index_;
        delete parser_;
        index_ = nullptr;
        parser_ = nullptr;
    }
    void SetUp() override {
        if (!parser_) GTEST_SKIP() << "no generated text at " << LECTIO_TEXT_RESOURCE;
    }

    static const std::vector<std::string>& verses() { return parser_->versesInBible; }
    static std::vector<std::string> chapter(int book, int chapter) { return index_->chapterVerses(verses(), book, chapter); }

    static BibleTextParser* parser_;
    static ChapterIndex* index_;
    static LoadResult result_;
};

BibleTextParser* GeneratedText::parser_ = nullptr;
ChapterIndex* GeneratedText::index_ = nullptr;
LoadResult GeneratedText::result_ = LoadResult::missingFile;

}  // namespace

TEST_F(GeneratedText, HoldsTheWholeCanonInOrder) {
    EXPECT_EQ(result_, LoadResult::complete);
    EXPECT_GT(verses().size(), 31000u);
    EXPECT_LT(verses().size(), 31200u);
    EXPECT_EQ(verses().front(), "Genesis_1:1. In the beginning, God created the heavens and the earth.");
    EXPECT_EQ(verses().back().substr(0, 17), "Revelation_22:21.");

    std::size_t total = 0;
    int chapters = 0;
    for (int book = 1; book <= kBookCount; ++book) {
        for (int number = 1; number <= chapterCount(book); ++number) {
            const auto texts = chapter(book, number);
            EXPECT_FALSE(texts.empty()) << referenceTitle(book, number, 1);
            total += texts.size();
            ++chapters;
        }
        EXPECT_TRUE(chapter(book, chapterCount(book) + 1).empty()) << bookName(book);
        EXPECT_TRUE(chapter(book, 0).empty()) << bookName(book);
    }
    EXPECT_EQ(chapters, 1189);
    EXPECT_EQ(total, verses().size()) << "every entry belongs to a catalogue chapter";
}

TEST_F(GeneratedText, EveryVerseSitsAtItsPosition) {
    for (int book = 1; book <= kBookCount; ++book) {
        for (int number = 1; number <= chapterCount(book); ++number) {
            const auto texts = chapter(book, number);
            for (std::size_t row = 0; row < texts.size(); ++row) {
                const std::string label = std::to_string(row + 1) + ".";
                const bool labelled = texts[row].starts_with(label + " ") || texts[row] == label;
                EXPECT_TRUE(labelled) << referenceTitle(book, number, static_cast<int>(row + 1)) << ": " << texts[row];
            }
        }
    }
}

TEST_F(GeneratedText, PlainReadingText) {
    struct Place { int book, chapter, verse; const char* text; };
    const Place places[] = {
        {19, 3, 1, "1. Yahweh, how my adversaries have increased! Many are those who rise up against me."},
        {43, 11, 35, "35. Jesus wept."},
        {42, 17, 36, "36. [Two will be in the field: the one taken, and the other left.]"},
        {44, 15, 34, "34. [But it seemed good to Silas to stay there.]"},
        {66, 22, 21, "21. The grace of the Lord Jesus Christ be with all the saints. Amen."},
    };
    for (const Place& place : places) {
        const auto texts = chapter(place.book, place.chapter);
        ASSERT_GE(texts.size(), static_cast<std::size_t>(place.verse)) << referenceTitle(place.book, place.chapter, place.verse);
        EXPECT_EQ(texts[place.verse - 1], place.text);
    }
    EXPECT_TRUE(chapter(44, 8)[36].starts_with("37. [Philip said, "));
    EXPECT_TRUE(chapter(44, 24)[6].starts_with("7. [but the commanding officer, Lysias,"));
    EXPECT_EQ(chapter(42, 17).size(), 37u);
    EXPECT_EQ(chapter(66, 12).size(), 17u);  // an empty last verse is left out
    EXPECT_EQ(chapter(64, 1).size(), 14u);
    EXPECT_EQ(chapter(19, 119).size(), 176u);

    for (const std::string& entry : verses()) {
        ASSERT_EQ(entry.find("  "), std::string::npos) << entry;
        ASSERT_EQ(entry.find('<'), std::string::npos) << entry;
        ASSERT_EQ(entry.find("strong:"), std::string::npos) << entry;
        ASSERT_NE(entry.back(), ' ') << entry;
    }
}

TEST_F(GeneratedText, IndexSelectsEveryChapterExactlyAsTheScan) {
    for (int book = 1; book <= kBookCount; ++book) {
        for (int number = 0; number <= chapterCount(book) + 1; ++number) {
            ASSERT_EQ(chapter(book, number), chapterVersesByScan(verses(), book, number)) << chapterTitle(book, number);
        }
    }
}
