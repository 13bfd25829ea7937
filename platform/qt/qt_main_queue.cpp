#include "platform/qt/qt_main_queue.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace lectio::qt {

double SystemClock::now() const { return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0; }

QtMainQueue::QtMainQueue(platform::Clock& clock) : clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { runDueBlocks(); });
}

QtMainQueue::~QtMainQueue() = default;

void QtMainQueue::async(std::function<void()> block) { asyncAfter(0, std::move(block)); }

void QtMainQueue::asyncAfter(double seconds, std::function<void()> block) {
    if (!block) return;
    // NaN and negative delays mean "now"; so does anything the clock cannot represent.
    double delay = std::isfinite(seconds) && seconds > 0 ? seconds : 0;
    blocks_.emplace(Key{clock_.now() + delay, nextSequence_++}, std::move(block));
    scheduleTimer();
}

int QtMainQueue::runDueBlocks() {
    const double now = clock_.now();
    const std::uint64_t postedBefore = nextSequence_;
    int ran = 0;
    for (auto it = blocks_.begin(); it != blocks_.end() && it->first.due <= now;) {
        if (it->first.sequence >= postedBefore) {
            ++it;
            continue;
        }
        auto node = blocks_.extract(it);
        node.mapped()();
        ++ran;
        // The block may have posted or run others; start again from the earliest.
        it = blocks_.begin();
    }
    scheduleTimer();
    if (ran > 0 && afterBlocks_) afterBlocks_();
    return ran;
}

void QtMainQueue::scheduleTimer() {
    if (blocks_.empty()) {
        timer_.stop();
        return;
    }
    double wait = blocks_.begin()->first.due - clock_.now();
    // Round up so the timer never fires a hair before the block is due and spins.
    int ms = wait <= 0 ? 0 : static_cast<int>(std::min(std::ceil(wait * 1000.0), 24.0 * 3600 * 1000));
    timer_.start(ms);
}

}  // namespace lectio::qt
