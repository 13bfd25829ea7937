#pragma once
// The main queue and the clock. Everything in the application runs on one thread; work
// that must happen later (service deliveries, fixed delays) is posted here. The headless
// backend drives this queue from a virtual clock, the Qt backend from the event loop.
#include <functional>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00 UTC, with fractions.
    virtual double now() const = 0;
};

class MainQueue {
public:
    virtual ~MainQueue() = default;
    // Runs `block` on the main thread after every block already posted for the same moment;
    // never inside the call itself.
    virtual void async(std::function<void()> block) = 0;
    // Runs `block` on the main thread `seconds` from now (blocks due at the same moment run
    // in the order they were posted). Scheduled blocks cannot be cancelled.
    virtual void asyncAfter(double seconds, std::function<void()> block) = 0;
};

}  // namespace platform
