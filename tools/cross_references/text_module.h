#pragma once
// The translation's own module: which verses the application's text has, and the OSIS
// markup of each, which carries the lemmas and the translators' cross-reference notes.

#include <sword/swmgr.h>
#include <sword/versekey.h>

#include <string>
#include <vector>

#include "tools/cross_references/verse_space.h"

namespace crossrefs {

struct TextModule {
    VerseSpace space;
    std::vector<std::string> markup;  // by dense verse index
};

// Reads the 66 books of the module (its deuterocanonical books are skipped), with the same
// verses as the text resource built from it. Returns false with a message when the module
// is missing or its numbering is not contiguous.
bool readTextModule(sword::SWMgr& library, const char* moduleName, TextModule& out, std::string& error);

// A SWORD key standing on a verse of the text, for resolving partial references.
sword::VerseKey contextKey(const VerseLocation& location);

}  // namespace crossrefs
