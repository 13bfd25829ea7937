// The cost of one chapter move on the reading screen, headless, with virtual time:
//   offline   nextButtonTap() through goTo(): chapter selection, table reload and layout,
//             labels, the deferred re-scroll; no user, so nothing is written;
//   stored    the same with a signed-in user: the place and history written to the embedded
//             store and every delivery drained;
//   online    as stored, plus the chapter's highlights read before the chapter is shown,
//             with 10 and with 100,000 history entries already in the record.
// Budgets: 200 us for the offline move, 1 ms for the online one, and the online move no slower
// at 100,000 history entries than at 10. The summary after the run prints each figure with its
// ratio to its budget or baseline.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "tests/reading/reading_device.h"

namespace {

std::map<std::string, double>& microsecondsPerMove() {
    static std::map<std::string, double> figures;
    return figures;
}

// The shipped text when this build has generated it, else a synthetic text of the same size
// (1189 chapters, about 31,000 verses of about 150 characters).
std::string resourceDirectory(const std::filesystem::path& scratch) {
    std::filesystem::path built = LECTIO_RESOURCE_DIR;
    if (std::filesystem::exists(built / "web.xml")) return built.string();
    reading_test::writeResources(scratch / "resources", 26, 20);
    return (scratch / "resources").string();
}

// The reading screen on one device, optionally signed in with a history already recorded.
struct Bench : reading_test::ReadingDevice {
    explicit Bench(bool signedIn, int historyEntries = 0) : ReadingDevice(resourceDirectory) {
        if (signedIn) signIn("bench@example.com");
        if (!uid.empty() && historyEntries > 0) {
            platform::ValueMap history;
            for (int i = 0; i < historyEntries; ++i)
                history[std::to_string(1600000000 + i)] = "1." + std::to_string(1 + i % 50) + ".1";
            database->updateChildValues("users/" + uid + "/history", history);
            world.runUntilIdle();
        }
        showReadingScreen();
        drain();
    }

    // Every delivery due and the 0.01 s re-scroll of the move.
    void drain() {
        world.runUntilIdle();
        world.advance(0.011);
    }
    void move() {
        if (screen->currentBook == 66 && screen->currentChapter == 22) {
            screen->currentBook = 1;
            screen->currentChapter = 1;
        }
        screen->nextButtonTap();
        drain();
    }
};

void measureMoves(benchmark::State& state, Bench& bench, const std::string& figure) {
    for (int i = 0; i < 50; ++i) bench.move();  // warm the table's cells and the store
    double seconds = 0;
    std::int64_t moves = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bench.move();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++moves;
    }
    double us = moves ? seconds * 1e6 / moves : 0;
    microsecondsPerMove()[figure] = us;
    state.counters["us_per_move"] = us;
    state.counters["verses_in_chapter"] = static_cast<double>(bench.screen->versesInCurrentChapter.size());
}

void BM_ChapterMoveOffline(benchmark::State& state) {
    Bench bench(false);
    measureMoves(state, bench, "offline");
}

void BM_ChapterMoveOfflineStored(benchmark::State& state) {
    Bench bench(true);
    measureMoves(state, bench, "stored");
}

void BM_ChapterMoveOnline(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    Bench bench(true, entries);
    bench.screen->online = true;
    measureMoves(state, bench, "online/" + std::to_string(entries));
}

BENCHMARK(BM_ChapterMoveOffline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChapterMoveOfflineStored)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChapterMoveOnline)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);

void printSummary() {
    auto& f = microsecondsPerMove();
    auto line = [](const char* what, double us, const char* baseline, double baselineUs) {
        std::printf("  %-44s %9.1f us   %-28s %6.2f\n", what, us, baseline, baselineUs > 0 ? us / baselineUs : 0.0);
    };
    std::printf("\nChapter move, per move (ratio to the named baseline; at most 1.00 meets it):\n");
    if (f.count("offline")) line("offline (no user, nothing written)", f["offline"], "budget 200 us", 200);
    if (f.count("stored")) line("offline, place and history written", f["stored"], "budget 200 us", 200);
    if (f.count("online/10")) line("online, 10 history entries", f["online/10"], "budget 1000 us", 1000);
    if (f.count("online/100000")) {
        line("online, 100,000 history entries", f["online/100000"], "budget 1000 us", 1000);
        if (f.count("online/10"))
            line("online, 100,000 vs 10 history entries", f["online/100000"], "the move at 10 entries",
                 f["online/10"]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
