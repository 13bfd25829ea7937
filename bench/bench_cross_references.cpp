// Loading the cross-reference table and listing one verse's references, against the targets:
// a load within 50 ms, a listing within 20 us and at least 100 times faster than the scan.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/summary_reporter.h"
#include "scripture/cross_references.h"

namespace {

const char* const kResource = LECTIO_CROSSREF_RESOURCE;

scripture::CrossReferenceTable& table() {
    static scripture::CrossReferenceTable loaded;
    return loaded;
}

struct Verse {
    int book, chapter, verse;
};

// The source verses of the table in file order, spread over the whole Bible; the listing
// benchmarks cycle through them so that neither cache nor one short list flatters them.
const std::vector<Verse>& sampleVerses() {
    static const std::vector<Verse> verses = [] {
        std::vector<Verse> list;
        std::string previous;
        for (std::size_t i = 0; i < table().size(); ++i) {
            const auto line = table().line(i);
            const auto key = line.substr(0, line.find(','));
            if (key == previous) continue;
            previous = std::string(key);
            Verse v{};
            if (std::sscanf(previous.c_str(), "%d.%d.%d", &v.book, &v.chapter, &v.verse) == 3) list.push_back(v);
        }
        std::vector<Verse> spread;
        for (std::size_t i = 0; i < list.size(); i += 97) spread.push_back(list[i]);
        return spread;
    }();
    return verses;
}

void BM_LoadCrossReferences(benchmark::State& state) {
    for (auto _ : state) {
        auto load = scripture::loadCrossReferences(kResource);
        benchmark::DoNotOptimize(load.table.size());
    }
    state.counters["lines"] = static_cast<double>(table().size());
}
BENCHMARK(BM_LoadCrossReferences)->Unit(benchmark::kMillisecond);

// The parts of a load: reading and checking the bytes, then splitting and indexing them.
void BM_ReadFile(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(kResource, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        benchmark::DoNotOptimize(bytes.str().size());
    }
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond);

void BM_ListReferencesByScan(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Verse& v = sampleVerses()[next++ % sampleVerses().size()];
        auto references = table().listReferences(v.book, v.chapter, v.verse);
        benchmark::DoNotOptimize(references.data());
    }
}
BENCHMARK(BM_ListReferencesByScan)->Unit(benchmark::kMicrosecond);

void BM_ListReferencesByIndex(benchmark::State& state) {
    std::size_t next = 0;
    for (auto _ : state) {
        const Verse& v = sampleVerses()[next++ % sampleVerses().size()];
        auto references = table().referencesOf(v.book, v.chapter, v.verse);
        benchmark::DoNotOptimize(references.data());
    }
}
BENCHMARK(BM_ListReferencesByIndex)->Unit(benchmark::kMicrosecond);

// A verse without references: the index answers from one hash lookup.
void BM_ListMissingVerseByIndex(benchmark::State& state) {
    for (auto _ : state) {
        auto references = table().referencesOf(66, 22, 999);
        benchmark::DoNotOptimize(references.data());
    }
}
BENCHMARK(BM_ListMissingVerseByIndex)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!std::filesystem::exists(kResource)) {
        std::printf("bench_cross_references: no resource at %s; build the target lectio_resource_crossrefs first\n",
                    kResource);
        return 0;
    }
    auto load = scripture::loadCrossReferences(kResource);
    if (load.status != scripture::CrossReferenceLoadStatus::loaded) {
        std::printf("bench_cross_references: %s did not load\n", kResource);
        return 1;
    }
    table() = std::move(load.table);

    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::fflush(stderr);
    std::printf("\nSummary (%zu lines, %.1f MB, %zu sample verses)\n", table().size(),
                static_cast<double>(std::filesystem::file_size(kResource)) / 1e6, sampleVerses().size());
    reporter.printTimes("load whole table:", "BM_LoadCrossReferences", 1e3, "ms", "(target <= 50 ms)");
    reporter.printTimes("  of which reading the file:", "BM_ReadFile", 1e3, "ms", "");
    reporter.printTimes("list references, index:", "BM_ListReferencesByIndex", 1e6, "us", "(target <= 20 us)");
    reporter.printTimes("list absent verse, index:", "BM_ListMissingVerseByIndex", 1e6, "us", "");
    reporter.printTimes("list references, scan:", "BM_ListReferencesByScan", 1e6, "us", "(baseline)");
    reporter.printSpeedup("index faster than scan:", "BM_ListReferencesByScan", "BM_ListReferencesByIndex",
                          "(target >= 100x)");
    return 0;
}
