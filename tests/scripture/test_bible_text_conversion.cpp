// Building the text resource: OSIS verse markup to plain reading text, chapter layout,
// and the written XML read back by the loader.
#include <gtest/gtest.h>

#include <sstream>

#include "scripture/bible_text.h"
#include "tools/bible_text/chapter_assembly.h"
#include "tools/bible_text/osis_plain_text.h"
#include "tools/bible_text/web_xml_writer.h"

using bible_text::osisToPlainVerse;
using bible_text::PlainVerse;

TEST(OsisPlainText, GenesisOneOneReadsAsPlainText) {
    const char* osis =
        "<w lemma=\"strong:H0430\">In</w> <w lemma=\"strong:H0853\">the</w> <w lemma=\"strong:H7225\">beginning</w>, "
        "<w lemma=\"strong:H0430\">God</w><note placement=\"foot\"><reference type=\"annotateRef\">1:1 </reference>"
        "The Hebrew word rendered \u201CGod\u201D is \u201C\u05D0\u05B1\u05DC\u05B9\u05D4\u05B4\u05D9\u05DD\u201D "
        "(Elohim).</note><w lemma=\"strong:H1254\">created</w> <w lemma=\"strong:H0853\">the</w> "
        "<w lemma=\"strong:H8064\">heavens</w> <w lemma=\"strong:H0430\">and</w> <w lemma=\"strong:H0853\">the</w> "
        "<w lemma=\"strong:H0776\">earth</w>.";
    EXPECT_EQ(osisToPlainVerse(osis).text, "In the beginning, God created the heavens and the earth.");
}

TEST(OsisPlainText, DroppedNotesSeparateWordsButNotPunctuation) {
    struct Case { const char* osis; const char* text; };
    const Case cases[] = {
        {"God<note>n</note>created", "God created"},
        {"Moses,<note>n</note>and said", "Moses, and said"},
        {"and said,<note>n</note>\u201CA forest", "and said, \u201CA forest"},
        {"the earth<note>n</note>.", "the earth."},
        {"\u201CTo descendants<note>n</note>\u201D, as of many", "\u201CTo descendants\u201D, as of many"},
        {"twenty gerahs<note>n</note>); half", "twenty gerahs); half"},
        {"my people!\u2019<note>n</note> and", "my people!\u2019 and"},
        {"the sons of the living God\u2019<note>n</note>.", "the sons of the living God\u2019."},
        {"Praise Yah!<note>n</note><l eID=\"a\"/> <l sID=\"b\"/>Praise", "Praise Yah! Praise"},
        {"(<note>n</note>text)", "(text)"},
        {"God\u2014<note>n</note>the", "God\u2014the"},
        {"kept to the end<note>n</note>[of days", "kept to the end [of days"},
        {"the <note>n</note>Word", "the Word"},
        {"two assaria coins</q> <note>n</note> <q marker=\"\">? Not one", "two assaria coins? Not one"},
        {"a \u2018quote\u2019 ? without a note stays as written", "a \u2018quote\u2019 ? without a note stays as written"},
        {"Ahaz<note type=\"crossReference\"><reference>2 Kings 16:1</reference></note>\u00E9l", "Ahaz \u00E9l"},
    };
    for (const Case& c : cases) EXPECT_EQ(osisToPlainVerse(c.osis).text, c.text) << c.osis;
}

TEST(OsisPlainText, MarkupTitlesAndMilestonesAreRemoved) {
    struct Case { const char* osis; const char* text; };
    const Case cases[] = {
        {"<div type=\"x-milestone\" subType=\"x-preverse\" sID=\"pv1\"/><title canonical=\"true\" type=\"psalm\">A Psalm "
         "by David.</title> <lg sID=\"g1\"/> <l level=\"1\" sID=\"g2\"/><div type=\"x-milestone\" subType=\"x-preverse\" "
         "eID=\"pv1\"/>Yahweh, how my adversaries have increased!<l eID=\"g2\" level=\"1\"/> <l level=\"2\" sID=\"g3\"/>"
         "Many are those who rise up against me. <l eID=\"g3\" level=\"2\"/>",
         "Yahweh, how my adversaries have increased! Many are those who rise up against me."},
        {"<speaker>Beloved</speaker> <lg sID=\"g\"/><l sID=\"l\"/>Let him kiss me", "Let him kiss me"},
        {"said to him, <q marker=\"\" who=\"Jesus\">\u201CAllow it now\u201D</q>", "said to him, \u201CAllow it now\u201D"},
        {"line one<lb type=\"x-p\"/>line two<milestone type=\"x\"/>three", "line one line two three"},
        {"<seg type=\"keyword\">Abba</seg> is <name type=\"x\">Chaldee</name>", "Abba is Chaldee"},
        {"  spaced \n\t out   text \r\n", "spaced out text"},
        {"TR &amp; NU &lt;b&gt; &quot;q&quot; &#x201C;x&#8221; &unknown; & alone", "TR & NU <b> \"q\" \u201Cx\u201D &unknown; & alone"},
        {"a<!-- comment -->b", "ab"},
        {"cut off <w lemma=", "cut off"},
    };
    for (const Case& c : cases) EXPECT_EQ(osisToPlainVerse(c.osis).text, c.text) << c.osis;
}

TEST(OsisPlainText, BackMatterAfterTheLastVerseIsDropped) {
    const PlainVerse verse = osisToPlainVerse(
        "with all the saints. Amen.  <chapter eID=\"Rev.22\"/><div eID=\"g1\" type=\"x-p\"/> "
        "<div canonical=\"true\" eID=\"g0\" osisID=\"Rev\" type=\"book\"/> <div sID=\"g2\" type=\"glossary\"/> "
        "<title>Glossary</title> <list><item><seg type=\"keyword\">Abba</seg> father</item></list>");
    EXPECT_EQ(verse.text, "with all the saints. Amen.");
    EXPECT_EQ(osisToPlainVerse("text <div sID=\"g\" type=\"glossary\"/>Abaddon").text, "text");
    EXPECT_EQ(osisToPlainVerse("<div canonical=\"true\" sID=\"g\" osisID=\"Rev\" type=\"book\"/>text").text, "text");
}

TEST(OsisPlainText, AlternateReadingComesFromTheFirstFootnote) {
    struct Case { const char* osis; const char* reading; };
    const Case cases[] = {
        {"<note placement=\"foot\"><reference type=\"annotateRef\">8:37 </reference>TR adds <rdg type=\"alternate\">"
         "Philip said, \u201CIf you believe.\u201D</rdg></note>",
         "Philip said, \u201CIf you believe.\u201D"},
        {"<note placement=\"foot\"><reference type=\"annotateRef\">17:36 </reference>Some Greek manuscripts add: "
         "\u201CTwo will be in the field.\u201D</note>",
         "Two will be in the field."},
        {"<note placement=\"foot\"><reference type=\"annotateRef\">9:9 </reference>Verse 9 is omitted.</note>",
         "Verse 9 is omitted."},
        {"<note type=\"crossReference\"><reference>Isaiah 66:24</reference></note><note placement=\"foot\">"
         "<reference type=\"annotateRef\">9:44 </reference>NU omits verse 44.</note><note>second</note>",
         "NU omits verse 44."},
        {"text only", ""},
    };
    for (const Case& c : cases) {
        const PlainVerse verse = osisToPlainVerse(c.osis);
        EXPECT_EQ(verse.alternateReading, c.reading) << c.osis;
    }
    EXPECT_EQ(osisToPlainVerse(cases[0].osis).text, "");
}

TEST(ChapterAssembly, EveryVerseKeepsItsPositionAndTrailingEmptiesGo) {
    const std::vector<PlainVerse> verses = {
        {"one", ""}, {"", "alternate two"}, {"", ""}, {"four", "a note"}, {"", "after the end"}, {"", ""},
    };
    EXPECT_EQ(bible_text::assembleChapter(verses), (std::vector<std::string>{"one", "[alternate two]", "", "four"}));
    EXPECT_TRUE(bible_text::assembleChapter({{"", "x"}, {"", ""}}).empty());
    EXPECT_TRUE(bible_text::assembleChapter({}).empty());
}

TEST(WebXmlWriter, WrittenTextReadsBackAsTheSameEntries) {
    EXPECT_EQ(bible_text::escapeXmlText("a & b < c > d \u201Cq\u201D '"), "a &amp; b &lt; c &gt; d \u201Cq\u201D '");

    std::ostringstream xml;
    bible_text::WebXmlWriter writer(xml);
    writer.book("Song of Solomon");
    writer.chapter(1);
    writer.verse(1, "The song of songs, which is Solomon\u2019s.");
    writer.verse(2, "Markup-like text: <v> & </v> stays text");
    writer.verse(3, "");
    writer.book("1 John");
    writer.chapter(10);
    writer.verse(1, "x");
    writer.finish();

    scripture::BibleTextParser parser;
    ASSERT_EQ(scripture::loadBibleTextFromMemory(xml.str(), parser), scripture::LoadResult::complete);
    EXPECT_EQ(parser.versesInBible, (std::vector<std::string>{
                                        "Song of Solomon_1:1. The song of songs, which is Solomon\u2019s.",
                                        "Song of Solomon_1:2. Markup-like text: <v> & </v> stays text",
                                        "Song of Solomon_1:3.",
                                        "1 John_10:1. x",
                                    }));
}
