// Loading the verse text and selecting a chapter, against the targets: a load within
// 50 ms, a chapter within 20 us and at least 50 times faster than the linear scan.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/summary_reporter.h"
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

    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::fflush(stderr);
    std::printf("\nSummary (%zu verse entries, %zu chapters)\n", versesInBible().size(), allChapters().size());
    reporter.printTimes("load whole text:", "BM_LoadBibleText", 1e3, "ms", "(target <= 50 ms)");
    reporter.printTimes("build chapter index:", "BM_BuildChapterIndex", 1e3, "ms", "");
    reporter.printTimes("select chapter, index:", "BM_SelectChapterByIndex", 1e6, "us", "(target <= 20 us)");
    reporter.printTimes("select Psalm 119, index:", "BM_SelectLongestChapterByIndex", 1e6, "us", "(target <= 20 us)");
    reporter.printTimes("select chapter, scan:", "BM_SelectChapterByScan", 1e6, "us", "(baseline)");
    reporter.printSpeedup("index faster than scan:", "BM_SelectChapterByScan", "BM_SelectChapterByIndex",
                          "(target >= 50x)");
    return 0;
}
