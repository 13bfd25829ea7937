// Checks on the generated resource ref.csv: the index lists exactly what the line scan
// lists, every line is meaningful, and the table is good enough to read: most verses have
// references and well-known references rank high. Skipped when the resource is absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scripture/bible_text.h"
#include "scripture/catalogue.h"
#include "scripture/cross_references.h"

namespace {

using scripture::CrossReferenceTable;

const CrossReferenceTable* resource() {
    static const auto load = scripture::loadCrossReferences(LECTIO_CROSSREF_RESOURCE);
    return load.status == scripture::CrossReferenceLoadStatus::loaded ? &load.table : nullptr;
}

struct Verse {
    int book, chapter, verse;
};

// Every verse of the text resource, from the chapter prefixes of its entries.
std::vector<Verse> versesOfText() {
    scripture::BibleTextParser parser;
    if (scripture::loadBibleText(LECTIO_TEXT_RESOURCE, parser) != scripture::LoadResult::complete) return {};
    std::vector<Verse> verses;
    std::string lastPrefix;
    int verse = 0;
    for (const auto& entry : parser.versesInBible) {
        const auto colon = entry.find(':');
        const auto underscore = entry.rfind('_', colon);
        if (colon == std::string::npos || underscore == std::string::npos) continue;
        const std::string prefix = entry.substr(0, colon + 1);
        verse = prefix == lastPrefix ? verse + 1 : 1;
        lastPrefix = prefix;
        verses.push_back(
            {scripture::bookNumber(entry.substr(0, underscore)), std::atoi(entry.c_str() + underscore + 1), verse});
    }
    return verses;
}

TEST(CrossReferenceResource, IndexListsWhatTheScanListsForEveryVerse) {
    const auto* table = resource();
    if (!table) GTEST_SKIP() << "no generated ref.csv at " << LECTIO_CROSSREF_RESOURCE;

    // The scan matches a line to a key exactly when the line's text up to its first comma
    // is that key, so grouping lines by that text gives the scan's result for every verse at
    // once, in file order.
    std::map<std::string, std::vector<std::size_t>> linesByKey;
    for (std::size_t i = 0; i < table->size(); ++i) {
        const auto line = table->line(i);
        const auto comma = line.find(',');
        ASSERT_NE(comma, std::string_view::npos) << "line " << i << ": " << line;
        linesByKey[std::string(line.substr(0, comma + 1))].push_back(i);
    }
    std::size_t checkedRows = 0;
    for (const auto& [key, lines] : linesByKey) {
        int book = 0, chapter = 0, verse = 0;
        ASSERT_EQ(std::sscanf(key.c_str(), "%d.%d.%d,", &book, &chapter, &verse), 3) << key;
        ASSERT_EQ(scripture::locationText(book, chapter, verse) + ",", key) << "not a plain verse key";
        ASSERT_TRUE(scripture::isValidChapter(book, chapter)) << key;

        const auto indexed = table->referencesOf(book, chapter, verse);
        // Every line of the resource is meaningful, so each becomes one row.
        ASSERT_EQ(indexed.size(), lines.size()) << key;
        std::vector<std::string> expectedLines, listedLines;
        for (std::size_t i : lines) expectedLines.emplace_back(table->line(i));
        for (const auto& r : indexed) {
            EXPECT_NE(scripture::locationText(r.book, r.chapter, r.verse) + ",", key) << "self-reference";
            listedLines.push_back(key + scripture::locationText(r.book, r.chapter, r.verse) + "," +
                                  std::to_string(r.score));
        }
        // Same rows, ordered by score, ties in file order (the file is written best first).
        EXPECT_EQ(listedLines, expectedLines) << key;
        EXPECT_TRUE(std::is_sorted(indexed.begin(), indexed.end(),
                                   [](const auto& a, const auto& b) { return a.score > b.score; }));
        checkedRows += indexed.size();
    }
    EXPECT_EQ(checkedRows, table->size());

    // And the scan itself, on verses across the Bible.
    for (int book = 1; book <= scripture::kBookCount; book += 5)
        for (int chapter = 1; chapter <= scripture::chapterCount(book); chapter += 7)
            ASSERT_EQ(table->listReferences(book, chapter, 1), table->referencesOf(book, chapter, 1))
                << scripture::referenceTitle(book, chapter, 1);
}

TEST(CrossReferenceResource, MostVersesHaveFiveReferences) {
    const auto* table = resource();
    if (!table) GTEST_SKIP() << "no generated ref.csv at " << LECTIO_CROSSREF_RESOURCE;
    const auto verses = versesOfText();
    if (verses.empty()) GTEST_SKIP() << "no generated web.xml at " << LECTIO_TEXT_RESOURCE;

    std::size_t withFive = 0, withNone = 0;
    for (const auto& v : verses) {
        const auto count = table->referencesOf(v.book, v.chapter, v.verse).size();
        withFive += count >= 5;
        withNone += count == 0;
    }
    const double share = 100.0 * static_cast<double>(withFive) / static_cast<double>(verses.size());
    std::printf("[ figures  ] %zu lines, %zu verses, %.2f%% with five or more references, %zu with none\n",
                table->size(), verses.size(), share, withNone);
    EXPECT_GE(share, 95.0);
}

TEST(CrossReferenceResource, NamesOnlyVersesOfTheText) {
    const auto* table = resource();
    if (!table) GTEST_SKIP() << "no generated ref.csv at " << LECTIO_CROSSREF_RESOURCE;
    const auto verses = versesOfText();
    if (verses.empty()) GTEST_SKIP() << "no generated web.xml at " << LECTIO_TEXT_RESOURCE;
    std::set<std::string> inText;
    for (const auto& v : verses) inText.insert(scripture::locationText(v.book, v.chapter, v.verse));
    for (std::size_t i = 0; i < table->size(); ++i) {
        const std::string line(table->line(i));
        const auto first = line.find(',');
        const auto second = line.find(',', first + 1);
        ASSERT_TRUE(inText.count(line.substr(0, first))) << "line " << i << ": " << line;
        ASSERT_TRUE(inText.count(line.substr(first + 1, second - first - 1))) << "line " << i << ": " << line;
    }
}

TEST(CrossReferenceResource, WellKnownReferencesRankInTheTopTen) {
    const auto* table = resource();
    if (!table) GTEST_SKIP() << "no generated ref.csv at " << LECTIO_CROSSREF_RESOURCE;
    struct Case {
        Verse source, target;
    };
    const Case cases[] = {
        {{43, 3, 16}, {45, 5, 8}},    // John 3:16 -> Romans 5:8
        {{1, 1, 1}, {43, 1, 1}},      // Genesis 1:1 -> John 1:1
        {{23, 53, 5}, {60, 2, 24}},   // Isaiah 53:5 -> 1 Peter 2:24
        {{19, 23, 1}, {43, 10, 11}},  // Psalms 23:1 -> John 10:11
        {{23, 7, 14}, {40, 1, 23}},   // Isaiah 7:14 -> Matthew 1:23
    };
    for (const auto& c : cases) {
        const auto references = table->referencesOf(c.source.book, c.source.chapter, c.source.verse);
        const auto found = std::find_if(references.begin(), references.end(), [&](const auto& r) {
            return r.book == c.target.book && r.chapter == c.target.chapter && r.verse == c.target.verse;
        });
        const auto from = scripture::referenceTitle(c.source.book, c.source.chapter, c.source.verse);
        const auto to = scripture::referenceTitle(c.target.book, c.target.chapter, c.target.verse);
        ASSERT_NE(found, references.end()) << from << " does not list " << to;
        const auto rank = found - references.begin() + 1;
        std::printf("[ figures  ] %s -> %s: rank %td, score %lld\n", from.c_str(), to.c_str(), rank,
                    static_cast<long long>(found->score));
        EXPECT_LE(rank, 10) << from << " -> " << to;
    }
}

}  // namespace
