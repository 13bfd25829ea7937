#include "platform/view.h"

#include <algorithm>

#include "platform/gestures.h"
#include "platform/window.h"

namespace platform {

View::View(std::string n) : name(std::move(n)) {}
View::~View() = default;

void View::adopt(std::unique_ptr<View> child) {
    child->superview_ = this;
    subviews_.push_back(std::move(child));
}

void View::bringSubviewToFront(View* child) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](auto& v) { return v.get() == child; });
    if (it == subviews_.end()) return;
    auto owned = std::move(*it);
    subviews_.erase(it);
    subviews_.push_back(std::move(owned));
}

View* View::findView(const std::string& viewName) {
    if (name == viewName) return this;
    for (auto& child : subviews_)
        if (View* found = child->findView(viewName)) return found;
    return nullptr;
}

View* View::viewWithTag(int wantedTag) {
    if (tag == wantedTag) return this;
    for (auto& child : subviews_)
        if (View* found = child->viewWithTag(wantedTag)) return found;
    return nullptr;
}

Window* View::window() const {
    const View* v = this;
    while (v->superview_) v = v->superview_;
    return v->window_;
}

Point View::convertToWindow(Point p) const {
    for (const View* v = this; v; v = v->superview_) {
        p.x += v->frame.x;
        p.y += v->frame.y;
    }
    return p;
}

Point View::convertFromWindow(Point p) const {
    Point origin = convertToWindow({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

void View::addGestureRecognizer(std::unique_ptr<GestureRecognizer> recognizer) {
    recognizer->attach(this);
    recognizers_.push_back(std::move(recognizer));
}

View* View::hitTest(Point p) {
    if (!acceptsHits() || !bounds().contains(p)) return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        View* child = it->get();
        if (View* hit = child->hitTest({p.x - child->frame.x, p.y - child->frame.y})) return hit;
    }
    return this;
}

static Value rectValue(const Rect& r) { return Value::array({r.x, r.y, r.width, r.height}); }

void View::describe(Value& out) const {
    out["kind"] = kind();
    out["frame"] = rectValue(frame);
    out["alpha"] = alpha;
    if (hidden) out["hidden"] = true;
    out["backgroundColor"] = platform::describe(backgroundColor);
    if (layer.borderWidth > 0) {
        out["borderWidth"] = layer.borderWidth;
        out["borderColor"] = platform::describe(layer.borderColor);
    }
    if (layer.cornerRadius > 0) out["cornerRadius"] = layer.cornerRadius;
    if (layer.backgroundColor.alpha > 0) out["layerBackgroundColor"] = platform::describe(layer.backgroundColor);
}

}  // namespace platform
