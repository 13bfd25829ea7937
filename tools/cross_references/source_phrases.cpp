// Shared rare English phrases: quotations and parallel passages repeat runs of words that
// are otherwise rare, so every word n-gram found in only a few verses links them.

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "tools/cross_references/sources.h"

namespace crossrefs {

namespace {

// Lower-case words of the verse's own text: notes are dropped, tags removed (word markup
// sits at word boundaries already), and only ASCII letters and inner apostrophes make words.
std::vector<std::string> wordsOf(std::string_view markup) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        while (!word.empty() && word.back() == '\'') word.pop_back();
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (size_t pos = 0; pos < markup.size();) {
        if (markup.compare(pos, 5, "<note") == 0) {
            const size_t end = markup.find("</note>", pos);
            pos = end == std::string_view::npos ? markup.size() : end + 7;
            flush();
        } else if (markup[pos] == '<') {
            const size_t end = markup.find('>', pos);
            pos = end == std::string_view::npos ? markup.size() : end + 1;
        } else {
            const char c = markup[pos];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                word += static_cast<char>(c | 0x20);
            } else if ((c == '\'' || markup.compare(pos, 3, "\xE2\x80\x99") == 0) && !word.empty()) {
                word += '\'';
                if (c != '\'') pos += 2;
            } else {
                flush();
            }
            pos++;
        }
    }
    flush();
    return words;
}

// Number of verses each word occurs in.
std::unordered_map<std::string, int> wordFrequencies(const std::vector<std::vector<std::string>>& wordsOfVerse) {
    std::unordered_map<std::string, int> frequency;
    for (const auto& words : wordsOfVerse) {
        std::vector<std::string_view> distinct(words.begin(), words.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (auto w : distinct) frequency[std::string(w)]++;
    }
    return frequency;
}

void addPhrasesOfLength(const std::vector<std::vector<std::string>>& wordsOfVerse,
                        const std::unordered_map<std::string, int>& wordFrequency, int commonWordVerses,
                        const SourceWeights::Phrase& setting, ReferenceEvidence& evidence, SourceReport& report) {
    // Runs of common words only ("but he was") say nothing about what two verses share.
    auto meaningful = [&](size_t verse, size_t first) {
        for (size_t k = 0; k < static_cast<size_t>(setting.length); ++k)
            if (wordFrequency.at(wordsOfVerse[verse][first + k]) <= commonWordVerses) return true;
        return false;
    };
    const auto n = static_cast<size_t>(setting.length);
    struct Occurrence {
        int verse;
        int times;
        bool opening;
    };
    // Verses holding each phrase, how often each says it, and whether the verse opens with it.
    std::unordered_map<std::string, std::vector<Occurrence>> versesOfPhrase;
    for (size_t v = 0; v < wordsOfVerse.size(); ++v) {
        const auto& words = wordsOfVerse[v];
        for (size_t i = 0; i + n <= words.size(); ++i) {
            if (!meaningful(v, i)) continue;
            std::string phrase = words[i];
            for (size_t k = 1; k < n; ++k) (phrase += ' ') += words[i + k];
            auto& verses = versesOfPhrase[phrase];
            if (verses.empty() || verses.back().verse != static_cast<int>(v))
                verses.push_back({static_cast<int>(v), 1, i == 0});
            else
                verses.back().times++;
        }
    }
    for (auto& [phrase, verses] : versesOfPhrase) {
        if (setting.openingOnly) {
            // The phrase must be rare anywhere ("but he was" opens few verses yet is common).
            if (static_cast<int>(verses.size()) > setting.maxVersesAnywhere) continue;
            std::erase_if(verses, [](const Occurrence& o) { return !o.opening; });
        }
        const auto count = static_cast<int>(verses.size());
        if (count < 2 || count > setting.maxVerses) continue;
        // A verse that says the phrase twice is more about it: tf-idf style, each member's share
        // is the square root of its count.
        std::vector<GroupMember> members;
        for (const auto& o : verses) members.push_back({o.verse, o.verse, std::sqrt(static_cast<float>(o.times))});
        evidence.addGroup(std::move(members), setting.scale / std::pow(count, setting.exponent));
        report.items++;
    }
}

}  // namespace

SourceReport addPhrases(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence) {
    SourceReport report{"shared rare phrases"};
    std::vector<std::vector<std::string>> words;
    words.reserve(text.markup.size());
    for (const auto& markup : text.markup) words.push_back(wordsOf(markup));
    const auto frequency = wordFrequencies(words);
    for (const auto& setting : weights.phrases)
        addPhrasesOfLength(words, frequency, weights.commonWordVerses, setting, evidence, report);
    return report;
}

}  // namespace crossrefs
