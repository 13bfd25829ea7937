#include "platform/gestures.h"

#include <cmath>

#include "platform/environment.h"
#include "platform/view.h"
#include "platform/window.h"

namespace platform {

Point GestureRecognizer::location(const View* in) const {
    return in ? in->convertFromWindow(lastLocation_) : lastLocation_;
}

Window* GestureRecognizer::windowOf() const { return view_ ? view_->window() : nullptr; }

void GestureRecognizer::touchCancelled() {
    if (state_ == GestureState::began || state_ == GestureState::changed)
        transition(GestureState::cancelled);
    else
        state_ = GestureState::failed;
}

void GestureRecognizer::transition(GestureState s) {
    state_ = s;
    if (s == GestureState::failed) return;
    if (s == GestureState::began || (s == GestureState::ended && !hasClaimedTouchBefore_)) {
        if (Window* w = windowOf()) w->recognizerDidClaimTouch(this);
    }
    hasClaimedTouchBefore_ = s == GestureState::began || s == GestureState::changed;
    if (action_) action_(*this);
}

// Tap: a touch that ends close to where it began; a second tap must follow quickly for a
// double tap.
void TapGestureRecognizer::touchBegan(Point p, double time, std::uint64_t) {
    lastLocation_ = start_ = p;
    if (lastTapTime_ < 0 || time - lastTapTime_ > kMultiTapInterval) taps_ = 0;
}

void TapGestureRecognizer::touchMoved(Point p, double) {
    lastLocation_ = p;
    if (state() == GestureState::possible &&
        std::hypot(p.x - start_.x, p.y - start_.y) > kAllowableMovement)
        transition(GestureState::failed);
}

void TapGestureRecognizer::touchEnded(Point p, double time) {
    lastLocation_ = p;
    if (state() != GestureState::possible) return;
    ++taps_;
    lastTapTime_ = time;
    if (taps_ >= numberOfTapsRequired) {
        taps_ = 0;
        transition(GestureState::ended);
    }
}

// Long press: the finger rests for the minimum duration, then every move is a change and the
// lift ends it.
void LongPressGestureRecognizer::touchBegan(Point p, double, std::uint64_t touchId) {
    lastLocation_ = start_ = p;
    touchId_ = touchId;
    down_ = true;
    Window* w = windowOf();
    if (!w) return;
    std::weak_ptr<int> alive = aliveToken();
    w->env().mainQueue.asyncAfter(minimumPressDuration, [this, alive, touchId] {
        if (alive.expired() || !down_ || touchId_ != touchId) return;
        if (state() == GestureState::possible) transition(GestureState::began);
    });
}

void LongPressGestureRecognizer::touchMoved(Point p, double) {
    lastLocation_ = p;
    if (state() == GestureState::possible) {
        if (std::hypot(p.x - start_.x, p.y - start_.y) > kAllowableMovement) {
            // A failed press stays failed after the window resets the recogniser at touch-up.
            down_ = false;
            transition(GestureState::failed);
        }
    } else if (state() == GestureState::began || state() == GestureState::changed) {
        transition(GestureState::changed);
    }
}

void LongPressGestureRecognizer::touchCancelled() {
    down_ = false;
    GestureRecognizer::touchCancelled();
}

void LongPressGestureRecognizer::touchEnded(Point p, double) {
    lastLocation_ = p;
    down_ = false;
    if (state() == GestureState::began || state() == GestureState::changed)
        transition(GestureState::ended);
    else if (state() == GestureState::possible)
        transition(GestureState::failed);
}

// Screen-edge pan: starts within a few points of its edge and moves inward.
void ScreenEdgePanGestureRecognizer::touchBegan(Point p, double, std::uint64_t) {
    lastLocation_ = start_ = p;
    Window* w = windowOf();
    double width = w ? w->size().width : 0;
    fromEdge_ = edge_ == ScreenEdge::left ? p.x <= kEdgeZone : (w && p.x >= width - kEdgeZone);
}

void ScreenEdgePanGestureRecognizer::touchMoved(Point p, double) {
    lastLocation_ = p;
    if (state() == GestureState::possible) {
        if (!fromEdge_) {
            transition(GestureState::failed);
            return;
        }
        double dx = p.x - start_.x, dy = p.y - start_.y;
        double inward = edge_ == ScreenEdge::left ? dx : -dx;
        if (inward > kMovementToBegin && std::abs(dx) > std::abs(dy))
            transition(GestureState::began);
        else if (std::abs(dy) > kMovementToBegin && std::abs(dy) > std::abs(dx))
            transition(GestureState::failed);
    } else if (state() == GestureState::began || state() == GestureState::changed) {
        transition(GestureState::changed);
    }
}

void ScreenEdgePanGestureRecognizer::touchEnded(Point p, double) {
    lastLocation_ = p;
    if (state() == GestureState::began || state() == GestureState::changed)
        transition(GestureState::ended);
    else if (state() == GestureState::possible)
        transition(GestureState::failed);
}

}  // namespace platform
