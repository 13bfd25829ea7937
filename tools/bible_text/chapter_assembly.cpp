#include "tools/bible_text/chapter_assembly.h"

namespace bible_text {

std::vector<std::string> assembleChapter(const std::vector<PlainVerse>& verses) {
    std::size_t kept = verses.size();
    while (kept > 0 && verses[kept - 1].text.empty()) --kept;

    std::vector<std::string> texts;
    texts.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        const PlainVerse& verse = verses[i];
        if (!verse.text.empty()) {
            texts.push_back(verse.text);
        } else if (!verse.alternateReading.empty()) {
            texts.push_back("[" + verse.alternateReading + "]");
        } else {
            texts.emplace_back();
        }
    }
    return texts;
}

}  // namespace bible_text
