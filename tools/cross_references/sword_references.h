#pragma once
// Turning SWORD keys and reference strings into verses of the application's text.

#include <sword/versekey.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/cross_references/verse_space.h"

namespace crossrefs {

// A contiguous passage of the text, as dense verse indexes [first, last].
struct Passage {
    int first = 0;
    int last = 0;
    int length() const { return last - first + 1; }
};

// Book number 1-66 of an OSIS book name by its position in the 66-book canon, or 0 for a
// book outside it (deuterocanon, unknown names).
int canonBookNumber(const char* osisBookName);

// The verse a key stands on, or nullopt when it is outside the text.
std::optional<int> verseOf(const VerseSpace& space, const sword::VerseKey& key);

// Every passage named in free reference text ("Exodus 23:13; Psalm 16:4", "lu 15:4-6"),
// read with SWORD's parser in KJV versification. `context` resolves partial references such
// as a bare verse number. Verses missing from the text are cut off; passages that fall
// wholly outside it are dropped.
std::vector<Passage> parsePassages(const VerseSpace& space, const std::string& text, const sword::VerseKey& context);

// Every passage of an OSIS reference list ("Exod.6.16-Exod.6.20 Ps.23"). A chapter alone
// stands for the whole chapter.
std::vector<Passage> parseOsisPassages(const VerseSpace& space, const std::string& osisRef);

}  // namespace crossrefs
