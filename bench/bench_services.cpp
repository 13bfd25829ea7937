// Speed of the embedded database: a write reaching its observer, durable writes per second with
// group commit, and the newest-history-entry check at 10 and 100,000 entries (against reading
// the whole history, which is what the check replaces).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bench/summary_reporter.h"
#include "platform/headless/virtual_time.h"
#include "services/embedded/embedded_services.h"

namespace {

using platform::Value;
using services::embedded::EmbeddedServices;

// A fresh data directory with the services open on it; removed afterwards.
class Bench {
public:
    explicit Bench(bool synchronousFull = false) {
        std::string pattern = (std::filesystem::temp_directory_path() / "lectio-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        directory_ = pattern;
        services = EmbeddedServices::open(
            {directory_, services::embedded::PasswordHashCost::minimum, synchronousFull});
        database = services->makeDatabaseClient(queue);
    }
    ~Bench() {
        database.reset();
        services.reset();
        std::error_code ec;
        std::filesystem::remove_all(directory_, ec);
    }

    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue{clock};
    std::shared_ptr<EmbeddedServices> services;
    std::unique_ptr<platform::Database> database;

private:
    std::string directory_;
};

const std::string kRecord = "users/Qx3kP9aLm2VbR7tY1wZs8NcD4eFh";

void fillRecord(Bench& bench, int historyEntries) {
    bench.database->setValue(kRecord, Value::parse(R"({"night":false,"username":"reader","email":"r@example.com",
        "bottomNavigationMode":"Verse","currentBook":1,"currentChapter":1,"currentVerse":1,"currentPage":"bible",
        "currentFontFamily":"Poppins-Regular","currentFontSize":18,"selectedVerses":["x"]})"));
    platform::ValueMap history;
    for (int i = 0; i < historyEntries; ++i)
        history[std::to_string(1700000000 + i)] = std::to_string(1 + i % 66) + "." + std::to_string(1 + i % 50) + ".1";
    if (!history.empty()) bench.database->updateChildValues(kRecord + "/history", history);
    bench.queue.runUntilIdle();
}

// One write at a three-level path, committed, and delivered to the one observer of that path.
void BM_SetReachingOneObserver(benchmark::State& state) {
    Bench bench;
    fillRecord(bench, 1000);
    int delivered = 0;
    bench.database->observe(kRecord + "/currentVerse", [&](const Value&) { ++delivered; });
    bench.queue.runUntilIdle();
    int verse = 1;
    for (auto _ : state) {
        bench.database->setValue(kRecord + "/currentVerse", ++verse);
        bench.queue.runUntilIdle();
    }
    if (delivered != static_cast<int>(state.iterations()) + 1) state.SkipWithError("a delivery was missed");
}
BENCHMARK(BM_SetReachingOneObserver)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Fire-and-forget history writes, batch after batch, each batch committed in one transaction
// before the queue moves on.
void durableWrites(benchmark::State& state, bool synchronousFull) {
    Bench bench(synchronousFull);
    fillRecord(bench, 0);
    const auto batch = static_cast<int>(state.range(0));
    long long key = 1700000000;
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i) bench.database->setValue(kRecord + "/history/" + std::to_string(++key), "19.23.1");
        bench.queue.runUntilIdle();
    }
    if (bench.services->store().pendingWrites() != 0 || !bench.services->isConnected())
        state.SkipWithError("writes were not saved");
    state.SetItemsProcessed(state.iterations() * batch);
}
void BM_DurableWrites(benchmark::State& state) { durableWrites(state, false); }
void BM_DurableWritesFullSync(benchmark::State& state) { durableWrites(state, true); }
BENCHMARK(BM_DurableWrites)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DurableWritesFullSync)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The place storage's check: the newest history entry and whether every entry is text.
void BM_NewestHistoryEntry(benchmark::State& state) {
    Bench bench;
    fillRecord(bench, static_cast<int>(state.range(0)));
    std::string newest;
    for (auto _ : state) {
        bench.database->readNewestChild(kRecord + "/history",
                                        [&](const platform::NewestChild& n) { newest = n.key; });
        bench.queue.runUntilIdle();
    }
    if (newest.empty()) state.SkipWithError("no newest entry");
}
BENCHMARK(BM_NewestHistoryEntry)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What the check replaces: reading the whole history once.
void BM_ReadWholeHistory(benchmark::State& state) {
    Bench bench;
    fillRecord(bench, static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        bench.database->observeSingleEvent(kRecord + "/history", [&](const Value& v) { size = v.size(); });
        bench.queue.runUntilIdle();
    }
    if (size != static_cast<std::size_t>(state.range(0))) state.SkipWithError("wrong history size");
}
BENCHMARK(BM_ReadWholeHistory)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stderr);

    std::printf("\nSummary\n");
    if (auto* f = reporter.find("BM_SetReachingOneObserver"))
        std::printf("  %-40s %9.1f us      (target <= 50 us: %.2fx of target)\n", "set at users/<uid>/key, delivered:",
                    f->real * 1e6, f->real * 1e6 / 50);
    for (const char* name : {"BM_DurableWrites/1", "BM_DurableWrites/100", "BM_DurableWrites/1000",
                             "BM_DurableWritesFullSync/1000"}) {
        if (auto* f = reporter.find(name))
            std::printf("  %-40s %9.0f writes/s (target >= 10000: %.2fx of target)\n", name, f->itemsPerSecond,
                        f->itemsPerSecond / 10000);
    }
    auto* small = reporter.find("BM_NewestHistoryEntry/10");
    auto* large = reporter.find("BM_NewestHistoryEntry/100000");
    auto* whole = reporter.find("BM_ReadWholeHistory/100000");
    if (small) std::printf("  %-40s %9.2f us\n", "newest entry, 10 entries:", small->real * 1e6);
    if (large)
        std::printf("  %-40s %9.2f us      (target <= 1000 us)\n", "newest entry, 100,000 entries:",
                    large->real * 1e6);
    if (small && large)
        std::printf("  %-40s %9.2fx        (target <= 2x the 10-entry baseline)\n", "100,000 vs 10 entries:",
                    large->real / small->real);
    if (whole && large)
        std::printf("  %-40s %9.2f ms      (the newest-entry check is %.0fx faster)\n",
                    "whole history read, 100,000 entries:", whole->real * 1e3, whole->real / large->real);
    return 0;
}
