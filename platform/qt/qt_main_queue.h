#pragma once
// The main queue and clock of the desktop window: blocks run from the Qt event loop on the GUI
// thread, ordered by due time and then by posting order, with no block ever run inside the
// call that posts it.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>

#include "platform/main_queue.h"

namespace lectio::qt {

class SystemClock final : public platform::Clock {
public:
    double now() const override;
};

class QtMainQueue final : public platform::MainQueue {
public:
    // Due times are read from `clock`; tests pass a clock they move by hand.
    explicit QtMainQueue(platform::Clock& clock);
    ~QtMainQueue() override;

    void async(std::function<void()> block) override;
    void asyncAfter(double seconds, std::function<void()> block) override;

    // Runs the blocks that are due by the clock now, in order, and returns how many ran.
    // Blocks posted meanwhile wait for the next turn of the event loop, so a block that keeps
    // posting itself cannot starve input and painting. The event loop calls this through a
    // timer; tests may call it directly after moving their clock.
    int runDueBlocks();

    std::size_t pendingBlockCount() const { return blocks_.size(); }
    // Called after each batch of blocks has run, e.g. to repaint the window.
    void setAfterBlocksHandler(std::function<void()> handler) { afterBlocks_ = std::move(handler); }

private:
    struct Key {
        double due;
        std::uint64_t sequence;
        bool operator<(const Key& o) const { return due != o.due ? due < o.due : sequence < o.sequence; }
    };

    void scheduleTimer();

    platform::Clock& clock_;
    QTimer timer_;
    std::map<Key, std::function<void()>> blocks_;
    std::uint64_t nextSequence_ = 0;
    std::function<void()> afterBlocks_;
};

}  // namespace lectio::qt
