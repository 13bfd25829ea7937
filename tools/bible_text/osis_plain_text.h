// Turning one verse of a SWORD OSIS module into plain reading text.
//
// Kept: the words and their punctuation (typographic quotes, apostrophes, dashes).
// Dropped: notes, titles, speaker labels, Strong's and other inline markup, milestones.
// Line and paragraph breaks become single blanks; runs of white space collapse to one
// blank; the result has no blank at either end. A dropped note leaves a blank only where
// the words around it would otherwise run together ("God<note>...</note>created").
#pragma once

#include <string>
#include <string_view>

namespace bible_text {

struct PlainVerse {
    std::string text;
    // What the verse's first footnote offers instead of the text: the marked alternate
    // reading, else the quoted words of the note, else the note's whole text. Empty when
    // the verse has no footnote. Used for verses that the translation leaves empty.
    std::string alternateReading;
};

PlainVerse osisToPlainVerse(std::string_view osis);

}  // namespace bible_text
