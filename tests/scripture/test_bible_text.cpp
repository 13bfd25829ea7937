// Loading the verse text: the parse state machine, expat delivery, bad and missing files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scripture/bible_text.h"

using namespace scripture;
using Entries = std::vector<std::string>;

namespace {

Entries load(std::string_view xml, LoadResult expected = LoadResult::complete) {
    BibleTextParser parser;
    EXPECT_EQ(loadBibleTextFromMemory(xml, parser), expected);
    return parser.versesInBible;
}

}  // namespace

TEST(BibleTextParser, EntriesCarryBookAndChapterAndTrimmedText) {
    EXPECT_EQ(load("<bible>\n <h>Genesis</h>\n <c>1</c>\n"
                   " <v>1. In the beginning</v>\n"
                   " <v>\n\t 2. Inner  blanks   stay \r\n</v>\n"
                   " <c>2</c><v>1. Thus</v>\n"
                   " <h> Exodus </h><c>1</c><v>1. Now</v>\n"
                   "</bible>"),
              (Entries{"Genesis_1:1. In the beginning", "Genesis_1:2. Inner  blanks   stay", "Genesis_2:1. Thus",
                       "Exodus_1:1. Now"}));
}

TEST(BibleTextParser, StateFollowsTheLastStartedElementOnly) {
    struct Case { const char* name; const char* xml; Entries expected; };
    const Case cases[] = {
        {"text before any h or c uses the initial values", "<r><v>1. a</v></r>", {"0._0.:1. a"}},
        {"white space between elements changes nothing",
         "<r><h>Ruth</h>  \n <c>4</c> \t <v>1. a</v>\n  <v>2. b</v></r>", {"Ruth_4:1. a", "Ruth_4:2. b"}},
        {"text after an end tag still belongs to that element",
         "<r><h>Ruth</h><c>1</c><v>1. a</v>tail<c>2</c>more</r>", {"Ruth_1:1. a", "Ruth_1:tail"}},
        {"a chapter number after its end tag still sets the chapter",
         "<r><h>Ruth</h><c>1</c>2<v>1. a</v></r>", {"Ruth_2:1. a"}},
        {"text inside another element is ignored, as is the text after it",
         "<r><h>Ruth</h><c>1</c><v>1. a<i>x</i>b</v><v>2. c</v></r>", {"Ruth_1:1. a", "Ruth_1:2. c"}},
        {"names are compared exactly as written",
         "<r xmlns:x='u'><h>Ruth</h><c>1</c><V>1. a</V><x:v>2. b</x:v><v>3. c</v></r>", {"Ruth_1:3. c"}},
        {"attributes are ignored", "<r><h n='x'>Ruth</h><c n='9'>1</c><v n='7'>1. a</v></r>", {"Ruth_1:1. a"}},
        {"a chapter with leading zeros is kept as written", "<r><h>Ruth</h><c>01</c><v>1. a</v></r>", {"Ruth_01:1. a"}},
        {"a blank h or c keeps the previous value", "<r><h>Ruth</h><c>3</c><h> </h><c>\n</c><v>1. a</v></r>", {"Ruth_3:1. a"}},
        {"an empty verse gives no entry", "<r><h>Ruth</h><c>1</c><v></v><v>  </v><v>2. b</v></r>", {"Ruth_1:2. b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(load(c.xml), c.expected);
    }
}

TEST(BibleTextParser, PiecesOfOneRunOfTextBecomeOneEntry) {
    EXPECT_EQ(load("<r><h>Ruth</h><c>1</c><v>1. a &amp; b &#x201C;c&#8221;</v>"
                   "<v>2. <![CDATA[x < y]]> z</v><v>3. p<!-- note -->q</v></r>"),
              (Entries{"Ruth_1:1. a & b \u201Cc\u201D", "Ruth_1:2. x < y z", "Ruth_1:3. pq"}));
    EXPECT_EQ(load("<!DOCTYPE r [<!ENTITY name 'Song of Solomon'>]><r><h>&name;</h><c>1</c><v>1. a</v></r>"),
              (Entries{"Song of Solomon_1:1. a"}));
}

TEST(BibleTextParser, TrimsTheUnicodeWhiteSpaceAndNewlineSet) {
    BibleTextParser parser;
    parser.didStartElement("v");
    parser.foundCharacters("\u00A0\u2003\u30001. a\u00A0b\u2028\u2029\u0085\u202F\v\f");
    parser.foundCharacters("\u200B2. zero width space is no white space\u200B");
    parser.foundCharacters("\u00A0\u2028\r\n");
    EXPECT_EQ(parser.versesInBible,
              (Entries{"0._0.:1. a\u00A0b", "0._0.:\u200B2. zero width space is no white space\u200B"}));
}

TEST(BibleTextParser, MalformedUtf8AtTheEdgesIsKeptNotTrimmedAway) {
    BibleTextParser parser;
    parser.didStartElement("v");
    parser.foundCharacters(std::string_view("\xC2 1. a \xE2\x80", 9));
    ASSERT_EQ(parser.versesInBible.size(), 1u);
    EXPECT_EQ(parser.versesInBible[0], std::string("0._0.:\xC2 1. a \xE2\x80"));
}

TEST(BibleTextLoading, XmlThatBreaksOffKeepsWhatWasRead) {
    EXPECT_EQ(load("<r><h>Ruth</h><c>1</c><v>1. a</v><v>2. b</v><v>3. c", LoadResult::brokenOff),
              (Entries{"Ruth_1:1. a", "Ruth_1:2. b", "Ruth_1:3. c"}));
    EXPECT_EQ(load("<r><h>Ruth</h><c>1</c><v>1. a</v><v>2. b</x><v>3. c</v></r>", LoadResult::brokenOff),
              (Entries{"Ruth_1:1. a", "Ruth_1:2. b"}));
    EXPECT_EQ(load("<r><h>Ruth</h><c>1</c><v>1. a &bogus; b</v></r>", LoadResult::brokenOff), (Entries{"Ruth_1:1. a"}));
    EXPECT_EQ(load("", LoadResult::brokenOff), Entries{});
    EXPECT_EQ(load("not xml at all", LoadResult::brokenOff), Entries{});
    EXPECT_EQ(load(std::string_view("<r><v>1. a\0b</v></r>", 20), LoadResult::brokenOff), (Entries{"0._0.:1. a"}));
}

TEST(BibleTextLoading, MissingFileParsesNothing) {
    const auto dir = std::filesystem::path(::testing::TempDir());
    for (const auto& path : {dir / "no-such-dir" / "web.xml", dir}) {
        SCOPED_TRACE(path.string());
        BibleTextParser parser;
        EXPECT_EQ(loadBibleText(path.string(), parser), LoadResult::missingFile);
        EXPECT_TRUE(parser.versesInBible.empty());
        EXPECT_EQ(parser.parsedBook, "0.");
        EXPECT_EQ(parser.parsedChapter, "0.");
    }
}

TEST(BibleTextLoading, ReadsAFileAndKeepsTheLastStateAfterwards) {
    const auto path = std::filesystem::path(::testing::TempDir()) / "lectio-text-load-test.xml";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>\n<bible><h>Jude</h><c>1</c><v>1. Jude, a servant</v>"
               "<v>2. Mercy</v></bible>\n";
    }
    BibleTextParser parser;
    EXPECT_EQ(loadBibleText(path.string(), parser), LoadResult::complete);
    EXPECT_EQ(parser.versesInBible, (Entries{"Jude_1:1. Jude, a servant", "Jude_1:2. Mercy"}));
    EXPECT_EQ(parser.element, "v");
    EXPECT_EQ(parser.parsedBook, "Jude");
    EXPECT_EQ(parser.parsedChapter, "1");
    std::filesystem::remove(path);
}
