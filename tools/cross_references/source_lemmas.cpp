// Shared rare original-language words: the Strong's numbers in the translation's markup
// (lemma="strong:H07225 strong:H0853"). Verses sharing a rare lemma refer to one another.

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "tools/cross_references/sources.h"

namespace crossrefs {

namespace {

// "H07225" and "H7225" name the same lemma.
std::string normalizedLemma(std::string_view raw) {
    if (raw.size() < 2 || (raw[0] != 'H' && raw[0] != 'G')) return {};
    std::string_view digits = raw.substr(1);
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return std::string(1, raw[0]) + std::string(digits);
}

}  // namespace

SourceReport addLemmas(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence) {
    SourceReport report{"shared rare lemmas"};
    std::unordered_map<std::string, std::vector<int>> versesOfLemma;
    static constexpr std::string_view prefix = "strong:";
    for (int v = 0; v < text.space.size(); ++v) {
        std::string_view markup = text.markup[static_cast<size_t>(v)];
        for (size_t pos = markup.find(prefix); pos != std::string_view::npos; pos = markup.find(prefix, pos)) {
            pos += prefix.size();
            size_t end = pos;
            while (end < markup.size() && std::isalnum(static_cast<unsigned char>(markup[end]))) end++;
            const std::string lemma = normalizedLemma(markup.substr(pos, end - pos));
            if (lemma.empty()) continue;
            auto& verses = versesOfLemma[lemma];
            if (verses.empty() || verses.back() != v) verses.push_back(v);
        }
    }
    for (auto& [lemma, verses] : versesOfLemma) {
        const auto count = static_cast<int>(verses.size());
        if (count < 2 || count > weights.lemmaMaxVerses) continue;
        std::vector<GroupMember> members;
        for (int v : verses) members.push_back({v, v});
        evidence.addGroup(std::move(members), weights.lemmaScale / std::sqrt(static_cast<double>(count)));
        report.items++;
    }
    return report;
}

}  // namespace crossrefs
