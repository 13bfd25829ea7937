// Builds the cross-reference resource ref.csv from the public-domain SWORD modules that
// Debian packages: lines "b.c.v,b.c.v,score", the best references of each verse first.
//
//   build_cross_references OUTPUT.csv [SWORD_DATA_DIR]

#include <sword/swmgr.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "scripture/catalogue.h"
#include "tools/cross_references/reference_evidence.h"
#include "tools/cross_references/sources.h"
#include "tools/cross_references/text_module.h"

namespace {

// The reader lists a verse's references in a table; more than this are never worth scrolling
// to, and the cap keeps the resource small enough to load at every start.
constexpr int kReferencesPerVerse = 20;

std::string renderCsv(const crossrefs::VerseSpace& space,
                      const std::vector<std::vector<crossrefs::ScoredTarget>>& ranked) {
    std::string csv;
    csv.reserve(ranked.size() * kReferencesPerVerse * 20);
    auto appendVerse = [&](const crossrefs::VerseLocation& at) {
        csv += std::to_string(at.book);
        csv += '.';
        csv += std::to_string(at.chapter);
        csv += '.';
        csv += std::to_string(at.verse);
    };
    for (size_t v = 0; v < ranked.size(); ++v) {
        const auto source = space.at(static_cast<int>(v));
        for (const auto& t : ranked[v]) {
            appendVerse(source);
            csv += ',';
            appendVerse(space.at(t.target));
            csv += ',';
            csv += std::to_string(t.score);
            csv += '\n';
        }
    }
    return csv;
}

bool writeAtomically(const std::filesystem::path& path, const std::string& content) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    const auto temporary = std::filesystem::path(path.string() + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.csv [SWORD_DATA_DIR]\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    // Only the given library: no ~/.sword or system configuration mixed in.
    const std::string swordDir = argc == 3 ? argv[2] : "/usr/share/sword";
    sword::SWMgr library(swordDir.c_str(), true, nullptr, false, false);

    crossrefs::TextModule text;
    std::string error;
    if (!crossrefs::readTextModule(library, "engWEB2015eb", text, error)) {
        std::cerr << "cross references: " << error << "\n";
        return 1;
    }
    // The reader bounds chapters by the catalogue; the text it shows comes from the same module.
    for (int book = 1; book <= scripture::kBookCount; ++book) {
        if (text.space.chapterCount(book) != scripture::chapterCount(book)) {
            std::cerr << "cross references: book " << book << " has " << text.space.chapterCount(book)
                      << " chapters in the module, " << scripture::chapterCount(book) << " in the catalogue\n";
            return 1;
        }
    }

    std::vector<int> chapterOfVerse;
    for (int v = 0; v < text.space.size(); ++v)
        chapterOfVerse.push_back(text.space.at(v).book * 1000 + text.space.at(v).chapter);
    crossrefs::SourceWeights weights;
    crossrefs::ReferenceEvidence evidence(std::move(chapterOfVerse));
    const crossrefs::SourceReport reports[] = {
        crossrefs::addTextNotes(text, weights, evidence),
        crossrefs::addScofieldNotes(library, text.space, weights, evidence),
        crossrefs::addNavesTopics(library, text.space, weights, evidence),
        crossrefs::addLemmas(text, weights, evidence),
        crossrefs::addPhrases(text, weights, evidence),
    };
    for (const auto& r : reports) {
        if (r.items == 0) {
            std::cerr << "cross references: no evidence from " << r.name << " (is its SWORD module installed?)\n";
            return 1;
        }
    }

    crossrefs::RankingOptions ranking;
    ranking.limit = kReferencesPerVerse;
    const auto ranked = evidence.rank(ranking);
    size_t lines = 0, wellCovered = 0;
    for (const auto& targets : ranked) {
        lines += targets.size();
        wellCovered += targets.size() >= 5;
    }
    if (!writeAtomically(argv[1], renderCsv(text.space, ranked))) {
        std::cerr << "cross references: cannot write " << argv[1] << "\n";
        return 1;
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("cross references: %d verses, %zu lines, %.1f%% of verses with 5 or more, %.1f s\n", text.space.size(),
                lines, 100.0 * static_cast<double>(wellCovered) / static_cast<double>(ranked.size()), seconds);
    for (const auto& r : reports) std::printf("  %s: %zu\n", r.name.c_str(), r.items);
    return 0;
}
