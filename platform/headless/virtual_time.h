#pragma once
// Virtual time for tests and the scenario driver: a clock that only moves when told to and a
// main queue whose delayed blocks run as that clock passes their due time. Nothing sleeps.
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "platform/main_queue.h"

namespace platform::headless {

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double start = 1765432100.0) : now_(start) {}
    double now() const override { return now_; }
    void set(double t) { now_ = t; }

private:
    double now_;
};

class VirtualMainQueue final : public MainQueue {
public:
    explicit VirtualMainQueue(VirtualClock& clock) : clock_(clock) {}

    void async(std::function<void()> block) override { asyncAfter(0, std::move(block)); }
    void asyncAfter(double seconds, std::function<void()> block) override {
        double due = clock_.now() + (seconds > 0 ? seconds : 0);
        blocks_.emplace(Key{due, nextSequence_++}, std::move(block));
    }

    // Runs every block due now, including blocks they post for now; returns how many ran.
    int runUntilIdle() { return runUntil(clock_.now()); }

    // Moves the clock forward by `seconds`, running each block at its due time in order.
    int advance(double seconds) { return runUntil(clock_.now() + (seconds > 0 ? seconds : 0)); }

    bool hasPendingBlocks() const { return !blocks_.empty(); }
    std::size_t pendingBlockCount() const { return blocks_.size(); }

private:
    struct Key {
        double due;
        std::uint64_t sequence;
        bool operator<(const Key& o) const { return due != o.due ? due < o.due : sequence < o.sequence; }
    };

    int runUntil(double end) {
        int ran = 0;
        while (!blocks_.empty() && blocks_.begin()->first.due <= end) {
            auto node = blocks_.extract(blocks_.begin());
            if (node.key().due > clock_.now()) clock_.set(node.key().due);
            node.mapped()();
            ++ran;
        }
        if (end > clock_.now()) clock_.set(end);
        return ran;
    }

    VirtualClock& clock_;
    std::map<Key, std::function<void()>> blocks_;
    std::uint64_t nextSequence_ = 0;
};

}  // namespace platform::headless
