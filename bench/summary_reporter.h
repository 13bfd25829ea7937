#pragma once
// A console reporter that also remembers each benchmark's mean times, so a benchmark can close
// with a summary of its figures against their targets and baselines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double real = 0;            // seconds of real time per iteration
        double cpu = 0;             // seconds of CPU time per iteration
        double itemsPerSecond = 0;  // when the benchmark counts items
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations == 0 || run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const auto n = static_cast<double>(run.iterations);
            Figures f{run.real_accumulated_time / n, run.cpu_accumulated_time / n, 0};
            if (auto it = run.counters.find("items_per_second"); it != run.counters.end()) f.itemsPerSecond = it->second;
            std::string name = run.benchmark_name();
            if (auto suffix = name.find("/real_time"); suffix != std::string::npos) name.erase(suffix);
            figures_[name] = f;
        }
    }

    const Figures* find(const std::string& name) const {
        auto it = figures_.find(name);
        return it == figures_.end() ? nullptr : &it->second;
    }

    // "  label   12.34 us real,   12.30 us CPU   note"; `scale` turns seconds into `unit`.
    void printTimes(const char* label, const char* name, double scale, const char* unit, const char* note,
                    int labelWidth = 28) const {
        const Figures* f = find(name);
        if (!f) return;
        std::printf("  %-*s %9.2f %s real, %9.2f %s CPU   %s\n", labelWidth, label, f->real * scale, unit,
                    f->cpu * scale, unit, note);
    }

    // How many times faster `fast` is than `slow`, in real and CPU time.
    void printSpeedup(const char* label, const char* slow, const char* fast, const char* note,
                      int labelWidth = 28) const {
        const Figures* s = find(slow);
        const Figures* f = find(fast);
        if (!s || !f || f->real <= 0 || f->cpu <= 0) return;
        std::printf("  %-*s %9.1fx real, %9.1fx CPU    %s\n", labelWidth, label, s->real / f->real, s->cpu / f->cpu, note);
    }

private:
    std::map<std::string, Figures> figures_;
};

}  // namespace bench
