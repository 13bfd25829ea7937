#pragma once
// Collects the evidence that one verse refers to another and turns it into ranked scores.
// Two kinds of evidence: a directed link (a note at one verse cites another) and a group of
// verses that all refer to one another (a topic, a rare lemma, a rare phrase), which is
// expanded only while scoring so that large groups never materialise as pair lists.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace crossrefs {

struct ScoredTarget {
    int target = 0;
    int score = 0;
};

struct GroupMember {
    int verse = 0;
    // Members that came from one contiguous passage share a run; pairs inside a run only say
    // that the verses are neighbours, so they count for less.
    int run = 0;
    // Share of the member in the group: a verse that is one of a long cited passage stands for
    // the passage only in part. Pair weights are multiplied by both members' shares.
    float share = 1.0f;
};

struct RankingOptions {
    int limit = 20;        // targets kept per verse
    int minimumScore = 1;  // after rounding
    // Pairs within one chapter are already in the reader's view: their scores are scaled.
    double sameChapterFactor = 0.5;
    // A passage is cited by one verse but means its surroundings too: a target that has
    // evidence of its own gains this fraction of the score of a target next to it (half as much
    // two verses away), at most neighbourSupportCap per neighbour.
    double neighbourSupport = 0.15;
    double neighbourSupportCap = 10;
};

class ReferenceEvidence {
public:
    // chapterOfVerse: a chapter id for every verse, in canonical order, so that neighbours and
    // same-chapter pairs can be told apart.
    explicit ReferenceEvidence(std::vector<int> chapterOfVerse);

    void addLink(int from, int to, double weight);
    // Duplicate verses in members are merged (the largest share wins); groups of fewer than two
    // verses carry nothing and are ignored.
    void addGroup(std::vector<GroupMember> members, double pairWeight, double sameRunFactor = 0.5);

    // The best targets of every verse, by score (highest first, then canonical order), leaving
    // out the verse itself and anything that rounds below the minimum.
    std::vector<std::vector<ScoredTarget>> rank(const RankingOptions& options) const;

    int verseCount() const { return static_cast<int>(chapterOfVerse_.size()); }

private:
    struct Link {
        int from, to;
        float weight;
    };
    struct Group {
        uint32_t first, count;
        float weight, sameRunWeight;
    };
    struct Index;

    Index buildIndex() const;
    std::vector<ScoredTarget> rankOne(size_t verse, const Index& index, const RankingOptions& options,
                                      std::vector<float>& score, std::vector<int>& touched) const;

    std::vector<int> chapterOfVerse_;
    std::vector<Link> links_;
    std::vector<Group> groups_;
    std::vector<GroupMember> members_;
};

}  // namespace crossrefs
