// Loading the verse text resource ("web.xml") into a flat list of verse entries.
//
// Each entry is the chapter prefix followed by the verse text, "Genesis_1:1. In the ...".
// BibleTextParser is the state machine of the load: it sees only element starts and
// character data, never element ends, so an element's name stays current until the next
// element starts. loadBibleText feeds it from expat.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scripture {

struct BibleTextParser {
    std::vector<std::string> versesInBible;  // every entry in document order, only appended to
    std::string element;                     // name of the element started last
    std::string parsedBook = "0.";           // book name from the last "h"
    std::string parsedChapter = "0.";        // chapter number text from the last "c"

    void didStartElement(std::string_view name);
    // One piece of character data; trimmed, and ignored when nothing is left.
    void foundCharacters(std::string_view text);
    // The parse stops at the error; entries read so far stay.
    void parseErrorOccurred();
};

enum class LoadResult {
    complete,     // the whole document was parsed
    missingFile,  // no readable file at the path: nothing parsed
    brokenOff,    // malformed or cut-off XML: the entries before the error were kept
};

// Parses an XML document held in memory. Character data between two tags reaches the
// parser as one piece even when expat splits it (entity references, CDATA sections), so a
// verse written as "a &amp; b" is one entry.
LoadResult loadBibleTextFromMemory(std::string_view xml, BibleTextParser& parser);

// Reads and parses the file at `path`.
LoadResult loadBibleText(const std::string& path, BibleTextParser& parser);

}  // namespace scripture
