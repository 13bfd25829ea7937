// Laying out one chapter so that verse n is always at position n - 1.
#pragma once

#include <string>
#include <vector>

#include "tools/bible_text/osis_plain_text.h"

namespace bible_text {

// `verses[i]` is verse i + 1 as the module gives it. Empty verses at the end of the chapter
// are left out; an empty verse before a non-empty one keeps its place and shows its
// footnote's alternate reading in brackets (or nothing but its number when it has none).
std::vector<std::string> assembleChapter(const std::vector<PlainVerse>& verses);

}  // namespace bible_text
