// The Scofield Reference Notes: every osisRef in a verse's note cites a passage. Its refs are
// loose ("lu 15:4 lu 15:6", "Scofield:Mt 4:8" for another note), so SWORD's parser reads them.

#include <sword/swmodule.h>
#include <sword/versekey.h>

#include <algorithm>
#include <cmath>

#include "tools/cross_references/sources.h"
#include "tools/cross_references/sword_references.h"

namespace crossrefs {

namespace {

// Book and chapter introductions sit before the first verse's note, between a pre-verse
// milestone's start and end; their references concern the whole book, not the verse.
std::string withoutIntroductions(std::string markup) {
    static constexpr std::string_view start = "subType=\"x-preverse\" sID=\"";
    for (size_t pos = markup.find(start); pos != std::string::npos; pos = markup.find(start, pos)) {
        const size_t idStart = pos + start.size();
        const size_t idEnd = markup.find('"', idStart);
        if (idEnd == std::string::npos) break;
        const std::string endMarker = "eID=\"" + markup.substr(idStart, idEnd - idStart) + "\"";
        const size_t end = markup.find(endMarker, idEnd);
        const size_t tagStart = markup.rfind('<', pos);
        if (end == std::string::npos || tagStart == std::string::npos) {
            markup.erase(pos);  // an unterminated introduction runs to the end
            break;
        }
        markup.erase(tagStart, end + endMarker.size() - tagStart);
        pos = tagStart;
    }
    return markup;
}

}  // namespace

SourceReport addScofieldNotes(sword::SWMgr& library, const VerseSpace& space, const SourceWeights& weights,
                              ReferenceEvidence& evidence) {
    SourceReport report{"Scofield Reference Notes"};
    sword::SWModule* module = library.getModule("Scofield");
    if (!module) return report;
    static constexpr std::string_view attribute = "osisRef=\"";
    for (module->setPosition(sword::TOP); !module->popError(); module->increment()) {
        const auto* key = dynamic_cast<const sword::VerseKey*>(module->getKey());
        if (!key) continue;
        auto from = verseOf(space, *key);
        if (!from) continue;
        const std::string markup = withoutIntroductions(module->getRawEntry());
        std::vector<Passage> passages;
        for (size_t pos = markup.find(attribute); pos != std::string::npos; pos = markup.find(attribute, pos)) {
            pos += attribute.size();
            const size_t end = markup.find('"', pos);
            if (end == std::string::npos) break;
            std::string ref = markup.substr(pos, end - pos);
            if (const size_t colon = ref.find("Scofield:"); colon != std::string::npos) ref.erase(colon, 9);
            auto found = parsePassages(space, ref, *key);
            passages.insert(passages.end(), found.begin(), found.end());
            pos = end;
        }
        if (passages.empty()) continue;
        // A note citing many passages (a word study) says less about each than one citing a few.
        const double specificity =
            std::min(1.0, std::sqrt(weights.specificNoteCitations / static_cast<double>(passages.size())));
        addCitations(*from, passages, weights.scofieldNote * specificity, weights.scofieldNoteReverse * specificity,
                     weights, evidence);
        report.items++;
    }
    return report;
}

}  // namespace crossrefs
