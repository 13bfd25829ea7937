#include "tools/bible_text/osis_plain_text.h"

#include <array>
#include <cstdint>
#include <optional>

namespace bible_text {
namespace {

constexpr std::string_view kLeftDoubleQuote = "\u201C";
constexpr std::string_view kRightDoubleQuote = "\u201D";

bool isAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool isAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// True for the UTF-8 characters in `set`, each given as its encoded bytes.
template <std::size_t N>
bool startsWithAny(std::string_view text, const std::array<std::string_view, N>& set) {
    for (std::string_view item : set) {
        if (text.starts_with(item)) return true;
    }
    return false;
}

constexpr std::array<std::string_view, 5> kOpeners = {"\u201C", "\u2018", "(", "[", "\u2014"};

// Collects text with collapsed white space. A "soft break" (where a note was dropped)
// becomes a blank only between a word end and a word start; punctuation right after a
// dropped note never takes a blank, even one the module wrote ("coins <note/> ?").
class PlainTextBuilder {
public:
    void space() { pendingSpace_ = true; }
    void softBreak() { pendingSoftBreak_ = true; }

    void append(std::string_view text) {
        while (!text.empty()) {
            if (isAsciiSpace(text.front())) {
                space();
                text.remove_prefix(1);
                continue;
            }
            std::size_t run = 0;
            while (run < text.size() && !isAsciiSpace(text[run])) ++run;
            appendWordPiece(text.substr(0, run));
            text.remove_prefix(run);
        }
    }

    const std::string& text() const { return text_; }

private:
    void appendWordPiece(std::string_view piece) {
        if (!text_.empty()) {
            bool blank = pendingSpace_;
            if (pendingSoftBreak_) {
                if (startsWithClosingPunctuation(piece)) blank = false;
                else blank = blank || (endsWord() && startsWord(piece));
            }
            if (blank) text_ += ' ';
        }
        pendingSpace_ = false;
        pendingSoftBreak_ = false;
        text_ += piece;
    }

    bool endsWord() const {
        for (std::string_view opener : kOpeners) {
            if (std::string_view(text_).ends_with(opener)) return false;
        }
        return true;
    }

    static bool startsWord(std::string_view piece) {
        const char first = piece.front();
        if (isAsciiAlnum(first)) return true;
        if (startsWithAny(piece, std::array<std::string_view, 4>{"\u201C", "\u2018", "(", "["})) return true;
        // Other ASCII is punctuation; so is the General Punctuation block (E2 80..81 xx).
        if (static_cast<unsigned char>(first) < 0x80) return false;
        return !(piece.size() >= 2 && static_cast<unsigned char>(first) == 0xE2 &&
                 (static_cast<unsigned char>(piece[1]) == 0x80 || static_cast<unsigned char>(piece[1]) == 0x81));
    }

    static bool startsWithClosingPunctuation(std::string_view piece) {
        static constexpr std::array<std::string_view, 9> kClosers = {",", ".", ";", ":", "!", "?", ")", "\u201D", "\u2019"};
        return startsWithAny(piece, kClosers);
    }

    std::string text_;
    bool pendingSpace_ = false;
    bool pendingSoftBreak_ = false;
};

// Replaces the predefined and numeric character references; anything else stays as is.
std::string decodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t amp = text.find('&');
        out.append(text.substr(0, amp));
        if (amp == std::string_view::npos) break;
        text.remove_prefix(amp);
        const std::size_t semicolon = text.find(';');
        const std::string_view name = semicolon == std::string_view::npos ? std::string_view{} : text.substr(1, semicolon - 1);
        std::optional<std::uint32_t> codePoint;
        if (name == "amp") codePoint = '&';
        else if (name == "lt") codePoint = '<';
        else if (name == "gt") codePoint = '>';
        else if (name == "quot") codePoint = '"';
        else if (name == "apos") codePoint = '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t value = 0;
            bool valid = !digits.empty() && digits.size() <= 8;
            for (char c : digits) {
                int digit = -1;
                if (c >= '0' && c <= '9') digit = c - '0';
                else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
                if (digit < 0) { valid = false; break; }
                value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            }
            if (valid && value > 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) codePoint = value;
        }
        if (!codePoint) {
            out += '&';
            text.remove_prefix(1);
            continue;
        }
        const std::uint32_t c = *codePoint;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        text.remove_prefix(semicolon + 1);
    }
    return out;
}

struct Tag {
    std::string_view name;
    std::string_view body;  // everything between the name and the closing '>'
    bool isEnd = false;
    bool isEmpty = false;   // <name ... />

    // The value of attribute `attribute` written as attribute="value", or nothing.
    std::optional<std::string_view> attribute(std::string_view attribute) const {
        for (std::size_t at = body.find(attribute); at != std::string_view::npos; at = body.find(attribute, at + 1)) {
            const bool startsName = at == 0 || isAsciiSpace(body[at - 1]);
            const std::size_t after = at + attribute.size();
            if (!startsName || body.substr(after, 2) != "=\"") continue;
            const std::size_t close = body.find('"', after + 2);
            if (close == std::string_view::npos) return std::nullopt;
            return body.substr(after + 2, close - after - 2);
        }
        return std::nullopt;
    }
};

Tag parseTag(std::string_view inside) {
    Tag tag;
    if (!inside.empty() && inside.front() == '/') {
        tag.isEnd = true;
        inside.remove_prefix(1);
    }
    if (!inside.empty() && inside.back() == '/') {
        tag.isEmpty = true;
        inside.remove_suffix(1);
    }
    std::size_t nameEnd = 0;
    while (nameEnd < inside.size() && !isAsciiSpace(inside[nameEnd])) ++nameEnd;
    tag.name = inside.substr(0, nameEnd);
    tag.body = inside.substr(nameEnd);
    return tag;
}

// Elements that separate words the way a line or paragraph break does.
bool isBreakingElement(std::string_view name) {
    static constexpr std::array<std::string_view, 14> kNames = {"div",  "p",     "l",       "lg",   "lb",
                                                               "list", "item",  "chapter", "verse", "milestone",
                                                               "head", "table", "row",     "cell"};
    for (std::string_view known : kNames) {
        if (name == known) return true;
    }
    return false;
}

// Elements whose content is not reading text.
bool isHiddenElement(std::string_view name) { return name == "note" || name == "title" || name == "speaker"; }

// The back matter (glossary and the like) that a module appends to the last verse of a book.
bool endsTheBook(const Tag& tag) {
    if (tag.name != "div" || tag.isEnd) return false;
    const auto type = tag.attribute("type");
    if (!type) return false;
    if (*type == "book") return tag.attribute("eID").has_value();
    return *type == "glossary" || *type == "back" || *type == "appendix" || *type == "colophon";
}

std::string quotedPart(const std::string& noteText) {
    const std::size_t open = noteText.find(kLeftDoubleQuote);
    if (open == std::string::npos || !std::string_view(noteText).ends_with(kRightDoubleQuote)) return noteText;
    const std::size_t start = open + kLeftDoubleQuote.size();
    const std::size_t end = noteText.size() - kRightDoubleQuote.size();
    if (end <= start) return noteText;
    return noteText.substr(start, end - start);
}

}  // namespace

PlainVerse osisToPlainVerse(std::string_view osis) {
    PlainTextBuilder verse;
    PlainTextBuilder noteText;
    PlainTextBuilder reading;

    int hiddenDepth = 0;           // nesting inside a hidden element
    bool inFirstFootnote = false;  // collecting the first footnote
    bool footnoteSeen = false;
    int referenceDepth = 0;        // inside a note's <reference>: the "1:1 " label
    int readingDepth = 0;          // inside a note's <rdg>

    auto sink = [&](std::string_view text) {
        if (hiddenDepth == 0) {
            verse.append(text);
        } else if (inFirstFootnote && referenceDepth == 0) {
            noteText.append(text);
            if (readingDepth > 0) reading.append(text);
        }
    };

    while (!osis.empty()) {
        const std::size_t open = osis.find('<');
        if (open != 0) {
            sink(decodeEntities(osis.substr(0, open)));
            if (open == std::string_view::npos) break;
            osis.remove_prefix(open);
        }
        if (osis.starts_with("<!--")) {
            const std::size_t close = osis.find("-->");
            if (close == std::string_view::npos) break;
            osis.remove_prefix(close + 3);
            continue;
        }
        const std::size_t close = osis.find('>');
        if (close == std::string_view::npos) break;  // a cut-off tag: nothing readable follows
        const Tag tag = parseTag(osis.substr(1, close - 1));
        osis.remove_prefix(close + 1);

        if (hiddenDepth > 0) {
            if (tag.isEmpty) continue;
            if (tag.isEnd) {
                if (tag.name == "reference" && referenceDepth > 0) --referenceDepth;
                if (tag.name == "rdg" && readingDepth > 0) --readingDepth;
                if (--hiddenDepth == 0) {
                    inFirstFootnote = false;
                    verse.softBreak();
                }
            } else {
                ++hiddenDepth;
                if (tag.name == "reference") ++referenceDepth;
                if (tag.name == "rdg") ++readingDepth;
            }
            continue;
        }
        if (endsTheBook(tag)) break;
        if (isHiddenElement(tag.name)) {
            if (tag.isEmpty || tag.isEnd) {
                verse.softBreak();
                continue;
            }
            hiddenDepth = 1;
            const bool isFootnote = tag.name == "note" && tag.attribute("type") != "crossReference";
            if (isFootnote && !footnoteSeen) {
                footnoteSeen = true;
                inFirstFootnote = true;
            }
            continue;
        }
        if (isBreakingElement(tag.name)) verse.space();
    }

    PlainVerse result;
    result.text = verse.text();
    if (!reading.text().empty()) {
        result.alternateReading = reading.text();
    } else {
        result.alternateReading = quotedPart(noteText.text());
    }
    return result;
}

}  // namespace bible_text
