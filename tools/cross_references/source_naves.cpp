// Nave's Topical Bible. An entry (AARON) holds sections ("<lb/>→ Marriage of ..."), which may
// list items; a subtopic is a section's own refs or one item's. Verses of one subtopic refer
// to one another, the more strongly the fewer there are; verses of one section, and of one
// entry, do so more weakly. Inside a subtopic "A; with B"
// pairs a passage with its parallel or quotation, which is the strongest statement Nave makes.

#include <sword/swmodule.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "tools/cross_references/sources.h"
#include "tools/cross_references/sword_references.h"

namespace crossrefs {

namespace {

bool startsSection(std::string_view markup, size_t pos) { return markup.compare(pos, 5, "<lb/>") == 0; }

bool startsSubtopic(std::string_view markup, size_t pos) {
    return markup.compare(pos, 6, "<item>") == 0 || markup.compare(pos, 7, "</item>") == 0;
}

// Some refs lost their verse into the following text: <ref osisRef="2John.1.1">2Jo 1</ref>:6.
std::optional<int> verseAfterRef(std::string_view markup, size_t afterRef) {
    if (afterRef >= markup.size() || markup[afterRef] != ':') return std::nullopt;
    int verse = 0;
    const char* begin = markup.data() + afterRef + 1;
    auto [end, error] = std::from_chars(begin, markup.data() + markup.size(), verse);
    if (error != std::errc() || end == begin || verse < 1) return std::nullopt;
    return verse;
}

// Refs between two ";" or "." belong to one clause ("Mt 4:15,16"); a clause whose lead-in
// text holds the word "with" is the parallel of the clause before it.
struct Clause {
    std::vector<Passage> passages;
    bool pairedWithPrevious = false;
};

class EntryCollector {
public:
    EntryCollector(const SourceWeights& weights, ReferenceEvidence& evidence)
        : weights_(weights), evidence_(evidence) {}

    void addText(std::string_view text) {
        if (text.find(';') != std::string_view::npos || text.find('.') != std::string_view::npos) {
            closeClause();
            leadIn_.clear();
        }
        leadIn_ += text;
    }

    void addRef(std::vector<Passage> passages) {
        if (!clauseOpen_) {
            clauses_.push_back({{}, containsWordWith(leadIn_)});
            clauseOpen_ = true;
        }
        auto& target = clauses_.back().passages;
        target.insert(target.end(), passages.begin(), passages.end());
        leadIn_.clear();
    }

    void finishSubtopic() {
        closeClause();
        if (!clauses_.empty()) subtopicsInSection_++;
        if (topicGroup(clauses_, weights_.subtopic)) subtopics_++;
        for (size_t i = 1; i < clauses_.size(); ++i)
            if (clauses_[i].pairedWithPrevious) pair(clauses_[i - 1], clauses_[i]);
        sectionClauses_.insert(sectionClauses_.end(), clauses_.begin(), clauses_.end());
        clauses_.clear();
        leadIn_.clear();
    }

    // A section is one "<lb/>" line with the items listed under it ("→ FIGURATIVE" with "Of
    // God's care", "Of Christ", ...).
    void finishSection() {
        finishSubtopic();
        // A section with a single subtopic is that subtopic; counting it again would double it.
        if (subtopicsInSection_ > 1) topicGroup(sectionClauses_, weights_.section);
        subtopicsInSection_ = 0;
        entryClauses_.insert(entryClauses_.end(), sectionClauses_.begin(), sectionClauses_.end());
        sectionClauses_.clear();
    }

    void finishEntry() {
        finishSection();
        topicGroup(entryClauses_, weights_.entry);
        entryClauses_.clear();
    }

    size_t subtopics() const { return subtopics_; }

private:
    static bool containsWordWith(const std::string& text) {
        for (size_t pos = text.find("with"); pos != std::string::npos; pos = text.find("with", pos + 1)) {
            const bool startOk = pos == 0 || !std::isalpha(static_cast<unsigned char>(text[pos - 1]));
            const bool endOk = pos + 4 >= text.size() || !std::isalpha(static_cast<unsigned char>(text[pos + 4]));
            if (startOk && endOk) return true;
        }
        return false;
    }

    void closeClause() { clauseOpen_ = false; }

    // A passage is shown in the reader by its first verse, which stands for it in full; each
    // further verse of a passage of length L stands for 1/sqrt(L) of it. The group's size counts
    // a passage as sqrt(L) verses: more than one verse, less than L.
    std::vector<GroupMember> members(const std::vector<Clause>& clauses, double& size) {
        std::vector<GroupMember> out;
        size = 0;
        for (const Clause& clause : clauses)
            for (const Passage& p : clause.passages) {
                const float tailShare = 1.0f / std::sqrt(static_cast<float>(p.length()));
                const int last = std::min(p.last, p.first + weights_.longestTopicPassage - 1);
                for (int v = p.first; v <= last; ++v) out.push_back({v, nextRun_, v == p.first ? 1.0f : tailShare});
                size += std::sqrt(static_cast<double>(p.length()));
                nextRun_++;
            }
        return out;
    }

    bool topicGroup(const std::vector<Clause>& clauses, const SourceWeights::TopicLevel& level) {
        double size = 0;
        auto group = members(clauses, size);
        if (group.size() < 2 || size > weights_.largestTopic) return false;
        evidence_.addGroup(std::move(group), level.scale / std::pow(size + weights_.navesOffset, level.exponent));
        return true;
    }

    void pair(const Clause& a, const Clause& b) {
        double ignored = 0;
        const auto from = members({a}, ignored);
        const auto to = members({b}, ignored);
        for (const auto& x : from)
            for (const auto& y : to) {
                evidence_.addLink(x.verse, y.verse, weights_.navesParallel * x.share * y.share);
                evidence_.addLink(y.verse, x.verse, weights_.navesParallel * x.share * y.share);
            }
    }

    const SourceWeights& weights_;
    ReferenceEvidence& evidence_;
    std::vector<Clause> clauses_, sectionClauses_, entryClauses_;
    std::string leadIn_;
    bool clauseOpen_ = false;
    int nextRun_ = 0;
    size_t subtopics_ = 0;
    int subtopicsInSection_ = 0;
};

}  // namespace

SourceReport addNavesTopics(sword::SWMgr& library, const VerseSpace& space, const SourceWeights& weights,
                            ReferenceEvidence& evidence) {
    SourceReport report{"Nave's Topical Bible"};
    sword::SWModule* module = library.getModule("Nave");
    if (!module) return report;
    EntryCollector entry(weights, evidence);
    static constexpr std::string_view refStart = "<ref osisRef=\"";
    for (module->setPosition(sword::TOP); !module->popError(); module->increment()) {
        const std::string markup = module->getRawEntry();
        const std::string_view text = markup;
        size_t textStart = 0;
        for (size_t pos = 0; pos < text.size();) {
            if (startsSection(text, pos) || startsSubtopic(text, pos)) {
                if (startsSection(text, pos))
                    entry.finishSection();
                else
                    entry.finishSubtopic();
                pos = text.find('>', pos) + 1;
                textStart = pos;
            } else if (text.compare(pos, refStart.size(), refStart) == 0) {
                entry.addText(text.substr(textStart, pos - textStart));
                const size_t valueStart = pos + refStart.size();
                const size_t valueEnd = text.find('"', valueStart);
                const size_t close = text.find("</ref>", valueStart);
                if (valueEnd == std::string_view::npos || close == std::string_view::npos) break;
                auto passages = parseOsisPassages(space, std::string(text.substr(valueStart, valueEnd - valueStart)));
                if (auto verse = verseAfterRef(text, close + 6); verse && passages.size() == 1) {
                    const VerseLocation at = space.at(passages[0].first);
                    if (auto fixed = space.indexOf(at.book, at.chapter, *verse)) passages[0] = {*fixed, *fixed};
                }
                entry.addRef(std::move(passages));
                pos = close + 6;
                textStart = pos;
            } else if (text[pos] == '<') {
                // Other tags (See-refs to other entries, lists) are neither refs nor separators.
                entry.addText(text.substr(textStart, pos - textStart));
                const size_t end = text.find('>', pos);
                pos = end == std::string_view::npos ? text.size() : end + 1;
                textStart = pos;
            } else {
                pos++;
            }
        }
        entry.addText(text.substr(textStart));
        entry.finishEntry();
    }
    report.items = entry.subtopics();
    return report;
}

}  // namespace crossrefs
