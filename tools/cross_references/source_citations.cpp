#include "tools/cross_references/sources.h"
#include "tools/cross_references/sword_references.h"

namespace crossrefs {

void addCitations(int from, const std::vector<Passage>& passages, double weight, double reverseWeight,
                  const SourceWeights& weights, ReferenceEvidence& evidence) {
    for (const Passage& p : passages) {
        const int last = p.length() > weights.longestCitedPassage ? p.first : p.last;
        for (int v = p.first; v <= last; ++v) {
            const double factor = v == p.first ? 1.0 : weights.passageTailFactor;
            evidence.addLink(from, v, weight * factor);
            evidence.addLink(v, from, reverseWeight * factor);
        }
    }
}

}  // namespace crossrefs
