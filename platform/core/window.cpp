#include "platform/window.h"

#include <algorithm>

#include "platform/environment.h"
#include "platform/gestures.h"
#include "platform/view.h"

namespace platform {

Window::Window(Environment& env, Size size) : env_(env), size_(size) { env_.window = this; }

Window::~Window() {
    if (env_.window == this) env_.window = nullptr;
}

void Window::setRootScreen(std::unique_ptr<Screen> screen) {
    root_ = std::move(screen);
    root_->attach(this, nullptr);
    screenPresented(root_.get());
}

void Window::removeAllScreens() {
    touch_.reset();
    focused_ = nullptr;
    alerts_.clear();
    root_.reset();
}

Screen* Window::topScreen() const {
    Screen* s = root_.get();
    while (s && s->presentedScreen() && !s->presentedScreen()->isBeingDismissed()) s = s->presentedScreen();
    return s;
}

static bool isInChain(Screen* root, const Screen* wanted) {
    for (Screen* s = root; s; s = s->presentedScreen())
        if (s == wanted) return true;
    return false;
}

void Window::screenPresented(Screen* screen) {
    View* root = screen->view();
    root->frame = bounds();
    screen->viewWillAppear(false);
    screen->viewWillLayoutSubviews();
    screen->viewDidLayoutSubviews();
    env_.mainQueue.async([this, screen] {
        if (isInChain(root_.get(), screen) && !screen->isBeingDismissed()) screen->viewDidAppear(false);
    });
}

void Window::screenWillBeRemoved(Screen* screen) {
    if (touch_ && touch_->screen == screen) {
        cancelTouchTargets(*touch_);
        for (auto* r : touch_->recognizers) r->touchCancelled();
        touch_.reset();
    }
    if (focused_ && screen->isViewLoaded()) {
        for (View* v = focused_; v; v = v->superview())
            if (v == screen->view()) focused_ = nullptr;
    }
}

void Window::resize(Size size) {
    size_ = size;
    setNeedsLayout();
}

void Window::setNeedsLayout() {
    if (layoutPending_) return;
    layoutPending_ = true;
    env_.mainQueue.async([this] { layoutIfNeeded(); });
}

void Window::layoutIfNeeded() {
    layoutPending_ = false;
    for (Screen* s = root_.get(); s; s = s->presentedScreen()) {
        if (s->isBeingDismissed()) break;
        s->view()->frame = bounds();
        s->viewWillLayoutSubviews();
        s->viewDidLayoutSubviews();
    }
}

Point Window::toScreen(const Screen* screen, Point p) const {
    return const_cast<Screen*>(screen)->view()->convertFromWindow(p);
}

void Window::touchDown(Point p) {
    if (!alerts_.empty() || touch_) return;
    Screen* screen = topScreen();
    if (!screen) return;
    View* root = screen->view();
    View* hit = root->hitTest(root->convertFromWindow(p));
    if (!hit) return;

    ActiveTouch t;
    t.id = nextTouchId_++;
    t.screen = screen;
    for (View* v = hit; v; v = v->superview())
        for (auto& r : v->gestureRecognizers())
            if (r->enabled) t.recognizers.push_back(r.get());
    for (View* v = hit; v; v = v->superview())
        if (v->handlesTouches()) {
            t.control = v;
            break;
        }
    touch_ = t;

    double now = env_.clock.now();
    for (auto* r : touch_->recognizers) {
        r->reset();
        r->touchBegan(p, now, t.id);
    }
    if (!touch_) return;
    if (touch_->control) {
        touch_->control->touchBegan(touch_->control->convertFromWindow(p), now);
    } else {
        touch_->screenHasTouch = true;
        screen->touchesBegan({Touch{toScreen(screen, p)}});
    }
}

void Window::touchMove(Point p) {
    if (!touch_) return;
    double now = env_.clock.now();
    std::uint64_t id = touch_->id;
    for (auto* r : std::vector<GestureRecognizer*>(touch_->recognizers)) {
        if (!touch_ || touch_->id != id) return;
        if (r->state() != GestureState::failed && r->state() != GestureState::cancelled) r->touchMoved(p, now);
    }
    if (!touch_ || touch_->id != id || touch_->owner) return;
    if (touch_->control)
        touch_->control->touchMoved(touch_->control->convertFromWindow(p), now);
    else if (touch_->screenHasTouch)
        touch_->screen->touchesMoved({Touch{toScreen(touch_->screen, p)}});
}

void Window::touchUp(Point p) {
    if (!touch_) return;
    double now = env_.clock.now();
    std::uint64_t id = touch_->id;
    for (auto* r : std::vector<GestureRecognizer*>(touch_->recognizers)) {
        if (!touch_ || touch_->id != id) return;
        if (r->state() != GestureState::failed && r->state() != GestureState::cancelled) r->touchEnded(p, now);
    }
    if (!touch_ || touch_->id != id) return;
    ActiveTouch t = *touch_;
    touch_.reset();
    for (auto* r : t.recognizers) r->reset();
    if (t.owner) return;
    if (t.control)
        t.control->touchEnded(t.control->convertFromWindow(p), now);
    else if (t.screenHasTouch)
        t.screen->touchesEnded({Touch{toScreen(t.screen, p)}});
}

void Window::recognizerDidClaimTouch(GestureRecognizer* recognizer) {
    if (!touch_ || touch_->owner) return;
    auto& rs = touch_->recognizers;
    if (std::find(rs.begin(), rs.end(), recognizer) == rs.end()) return;
    touch_->owner = recognizer;
    cancelTouchTargets(*touch_);
    for (auto* r : rs)
        if (r != recognizer && r->state() == GestureState::possible) r->touchCancelled();
}

void Window::cancelTouchTargets(ActiveTouch& t) {
    if (t.control) {
        t.control->touchCancelled();
        t.control = nullptr;
    }
    if (t.screenHasTouch) {
        t.screenHasTouch = false;
        t.screen->touchesCancelled({});
    }
}

void Window::shake() {
    Screen* s = topScreen();
    if (s && s->canBecomeFirstResponder()) s->motionEnded(Motion::shake);
}

void Window::setFocus(TextField* field) { focused_ = field; }

void Window::typeText(const std::string& text) {
    if (focused_) focused_->text += text;
}

void Window::pressBackspace() {
    if (!focused_ || focused_->text.empty()) return;
    std::string& s = focused_->text;
    // Remove one whole UTF-8 character.
    std::size_t end = s.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    s.erase(end);
}

void Window::pressReturn() {
    if (focused_ && focused_->shouldReturn) focused_->shouldReturn(*focused_);
}

void Window::presentAlert(AlertController alert) {
    if (touch_) {
        cancelTouchTargets(*touch_);
        for (auto* r : touch_->recognizers) r->touchCancelled();
        touch_.reset();
    }
    alerts_.push_back(std::move(alert));
}

bool Window::chooseAlertAction(const std::string& title) {
    if (alerts_.empty()) return false;
    auto& actions = alerts_.front().actions;
    auto it = std::find_if(actions.begin(), actions.end(), [&](const AlertAction& a) { return a.title == title; });
    if (it == actions.end()) return false;
    auto handler = it->handler;
    alerts_.pop_front();
    if (handler) handler();
    return true;
}

}  // namespace platform
