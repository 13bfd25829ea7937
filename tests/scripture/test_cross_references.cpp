// Loading the cross-reference resource and listing one verse's references, on small fixtures.
// Every listing is checked through both the line scan and the index, which must agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "scripture/cross_references.h"

namespace {

using scripture::CrossReference;
using scripture::CrossReferenceLoadStatus;
using scripture::CrossReferenceTable;

CrossReferenceTable tableOf(std::string text) {
    auto load = scripture::parseCrossReferences(std::move(text));
    EXPECT_EQ(load.status, CrossReferenceLoadStatus::loaded);
    return std::move(load.table);
}

std::vector<std::string> linesOf(const CrossReferenceTable& table) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < table.size(); ++i) lines.emplace_back(table.line(i));
    return lines;
}

// The references of a verse, after checking that the scan and the index list the same rows.
std::vector<CrossReference> referencesOf(const CrossReferenceTable& table, int book, int chapter, int verse) {
    auto scanned = table.listReferences(book, chapter, verse);
    EXPECT_EQ(scanned, table.referencesOf(book, chapter, verse)) << book << "." << chapter << "." << verse;
    return scanned;
}

// "book.chapter.verse:score" of each row, for compact expectations.
std::vector<std::string> rowsOf(const std::vector<CrossReference>& references) {
    std::vector<std::string> rows;
    for (const auto& r : references)
        rows.push_back(std::to_string(r.book) + "." + std::to_string(r.chapter) + "." + std::to_string(r.verse) + ":" +
                       std::to_string(r.score));
    return rows;
}

TEST(CrossReferenceLoading, SplitsAtEveryLineBreakAndDropsEmptyPieces) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"line feed", "a\nb\n", {"a", "b"}},
        {"carriage return and line feed", "a\r\nb\r\n", {"a", "b"}},
        {"carriage return", "a\rb", {"a", "b"}},
        {"vertical tab and form feed", "a\vb\fc", {"a", "b", "c"}},
        {"next line", "a\u0085b", {"a", "b"}},
        {"line separator", "a\u2028b", {"a", "b"}},
        {"paragraph separator", "a\u2029b", {"a", "b"}},
        {"blank lines and runs of breaks", "\n\na\r\n\r\n\rb\n\n", {"a", "b"}},
        {"no final break", "a\nlast", {"a", "last"}},
        {"only breaks", "\r\n\n\r\u2028", {}},
        {"empty", "", {}},
        // No-break space and hyphenation point share lead bytes with NEL and LS.
        {"other non-ASCII text stays inside a line", "\u00e9t\u00e9\u00a0x\u2027y", {"\u00e9t\u00e9\u00a0x\u2027y"}},
        {"byte-order mark is dropped", "\uFEFF1.1.1,2.2.2,5", {"1.1.1,2.2.2,5"}},
    };
    for (const auto& c : cases) EXPECT_EQ(linesOf(tableOf(c.text)), c.lines) << c.name;
}

TEST(CrossReferenceLoading, RefusesBytesThatAreNotUtf8) {
    const std::vector<std::string> broken = {
        "1.1.1,2.2.2,5\n\xFF\n",       // a byte that never occurs in UTF-8
        "1.1.1,2.2.2,5\n\xC3",         // a sequence cut off at the end
        "1.1.1,\xC3(2.2.2,5",          // a lead byte followed by ASCII
        "\xC0\xAF",                    // overlong encoding of "/"
        "\xED\xA0\x80",                // a UTF-16 surrogate
        "\xF4\x90\x80\x80",            // beyond U+10FFFF
        std::string(40, 'a') + "\x80",  // a lone continuation byte after an ASCII run
    };
    for (const auto& bytes : broken) {
        auto load = scripture::parseCrossReferences(bytes);
        EXPECT_EQ(load.status, CrossReferenceLoadStatus::notUtf8) << testing::PrintToString(bytes);
        EXPECT_TRUE(load.table.empty());
        EXPECT_TRUE(load.table.referencesOf(1, 1, 1).empty());
    }
}

TEST(CrossReferenceLoading, ReadsAFileAndReportsMissingOnes) {
    const auto directory =
        std::filesystem::temp_directory_path() / ("lectio-crossrefs-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(directory);
    const auto file = directory / "ref.csv";
    std::ofstream(file, std::ios::binary) << "1.1.1,19.33.6,7\r\n1.1.1,43.1.1,9\r\n";

    auto load = scripture::loadCrossReferences(file);
    EXPECT_EQ(load.status, CrossReferenceLoadStatus::loaded);
    EXPECT_EQ(rowsOf(load.table.referencesOf(1, 1, 1)), (std::vector<std::string>{"43.1.1:9", "19.33.6:7"}));

    EXPECT_EQ(scripture::loadCrossReferences(directory / "absent.csv").status, CrossReferenceLoadStatus::missingFile);
    EXPECT_EQ(scripture::loadCrossReferences("").status, CrossReferenceLoadStatus::missingFile);
    EXPECT_EQ(scripture::loadCrossReferences(directory).status, CrossReferenceLoadStatus::missingFile);

    std::ofstream(file, std::ios::binary | std::ios::trunc) << "1.1.1,2.2.2,5\n\xFE\xFF";
    load = scripture::loadCrossReferences(file);
    EXPECT_EQ(load.status, CrossReferenceLoadStatus::notUtf8);
    EXPECT_TRUE(load.table.empty());
    std::filesystem::remove_all(directory);
}

TEST(CrossReferenceListing, KeyMatchesFromTheFirstCharacterUpToTheComma) {
    const auto table = tableOf(
        "1.1.10,2.1.1,50\n"
        "1.1.1,19.33.6,3\n"
        "11.1.1,2.1.2,50\n"
        "1.1.11,2.1.3,50\n"
        "21.1.1,2.1.4,50\n"
        " 1.1.1,2.1.5,50\n"
        "01.1.1,2.1.6,50\n"
        "+1.1.1,2.1.7,50\n");
    const auto references = referencesOf(table, 1, 1, 1);
    EXPECT_EQ(rowsOf(references), std::vector<std::string>{"19.33.6:3"});
    EXPECT_EQ(references.at(0).title, "Psalms 33:6");
    EXPECT_EQ(rowsOf(referencesOf(table, 1, 1, 10)), std::vector<std::string>{"2.1.1:50"});
    EXPECT_EQ(rowsOf(referencesOf(table, 11, 1, 1)), std::vector<std::string>{"2.1.2:50"});
    EXPECT_TRUE(referencesOf(table, 1, 1, 2).empty());
}

TEST(CrossReferenceListing, OrdersByScoreKeepingFileOrderForTies) {
    const auto table = tableOf(
        "43.3.16,45.5.8,5\n"
        "1.1.1,2.2.2,100\n"   // another verse's line in between
        "43.3.16,62.4.9,12\n"
        "43.3.16,19.23.1,-3\n"
        "43.3.16,43.3.15,5\n"
        "43.3.16,1.1.1,0\n"
        "43.3.16,66.22.21,-40\n");
    const auto references = referencesOf(table, 43, 3, 16);
    EXPECT_EQ(rowsOf(references), (std::vector<std::string>{"62.4.9:12", "45.5.8:5", "43.3.15:5", "1.1.1:0",
                                                            "19.23.1:-3", "66.22.21:-40"}));
    EXPECT_EQ(references.at(0).title, "1 John 4:9");
    EXPECT_EQ(references.at(5).title, "Revelation 22:21");
}

TEST(CrossReferenceListing, LineEndingsDoNotChangeTheResult) {
    const std::string lines[] = {"1.1.1,19.33.6,5", "1.1.1,43.1.1,12", "1.1.1,58.11.3,5"};
    const auto lf = tableOf(lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n");
    const auto crlf = tableOf(lines[0] + "\r\n\r\n" + lines[1] + "\r\n" + lines[2]);
    EXPECT_EQ(linesOf(lf), linesOf(crlf));
    EXPECT_EQ(referencesOf(lf, 1, 1, 1), referencesOf(crlf, 1, 1, 1));
    EXPECT_EQ(rowsOf(referencesOf(lf, 1, 1, 1)), (std::vector<std::string>{"43.1.1:12", "19.33.6:5", "58.11.3:5"}));
}

TEST(CrossReferenceListing, SkipsLinesWithoutDefinedMeaning) {
    const auto table = tableOf(
        "source,target,score\n"        // header
        "1.1.1\n"                      // no fields
        "1.1.1,2.2.2\n"                // fewer than three fields
        "1.1.1,,5\n"                   // empty target
        "1.1.1,2.2,5\n"                // target of two parts
        "1.1.1,2.x.2,5\n"              // target part not an integer
        "1.1.1,2.2.2,five\n"           // score not an integer
        "1.1.1,2.2.2,5.0\n"            // score not an integer
        "1.1.1,2.2.2, 5\n"             // blank before the score
        "1.1.1,2.2.2,5 \n"             // blank after the score
        "1.1.1,2.2.2,\n"               // empty score
        "1.1.1,2.2.2,+\n"              // a sign alone
        "1.1.1,2.2.2,99999999999999999999\n"  // score too large to be an integer
        "1.1.1,0.1.1,5\n"              // book below 1
        "1.1.1,67.1.1,5\n"             // book above 66
        "1.1.1,-1.1.1,5\n"
        "1.1.1,1.51.1,5\n"             // Genesis has 50 chapters
        "1.1.1,65.2.1,5\n"             // Jude has one
        "1.1.1,1.0.1,5\n"              // chapter below 1
        "1.1.1,1.1.0,5\n"              // verse below 1
        "1.1.1,1.1.99999999999,5\n"    // verse beyond any int
        "1.1.1,4294967297.1.1,5\n"     // book that wraps to 1 in 32 bits
        "1.1.1,19.150.6,1\n");         // the one good line
    EXPECT_EQ(rowsOf(referencesOf(table, 1, 1, 1)), std::vector<std::string>{"19.150.6:1"});
}

TEST(CrossReferenceListing, ReadsIntegersAsSignedDecimal) {
    const auto table = tableOf(
        "1.1.1,+2.02.002,+7\n"
        "1.1.1,3.3.3,-9223372036854775808\n"
        "1.1.1,4.4.4,9223372036854775807\n"
        "1.1.1,5.5.5,8,extra,fields\n"   // fields after the score are not read
        "1.1.1,6.6.6.6,4\n");            // parts after the verse are not read
    EXPECT_EQ(rowsOf(referencesOf(table, 1, 1, 1)),
              (std::vector<std::string>{"4.4.4:9223372036854775807", "5.5.5:8", "2.2.2:7", "6.6.6:4",
                                        "3.3.3:-9223372036854775808"}));
}

TEST(CrossReferenceListing, AnyIntTripleIsAcceptedAsAVerse) {
    // Keys are built from whatever numbers the screen holds; odd ones match only their own
    // literal lines and nothing is read outside the catalogue.
    const auto table = tableOf(
        "-1.2.3,1.1.1,5\n"
        "0.0.0,1.1.2,5\n"
        "2147483647.1.1,1.1.3,5\n"
        "-2147483648.1.1,1.1.4,5\n"
        "-0.0.0,1.1.5,5\n");
    EXPECT_EQ(rowsOf(referencesOf(table, -1, 2, 3)), std::vector<std::string>{"1.1.1:5"});
    EXPECT_EQ(rowsOf(referencesOf(table, 0, 0, 0)), std::vector<std::string>{"1.1.2:5"});
    EXPECT_EQ(rowsOf(referencesOf(table, 2147483647, 1, 1)), std::vector<std::string>{"1.1.3:5"});
    EXPECT_EQ(rowsOf(referencesOf(table, -2147483647 - 1, 1, 1)), std::vector<std::string>{"1.1.4:5"});
    EXPECT_TRUE(referencesOf(table, 67, 1, 1).empty());
}

// Random short lines over the characters that matter to the format: the index must agree
// with the scan for every key, including the odd ones the lines happen to spell.
TEST(CrossReferenceListing, IndexAgreesWithTheScanOnRandomTables) {
    std::mt19937 random(20240611);
    const std::string alphabet = "0011122233-+.,,,.. x\n\r";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 400)(random);
        std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
        for (int i = 0; i < length; ++i) text += alphabet[pick(random)];
        // A few well-formed lines so that matches are not rare.
        for (int i = 0; i < 5; ++i)
            text += "\n" + std::to_string(random() % 3) + "." + std::to_string(random() % 3) + "." +
                    std::to_string(random() % 3) + "," + std::to_string(1 + random() % 3) + ".1.1," +
                    std::to_string(static_cast<int>(random() % 7) - 3);
        const auto table = tableOf(text);
        for (int book = -1; book <= 3; ++book)
            for (int chapter = -1; chapter <= 3; ++chapter)
                for (int verse = -1; verse <= 3; ++verse) referencesOf(table, book, chapter, verse);
    }
}

}  // namespace
