#pragma once
// The five kinds of evidence the table is built from. Each adds to one ReferenceEvidence;
// the weights are explained in docs/CROSS_REFERENCES.md.

#include <sword/swmgr.h>

#include <string>
#include <vector>

#include "tools/cross_references/reference_evidence.h"
#include "tools/cross_references/text_module.h"

namespace crossrefs {

struct SourceWeights {
    // Notes citing other verses: weight of the cited verse, and of the way back.
    double textNote = 60, textNoteReverse = 30;
    double scofieldNote = 25, scofieldNoteReverse = 12;
    // Notes citing more passages than this have their weights scaled by sqrt(this / citations).
    double specificNoteCitations = 1.5;
    // Verses after the first of a cited passage count for this fraction; longer passages
    // contribute their first verse only.
    double passageTailFactor = 1.0 / 3.0;
    int longestCitedPassage = 10;

    // Topic groups: pair weight scale / (size + navesOffset)^exponent for a subtopic, its section
    // and its whole entry; groups larger than largestTopic are left out. "A; with B" links A
    // and B both ways.
    struct TopicLevel {
        double scale;
        double exponent;
    };
    TopicLevel subtopic{200, 1.0}, section{100, 1.0}, entry{60, 0.5};
    double navesOffset = 2;
    double navesParallel = 60;
    double largestTopic = 400;
    int longestTopicPassage = 40;

    // Shared lemma: lemmaScale / sqrt(verses holding it), for lemmas in at most lemmaMaxVerses verses.
    double lemmaScale = 15;
    int lemmaMaxVerses = 60;

    // Shared word n-gram: scale / (verses holding it)^exponent, for n-grams in at most maxVerses
    // verses. Single rare words link verses on one subject; longer runs find quotations and
    // parallel passages; a rare shared opening marks an echo of a passage's first words.
    struct Phrase {
        int length;
        double scale;
        double exponent;
        int maxVerses;
        bool openingOnly = false;
        int maxVersesAnywhere = 0;  // for openings: how rare the phrase must be anywhere
    };
    // A phrase needs at least one word found in no more than this many verses.
    int commonWordVerses = 1500;
    std::vector<Phrase> phrases = {
        {1, 25, 0.5, 80},
        {3, 25, 1.0, 20},
        {4, 12, 1.0, 6},
        {3, 120, 1.0, 6, true, 20},
    };
};

struct SourceReport {
    std::string name;
    size_t items = 0;  // notes, topics, lemmas or phrases that added evidence
};

SourceReport addTextNotes(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence);
SourceReport addLemmas(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence);
SourceReport addPhrases(const TextModule& text, const SourceWeights& weights, ReferenceEvidence& evidence);
SourceReport addScofieldNotes(sword::SWMgr& library, const VerseSpace& space, const SourceWeights& weights,
                              ReferenceEvidence& evidence);
SourceReport addNavesTopics(sword::SWMgr& library, const VerseSpace& space, const SourceWeights& weights,
                            ReferenceEvidence& evidence);

// Links `from` to each cited passage (first verse in full, the next few at the tail factor)
// and, at the reverse weight, each cited verse back to `from`.
void addCitations(int from, const std::vector<struct Passage>& passages, double weight, double reverseWeight,
                  const SourceWeights& weights, ReferenceEvidence& evidence);

}  // namespace crossrefs
