// Chapter selection: the reference scan, and the index that must give the same lists.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "scripture/catalogue.h"
#include "scripture/chapter_index.h"
#include "scripture/chapter_selection.h"

using namespace scripture;
using Entries = std::vector<std::string>;

namespace {

constexpr int kGenesis = 1, kPsalms = 19, kJohn = 43, k1John = 62, k2John = 63;

// The edge cases of chapter selection in one small text.
const Entries kFixture = {
    "Genesis_1:1. In the beginning",
    "Genesis_1:2. The earth was formless",
    "Genesis_10:1. These are the generations",
    "Genesis_11:1. The whole earth",
    "John_1:1. In the beginning was the Word",
    "1 John_1:1. That which was from the beginning",
    "2 John_1:1. The elder",
    "John_1:2. He quotes John_1: and John_1:John_1: twice",
    "John_2:1. The third day",
    "Genesis_1:3. Light, continued after a later Genesis",
    "0._0.:stray text before any book",
    "Genesis_01:1. leading zero",
    "Genesis_1:",
    "Psalms_119:1. Blessed",
};

void expectSameSelection(const Entries& verses, const ChapterIndex& index, int book, int chapter) {
    EXPECT_EQ(index.chapterVerses(verses, book, chapter), chapterVersesByScan(verses, book, chapter))
        << "book " << book << " chapter " << chapter;
}

}  // namespace

TEST(ChapterSelection, RemoveEveryOccurrenceIsOneLeftToRightPass) {
    EXPECT_EQ(removeEveryOccurrence("ab:ab:x", "ab:"), "x");
    EXPECT_EQ(removeEveryOccurrence("aab:b:", "ab:"), "ab:");  // the result is not searched again
    EXPECT_EQ(removeEveryOccurrence("aaa", "aa"), "a");         // occurrences do not overlap
    EXPECT_EQ(removeEveryOccurrence("text", ""), "text");
    EXPECT_EQ(removeEveryOccurrence("", "x"), "");
}

TEST(ChapterSelection, ScanPicksTheChapterByItsFullPrefix) {
    const auto genesis1 = chapterVersesByScan(kFixture, kGenesis, 1);
    EXPECT_EQ(genesis1, (Entries{"1. In the beginning", "2. The earth was formless",
                                 "3. Light, continued after a later Genesis", ""}));
    EXPECT_EQ(chapterVersesByScan(kFixture, kGenesis, 10), Entries{"1. These are the generations"});
    EXPECT_EQ(chapterVersesByScan(kFixture, kJohn, 1),
              (Entries{"1. In the beginning was the Word", "2. He quotes  and  twice"}));
    EXPECT_EQ(chapterVersesByScan(kFixture, k1John, 1), Entries{"1. That which was from the beginning"});
    EXPECT_EQ(chapterVersesByScan(kFixture, k2John, 1), Entries{"1. The elder"});
    EXPECT_EQ(chapterVersesByScan(kFixture, kPsalms, 119), Entries{"1. Blessed"});
    EXPECT_TRUE(chapterVersesByScan(kFixture, kGenesis, 2).empty());
    EXPECT_TRUE(chapterVersesByScan(kFixture, kGenesis, 0).empty());
    for (int book : {0, 67, -5}) EXPECT_TRUE(chapterVersesByScan(kFixture, book, 1).empty());
}

TEST(ChapterSelection, IndexMatchesTheScanOnTheEdgeCases) {
    const ChapterIndex index(kFixture);
    EXPECT_EQ(index.indexedCount(), kFixture.size());
    for (int book = -1; book <= kBookCount + 1; ++book) {
        for (int chapter : {-1, 0, 1, 2, 10, 11, 119, INT_MIN, INT_MAX}) expectSameSelection(kFixture, index, book, chapter);
    }
}

TEST(ChapterSelection, IndexMatchesTheScanOnDamagedEntries) {
    // Entries a damaged resource could produce: odd chapter texts, stray separators,
    // names that are almost catalogue names, prefixes inside the text.
    const Entries damaged = {
        "Genesis_-1:negative", "Genesis_0:zero",    "Genesis_-0:minus zero", "Genesis_+1:plus",
        "Genesis_1 :blank",    "Genesis_ 1:blank",  "Genesis__1:double",     "Genesis_1_2:underscore",
        "Genesis_2147483647:max", "Genesis_2147483648:overflow", "Genesis_-2147483648:min",
        "Genesis_1",           "Genesis1:no underscore", "genesis_1:case",  "Genesis :1",
        "_1:no name",          "Song of Solomon_1:ok", "Song_of_Solomon_1:underscores",
        "Genesis_1:Genesis_1:Genesis_1:", "Genesis_1:Genesis_Genesis_1:1:", ":Genesis_1:",
        "", "_", ":", "Genesis_51:beyond the last chapter",
    };
    const ChapterIndex index(damaged);
    for (int book : {1, 22}) {
        for (int chapter : {-1, 0, 1, 2, 51, INT_MAX, INT_MIN}) expectSameSelection(damaged, index, book, chapter);
    }
    EXPECT_EQ(index.chapterVerses(damaged, kGenesis, 1), (Entries{"", "Genesis_1:"}));
}

TEST(ChapterSelection, IndexMatchesTheScanOnRandomLists) {
    // Entries assembled from the pieces that matter to prefix matching.
    const std::vector<std::string> names = {"Genesis", "John", "1 John", "Jude", "Song of Solomon", "Genesis ", "",
                                            "X_Y"};
    const std::vector<std::string> chapters = {"1", "10", "2", "01", "0", "-1", "", "1_1", "1:1"};
    const std::vector<std::string> tails = {"1. text", "", "John_1:", "Genesis_1:x", "_:", "Jude_1:Jude_1:"};
    std::mt19937 random(20240611);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 50; ++round) {
        Entries verses;
        ChapterIndex index;
        for (int i = 0; i < 60; ++i) {
            verses.push_back(pick(names) + (random() % 8 ? "_" : "") + pick(chapters) + (random() % 8 ? ":" : "") +
                             pick(tails));
            if (i % 20 == 19) index.extend(verses);  // grows while the list is appended to
        }
        for (int book : {kGenesis, 22, kJohn, k1John, 65}) {
            for (int chapter : {-1, 0, 1, 2, 10}) expectSameSelection(verses, index, book, chapter);
        }
    }
}

TEST(ChapterSelection, IndexNeverReadsPastAShorterOrDifferentList) {
    const ChapterIndex index(kFixture);
    const Entries shorter(kFixture.begin(), kFixture.begin() + 2);
    EXPECT_EQ(index.chapterVerses(shorter, kGenesis, 1), (Entries{"1. In the beginning", "2. The earth was formless"}));
    EXPECT_TRUE(index.chapterVerses({}, kGenesis, 1).empty());
    const Entries different(kFixture.size(), "Exodus_1:1. other");
    EXPECT_TRUE(index.chapterVerses(different, kGenesis, 1).empty());
}
