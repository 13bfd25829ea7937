// Loading the verse text and selecting a chapter, against the targets: a load within
// 50 ms, a chapter within 20 us and at least 50 times faster than the linear scan.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "scripture/bible_text.h"
#include "scripture/catalogue.h"
#include "scripture/chapter_index.h"
#include "scripture/chapter_selection.h"

namespace {

const char* const kResource = LECTIO_TEXT_RESOURCE;

std::vector<std::string>& versesInBible() {
    static std::vector<std::string> verses;
    return verses;
}

// Every chapter of the canon in reading order; the selection benchmarks walk through them.
const std::vector<std::pair<int, int>>& allChapters() {
    static const std::vector<std::pair<int, int>> chapters = [] {
        std::vector<std::pair<int, int>> list;
        for (int book = 1; book <= scripture::kBookCount; ++book) {
            for (int chapter = 1; chapter <= scripture::chapterCount(book); ++chapter) list.emplace_back(book, chapter);
        }
        return list;
    }();
    return chapters;
}

void BM_LoadBibleText(benchmark::State& state) {
    for (auto _ : state) {
        scripture::BibleTextParser parser;
        scripture::loadBibleText(kResource, parser);
        benchmark::DoNotOptimize(parser.versesInBible.data());
    }
    state.counters["entries"] = static_cast<double>(versesInBible().size());
}
BENCHMARK(BM_LoadBibleText)->Unit(benchmark::kMillisecond);

void BM_BuildChapterIndex(benchmark::State& state) {
    for (auto _ : state) {
        scripture::ChapterIndex index(versesInBible());
        benchmark::DoNotOptimize(index.indexedCount());
    }
}
BENCHMARK(BM_BuildChapterIndex)->Unit(benchmark::kMillisecond);

void BM_SelectChapterByScan(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [book, chapter] = allChapters()[next++ % allChapters().size()];
        auto verses = scripture::chapterVersesByScan(versesInBible(), book, chapter);
        benchmark::DoNotOptimize(verses.data());
    }
}
BENCHMARK(BM_SelectChapterByScan)->Unit(benchmark::kMicrosecond);

void BM_SelectChapterByIndex(benchmark::State& state) {
    const scripture::ChapterIndex index(versesInBible());
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [book, chapter] = allChapters()[next++ % allChapters().size()];
        auto verses = index.chapterVerses(versesInBible(), book, chapter);
        benchmark::DoNotOptimize(verses.data());
    }
}
BENCHMARK(BM_SelectChapterByIndex)->Unit(benchmark::kMicrosecond);

// The longest chapter (Psalm 119, 176 verses): the worst case for copying out a chapter.
void BM_SelectLongestChapterByIndex(benchmark::State& state) {
    const scripture::ChapterIndex index(versesInBible());
    for (auto _ : state) {
        auto verses = index.chapterVerses(versesInBible(), 19, 119);
        benchmark::DoNotOptimize(verses.data());
    }
}
BENCHMARK(BM_SelectLongestChapterByIndex)->Unit(benchmark::kMicrosecond);

// Prints the usual table and remembers each benchmark's mean real and CPU time per iteration.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations > 0 && run.run_type == Run::RT_Iteration) {
                const auto n = static_cast<double>(run.iterations);
                times[run.run_name.function_name] = {run.real_accumulated_time / n, run.cpu_accumulated_time / n};
            }
        }
    }
    std::map<std::string, Times> times;
};

void printLine(const SummaryReporter& reporter, const char* label, const char* name, double scale, const char* unit,
               const char* target) {
    const auto found = reporter.times.find(name);
    if (found == reporter.times.end()) return;
    std::printf("  %-26s %9.2f %s real, %9.2f %s CPU   %s\n", label, found->second.real * scale, unit,
                found->second.cpu * scale, unit, target);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!std::filesystem::exists(kResource)) {
        std::printf("bench_scripture_text: no text resource at %s; build the target lectio_resource_text first\n", kResource);
        return 0;
    }
    if (scripture::BibleTextParser parser; scripture::loadBibleText(kResource, parser) == scripture::LoadResult::complete) {
        versesInBible() = std::move(parser.versesInBible);
    } else {
        std::printf("bench_scripture_text: %s did not load completely\n", kResource);
        return 1;
    }

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::fflush(stderr);
    std::printf("\nSummary (%zu verse entries, %zu chapters)\n", versesInBible().size(), allChapters().size());
    printLine(reporter, "load whole text:", "BM_LoadBibleText", 1e3, "ms", "(target <= 50 ms)");
    printLine(reporter, "build chapter index:", "BM_BuildChapterIndex", 1e3, "ms", "");
    printLine(reporter, "select chapter, index:", "BM_SelectChapterByIndex", 1e6, "us", "(target <= 20 us)");
    printLine(reporter, "select Psalm 119, index:", "BM_SelectLongestChapterByIndex", 1e6, "us", "(target <= 20 us)");
    printLine(reporter, "select chapter, scan:", "BM_SelectChapterByScan", 1e6, "us", "(baseline)");
    const auto scan = reporter.times.find("BM_SelectChapterByScan");
    const auto index = reporter.times.find("BM_SelectChapterByIndex");
    if (scan != reporter.times.end() && index != reporter.times.end() && index->second.real > 0 && index->second.cpu > 0) {
        std::printf("  %-26s %9.1fx real, %9.1fx CPU    (target >= 50x)\n", "index faster than scan:",
                    scan->second.real / index->second.real, scan->second.cpu / index->second.cpu);
    }
    return 0;
}
