// Labels, buttons, image views, text fields and text views.
#include <algorithm>

#include "platform/environment.h"
#include "platform/view.h"
#include "platform/window.h"

namespace platform {

static Value fontValue(const Font& f) { return Value{{"name", f.name}, {"size", f.size}}; }

Label::Label(std::string n) : View(std::move(n)) { userInteractionEnabled = false; }

void Label::describe(Value& out) const {
    View::describe(out);
    out["text"] = text;
    out["textColor"] = platform::describe(textColor);
    out["font"] = fontValue(font);
    out["numberOfLines"] = numberOfLines;
    if (adjustsFontSizeToFitWidth) out["minimumScaleFactor"] = minimumScaleFactor;
}

Button::Button(std::string n) : View(std::move(n)) {}

void Button::touchBegan(Point p, double) { highlighted_ = true; }
void Button::touchMoved(Point p, double) {
    // The toolkit keeps a button pressed while the finger stays near it.
    const double slop = 70;
    highlighted_ = p.x > -slop && p.y > -slop && p.x < frame.width + slop && p.y < frame.height + slop;
}
void Button::touchEnded(Point p, double) {
    bool inside = highlighted_;
    highlighted_ = false;
    if (inside && action) action();
}
void Button::touchCancelled() { highlighted_ = false; }

void Button::describe(Value& out) const {
    View::describe(out);
    out["title"] = title;
    out["titleColor"] = platform::describe(titleColor);
    out["font"] = fontValue(titleLabel.font);
}

ImageView::ImageView(std::string n) : View(std::move(n)) { userInteractionEnabled = false; }

void ImageView::describe(Value& out) const {
    View::describe(out);
    out["image"] = imageName;
    out["tintColor"] = platform::describe(tintColor);
}

TextField::TextField(std::string n) : View(std::move(n)) {}

bool TextField::isFirstResponder() const {
    Window* w = window();
    return w && w->focusedTextField() == this;
}

bool TextField::becomeFirstResponder() {
    Window* w = window();
    if (!w || !canBecomeFirstResponder()) return false;
    w->setFocus(this);
    return true;
}

void TextField::resignFirstResponder() {
    Window* w = window();
    if (w && w->focusedTextField() == this) w->setFocus(nullptr);
}

void TextField::touchEnded(Point p, double) {
    if (bounds().contains(p)) becomeFirstResponder();
}

void TextField::describe(Value& out) const {
    View::describe(out);
    out["text"] = text;
    out["placeholder"] = placeholder;
    out["textColor"] = platform::describe(textColor);
    out["font"] = fontValue(font);
    out["tag"] = tag;
    out["returnKey"] = returnKeyLabel;
    if (isFirstResponder()) out["focused"] = true;
}

TextView::TextView(std::string n) : View(std::move(n)) {}

void TextView::scrollRangeToVisible(std::size_t location, std::size_t length) {
    Window* w = window();
    if (location == 0 || !w) {
        contentOffset = {0, 0};
        return;
    }
    // Bring the line that holds `location` to the top.
    std::string before = text.substr(0, std::min(location, text.size()));
    Size sz = w->env().textMeasurer.measure(before, font, frame.width, 0);
    double lineHeight = w->env().textMeasurer.measure("M", font, frame.width, 1).height;
    contentOffset = {0, std::max(0.0, sz.height - lineHeight)};
}

void TextView::touchBegan(Point p, double) {
    dragStart_ = p;
    offsetAtDragStart_ = contentOffset;
}

void TextView::touchMoved(Point p, double) {
    double y = offsetAtDragStart_.y - (p.y - dragStart_.y);
    double maxY = 0;
    if (Window* w = window())
        maxY = std::max(0.0, w->env().textMeasurer.measure(text, font, frame.width, 0).height - frame.height);
    contentOffset.y = std::clamp(y, 0.0, maxY);
}

void TextView::describe(Value& out) const {
    View::describe(out);
    out["text"] = text;
    out["textColor"] = platform::describe(textColor);
    out["font"] = fontValue(font);
    out["contentOffset"] = Value::array({contentOffset.x, contentOffset.y});
}

}  // namespace platform
