#pragma once
// Gesture recognisers attached to views. The Window feeds every touch to the recognisers of the
// touched view and its ancestors; a recogniser that begins (or, for a tap, ends) takes the
// touch over, and the view or screen that had it gets a cancel.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/geometry.h"

namespace platform {

class View;
class Window;

enum class GestureState { possible = 0, began = 1, changed = 2, ended = 3, cancelled = 4, failed = 5 };

class GestureRecognizer {
public:
    using Action = std::function<void(GestureRecognizer&)>;
    explicit GestureRecognizer(Action action) : action_(std::move(action)) {}
    virtual ~GestureRecognizer() = default;

    GestureState state() const { return state_; }
    // The touch's location in `view`'s coordinates (nullptr: window coordinates).
    Point location(const View* view) const;
    View* view() const { return view_; }
    bool enabled = true;

    // Fed by the Window. Times are the clock's seconds.
    virtual void touchBegan(Point windowPoint, double time, std::uint64_t touchId) = 0;
    virtual void touchMoved(Point windowPoint, double time) = 0;
    virtual void touchEnded(Point windowPoint, double time) = 0;
    virtual void touchCancelled();
    // Back to possible, ready for the next touch.
    void reset() { state_ = GestureState::possible; hasClaimedTouchBefore_ = false; }
    // True while this recogniser owns the current touch (began/changed, or a tap just ended).
    bool hasClaimedTouch() const { return state_ == GestureState::began || state_ == GestureState::changed || state_ == GestureState::ended; }

    void attach(View* v) { view_ = v; }

protected:
    // Lets delayed checks find out whether this recogniser still exists.
    std::weak_ptr<int> aliveToken() const { return alive_; }
    void transition(GestureState s);
    Point lastLocation_;
    Window* windowOf() const;

private:
    Action action_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    GestureState state_ = GestureState::possible;
    bool hasClaimedTouchBefore_ = false;
    View* view_ = nullptr;
};

class TapGestureRecognizer final : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    int numberOfTapsRequired = 1;
    static constexpr double kAllowableMovement = 10;
    static constexpr double kMultiTapInterval = 0.35;  // between the taps of a double tap

    void touchBegan(Point p, double time, std::uint64_t touchId) override;
    void touchMoved(Point p, double time) override;
    void touchEnded(Point p, double time) override;

private:
    Point start_;
    int taps_ = 0;
    double lastTapTime_ = -1;
};

class LongPressGestureRecognizer final : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;
    double minimumPressDuration = 0.5;  // the toolkit's default
    static constexpr double kAllowableMovement = 10;

    void touchBegan(Point p, double time, std::uint64_t touchId) override;
    void touchMoved(Point p, double time) override;
    void touchEnded(Point p, double time) override;
    void touchCancelled() override;

private:
    Point start_;
    std::uint64_t touchId_ = 0;
    bool down_ = false;  // this touch may still become a long press
};

enum class ScreenEdge { left, right };

class ScreenEdgePanGestureRecognizer final : public GestureRecognizer {
public:
    ScreenEdgePanGestureRecognizer(ScreenEdge edge, Action action) : GestureRecognizer(std::move(action)), edge_(edge) {}
    ScreenEdge edge() const { return edge_; }
    static constexpr double kEdgeZone = 20;       // a pan must start this close to the edge
    static constexpr double kMovementToBegin = 10;

    void touchBegan(Point p, double time, std::uint64_t touchId) override;
    void touchMoved(Point p, double time) override;
    void touchEnded(Point p, double time) override;

private:
    ScreenEdge edge_;
    Point start_;
    bool fromEdge_ = false;
};

}  // namespace platform
