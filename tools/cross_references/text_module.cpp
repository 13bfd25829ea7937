#include "tools/cross_references/text_module.h"

#include <sword/swmodule.h>
#include <sword/versekey.h>
#include <sword/versificationmgr.h>

#include "tools/bible_text/osis_plain_text.h"
#include "tools/cross_references/sword_references.h"

namespace crossrefs {

bool readTextModule(sword::SWMgr& library, const char* moduleName, TextModule& out, std::string& error) {
    sword::SWModule* module = library.getModule(moduleName);
    if (!module) {
        error = std::string("SWORD module ") + moduleName + " is not installed";
        return false;
    }
    // The verses of one chapter wait here until it ends: like the text resource, a chapter
    // leaves out the verses at its end that have no reading text (a verse moved elsewhere,
    // with only a footnote left), while an empty verse inside it keeps its place.
    struct Pending {
        VerseLocation location;
        std::string markup;
        bool hasText;
    };
    std::vector<Pending> chapter;
    bool numberingOk = true;
    auto flushChapter = [&] {
        while (!chapter.empty() && !chapter.back().hasText) chapter.pop_back();
        for (auto& verse : chapter) {
            if (!out.space.add(verse.location)) {
                numberingOk = false;
                error = std::string("verse numbering of ") + moduleName + " is not contiguous at book " +
                        std::to_string(verse.location.book) + " chapter " + std::to_string(verse.location.chapter);
                break;
            }
            out.markup.push_back(std::move(verse.markup));
        }
        chapter.clear();
    };
    for (module->setPosition(sword::TOP); !module->popError() && numberingOk; module->increment()) {
        const auto* key = dynamic_cast<const sword::VerseKey*>(module->getKey());
        if (!key || key->getChapter() < 1 || key->getVerse() < 1) continue;  // introductions
        const int book = canonBookNumber(key->getOSISBookName());
        if (book == 0) continue;
        const VerseLocation location{book, key->getChapter(), key->getVerse()};
        if (!chapter.empty() &&
            (chapter.back().location.book != book || chapter.back().location.chapter != location.chapter))
            flushChapter();
        std::string markup = module->getRawEntry();
        const bool hasText = !bible_text::osisToPlainVerse(markup).text.empty();
        chapter.push_back({location, std::move(markup), hasText});
    }
    if (numberingOk) flushChapter();
    if (!numberingOk) return false;
    if (out.space.size() == 0) {
        error = std::string("SWORD module ") + moduleName + " has no verses";
        return false;
    }
    return true;
}

sword::VerseKey contextKey(const VerseLocation& location) {
    static const sword::VersificationMgr::System* kjv =
        sword::VersificationMgr::getSystemVersificationMgr()->getVersificationSystem("KJV");
    sword::VerseKey key;
    key.setVersificationSystem("KJV");
    const auto* book = kjv ? kjv->getBook(location.book - 1) : nullptr;
    if (book)
        key.setText((std::string(book->getOSISName()) + " " + std::to_string(location.chapter) + ":" +
                     std::to_string(location.verse))
                        .c_str());
    return key;
}

}  // namespace crossrefs
