#include "tools/cross_references/reference_evidence.h"

#include <algorithm>
#include <cmath>

namespace crossrefs {

ReferenceEvidence::ReferenceEvidence(std::vector<int> chapterOfVerse) : chapterOfVerse_(std::move(chapterOfVerse)) {}

void ReferenceEvidence::addLink(int from, int to, double weight) {
    if (from == to || from < 0 || to < 0 || from >= verseCount() || to >= verseCount() || !(weight > 0)) return;
    links_.push_back({from, to, static_cast<float>(weight)});
}

void ReferenceEvidence::addGroup(std::vector<GroupMember> members, double pairWeight, double sameRunFactor) {
    std::erase_if(members,
                  [&](const GroupMember& m) { return m.verse < 0 || m.verse >= verseCount() || !(m.share > 0); });
    std::stable_sort(members.begin(), members.end(), [](const GroupMember& a, const GroupMember& b) {
        return a.verse != b.verse ? a.verse < b.verse : a.share > b.share;
    });
    members.erase(std::unique(members.begin(), members.end(),
                              [](const GroupMember& a, const GroupMember& b) { return a.verse == b.verse; }),
                  members.end());
    if (members.size() < 2 || !(pairWeight > 0)) return;
    groups_.push_back({static_cast<uint32_t>(members_.size()), static_cast<uint32_t>(members.size()),
                       static_cast<float>(pairWeight), static_cast<float>(pairWeight * sameRunFactor)});
    members_.insert(members_.end(), members.begin(), members.end());
}

// Per verse: the groups it belongs to (with its run and share there) and its outgoing links.
struct ReferenceEvidence::Index {
    struct Membership {
        uint32_t group;
        int run;
        float share;
    };
    std::vector<uint32_t> groupStart, linkStart;
    std::vector<Membership> memberships;
    std::vector<uint32_t> linkOrder;
};

ReferenceEvidence::Index ReferenceEvidence::buildIndex() const {
    const auto n = chapterOfVerse_.size();
    Index index;
    index.groupStart.assign(n + 1, 0);
    index.linkStart.assign(n + 1, 0);
    for (const GroupMember& m : members_) index.groupStart[static_cast<size_t>(m.verse) + 1]++;
    for (const Link& l : links_) index.linkStart[static_cast<size_t>(l.from) + 1]++;
    for (size_t i = 0; i < n; ++i) {
        index.groupStart[i + 1] += index.groupStart[i];
        index.linkStart[i + 1] += index.linkStart[i];
    }
    index.memberships.resize(members_.size());
    std::vector<uint32_t> fill(index.groupStart.begin(), index.groupStart.end() - 1);
    for (uint32_t g = 0; g < groups_.size(); ++g)
        for (uint32_t k = 0; k < groups_[g].count; ++k) {
            const GroupMember& m = members_[groups_[g].first + k];
            index.memberships[fill[static_cast<size_t>(m.verse)]++] = {g, m.run, m.share};
        }
    index.linkOrder.resize(links_.size());
    std::vector<uint32_t> linkFill(index.linkStart.begin(), index.linkStart.end() - 1);
    for (uint32_t i = 0; i < links_.size(); ++i) index.linkOrder[linkFill[static_cast<size_t>(links_[i].from)]++] = i;
    return index;
}

std::vector<ScoredTarget> ReferenceEvidence::rankOne(size_t v, const Index& index, const RankingOptions& options,
                                                     std::vector<float>& score, std::vector<int>& touched) const {
    touched.clear();
    auto add = [&](int target, float w) {
        const auto t = static_cast<size_t>(target);
        if (t == v || !(w > 0)) return;
        if (score[t] == 0.0f) touched.push_back(target);
        score[t] += w;
    };
    for (uint32_t i = index.groupStart[v]; i < index.groupStart[v + 1]; ++i) {
        const auto& own = index.memberships[i];
        const Group& g = groups_[own.group];
        for (uint32_t k = 0; k < g.count; ++k) {
            const GroupMember& other = members_[g.first + k];
            add(other.verse, (other.run == own.run ? g.sameRunWeight : g.weight) * other.share * own.share);
        }
    }
    for (uint32_t i = index.linkStart[v]; i < index.linkStart[v + 1]; ++i)
        add(links_[index.linkOrder[i]].to, links_[index.linkOrder[i]].weight);

    const auto n = static_cast<int>(chapterOfVerse_.size());
    auto sameChapter = [&](int a, int b) {
        return chapterOfVerse_[static_cast<size_t>(a)] == chapterOfVerse_[static_cast<size_t>(b)];
    };
    std::vector<ScoredTarget> found;
    found.reserve(touched.size());
    for (int t : touched) {
        double total = score[static_cast<size_t>(t)];
        for (int distance : {-2, -1, 1, 2}) {
            const int neighbour = t + distance;
            if (neighbour < 0 || neighbour >= n || static_cast<size_t>(neighbour) == v || !sameChapter(t, neighbour))
                continue;
            const double support =
                options.neighbourSupport * score[static_cast<size_t>(neighbour)] / std::abs(distance);
            total += std::min(support, options.neighbourSupportCap);
        }
        if (sameChapter(t, static_cast<int>(v))) total *= options.sameChapterFactor;
        const int s = static_cast<int>(std::lround(total));
        if (s >= options.minimumScore) found.push_back({t, s});
    }
    for (int t : touched) score[static_cast<size_t>(t)] = 0.0f;

    auto better = [](const ScoredTarget& a, const ScoredTarget& b) {
        return a.score != b.score ? a.score > b.score : a.target < b.target;
    };
    const auto limit = static_cast<size_t>(std::max(options.limit, 0));
    if (found.size() > limit) {
        std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(limit), found.end(), better);
        found.resize(limit);
    } else {
        std::sort(found.begin(), found.end(), better);
    }
    return found;
}

std::vector<std::vector<ScoredTarget>> ReferenceEvidence::rank(const RankingOptions& options) const {
    const Index index = buildIndex();
    std::vector<std::vector<ScoredTarget>> ranked(chapterOfVerse_.size());
    std::vector<float> score(chapterOfVerse_.size(), 0.0f);
    std::vector<int> touched;
    for (size_t v = 0; v < ranked.size(); ++v) ranked[v] = rankOne(v, index, options, score, touched);
    return ranked;
}

}  // namespace crossrefs
