// The translators' own cross-reference notes: <note type="crossReference"> elements whose
// references are written as plain text ("Exodus 23:13; Psalm 16:4").

#include "tools/cross_references/sources.h"
#include "tools/cross_references/sword_references.h"

namespace crossrefs {

namespace {

// The text of the note with its origin marker ("12:4 ") and all tags removed.
std::string citedText(std::string_view note) {
    std::string text;
    size_t pos = 0;
    while (pos < note.size()) {
        if (note.compare(pos, 10, "<reference") == 0 &&
            note.substr(pos, note.find('>', pos) - pos).find("x-origin") != std::string_view::npos) {
            const size_t end = note.find("</reference>", pos);
            if (end == std::string_view::npos) break;
            pos = end + 12;
        } else if (note[pos] == '<') {
            const size_t end = note.find('>', pos);
            if (end == std::string_view::npos) break;
            pos = end + 1;
            text += ' ';
        } else {
            text += note[pos++];
        }
    }
    return text;
}

}  // namespace

SourceReport addTextNotes(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence) {
    SourceReport report{"translation's cross-reference notes"};
    static constexpr std::string_view open = "<note type=\"crossReference\">";
    for (int v = 0; v < text.space.size(); ++v) {
        std::string_view markup = text.markup[static_cast<size_t>(v)];
        for (size_t pos = markup.find(open); pos != std::string_view::npos; pos = markup.find(open, pos)) {
            const size_t end = markup.find("</note>", pos);
            if (end == std::string_view::npos) break;
            const std::string cited = citedText(markup.substr(pos + open.size(), end - pos - open.size()));
            pos = end;
            auto passages = parsePassages(text.space, cited, contextKey(text.space.at(v)));
            if (passages.empty()) continue;
            addCitations(v, passages, weights.textNote, weights.textNoteReverse, weights, evidence);
            report.items++;
        }
    }
    return report;
}

}  // namespace crossrefs
