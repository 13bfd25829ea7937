#include "scripture/bible_text.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>

#include "scripture/unicode_whitespace.h"

namespace scripture {

void BibleTextParser::didStartElement(std::string_view name) { element.assign(name); }

void BibleTextParser::foundCharacters(std::string_view text) {
    const std::string_view trimmed = trimWhitespaceAndNewlines(text);
    if (trimmed.empty()) return;
    if (element == "c") parsedChapter.assign(trimmed);
    if (element == "h") parsedBook.assign(trimmed);
    if (element == "v") {
        std::string entry;
        entry.reserve(parsedBook.size() + parsedChapter.size() + 2 + trimmed.size());
        entry += parsedBook;
        entry += '_';
        entry += parsedChapter;
        entry += ':';
        entry += trimmed;
        versesInBible.push_back(std::move(entry));
    }
}

void BibleTextParser::parseErrorOccurred() {}

namespace {

// Joins the pieces of one run of character data. The run ends at any tag, start or end,
// so text after an end tag stays a piece of its own, as the parser would see it without
// the joining; end tags do nothing else.
struct ExpatSession {
    BibleTextParser& parser;
    std::string pending;

    void flush() {
        if (pending.empty()) return;
        parser.foundCharacters(pending);
        pending.clear();
    }
};

void XMLCALL onStartElement(void* userData, const XML_Char* name, const XML_Char**) {
    auto& session = *static_cast<ExpatSession*>(userData);
    session.flush();
    session.parser.didStartElement(name);
}

void XMLCALL onEndElement(void* userData, const XML_Char*) { static_cast<ExpatSession*>(userData)->flush(); }

void XMLCALL onCharacterData(void* userData, const XML_Char* text, int length) {
    static_cast<ExpatSession*>(userData)->pending.append(text, static_cast<std::size_t>(length));
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

LoadResult loadBibleTextFromMemory(std::string_view xml, BibleTextParser& parser) {
    // No namespace processing: element names are compared as written.
    std::unique_ptr<XML_ParserStruct, ParserDeleter> expat(XML_ParserCreate(nullptr));
    if (!expat) return LoadResult::missingFile;
    ExpatSession session{parser, {}};
    XML_SetUserData(expat.get(), &session);
    XML_SetElementHandler(expat.get(), onStartElement, onEndElement);
    XML_SetCharacterDataHandler(expat.get(), onCharacterData);

    constexpr std::size_t kChunk = std::size_t{1} << 30;  // XML_Parse takes an int length
    bool failed = false;
    do {
        const std::size_t length = std::min(xml.size(), kChunk);
        const bool isFinal = length == xml.size();
        if (XML_Parse(expat.get(), xml.data(), static_cast<int>(length), isFinal) != XML_STATUS_OK) {
            failed = true;
            break;
        }
        xml.remove_prefix(length);
    } while (!xml.empty());

    // Text that expat delivered before stopping was read, so it counts.
    session.flush();
    if (failed) {
        parser.parseErrorOccurred();
        return LoadResult::brokenOff;
    }
    return LoadResult::complete;
}

LoadResult loadBibleText(const std::string& path, BibleTextParser& parser) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return LoadResult::missingFile;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return LoadResult::missingFile;
    const std::streamoff size = file.tellg();
    if (size < 0) return LoadResult::missingFile;
    std::string xml(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(xml.data(), size)) return LoadResult::missingFile;
    return loadBibleTextFromMemory(xml, parser);
}

}  // namespace scripture
