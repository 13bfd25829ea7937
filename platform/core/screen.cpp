#include "platform/screen.h"

#include "platform/environment.h"
#include "platform/view.h"
#include "platform/window.h"

namespace platform {

Screen::Screen(Environment& env) : env_(env) {}
Screen::~Screen() = default;

View* Screen::view() {
    if (!root_ && !loading_) {
        loading_ = true;
        loadView();
        if (!root_) setRootView(std::make_unique<View>("view"));
        if (window_) root_->frame = window_->bounds();
        viewDidLoad();
        loading_ = false;
    }
    return root_.get();
}

void Screen::loadView() { setRootView(std::make_unique<View>("view")); }

void Screen::setRootView(std::unique_ptr<View> root) {
    root_ = std::move(root);
    root_->setWindow(window_);
}

void Screen::attach(Window* window, Screen* presenting) {
    window_ = window;
    presenting_ = presenting;
    if (root_) root_->setWindow(window);
}

bool Screen::becomeFirstResponder() { return canBecomeFirstResponder(); }

void Screen::present(std::unique_ptr<Screen> screen, bool animated, std::function<void()> completion) {
    // Like the toolkit, a screen presents one screen at a time (also while the last one is still
    // leaving); a second request is dropped.
    if (!screen || !window_ || presented_) return;
    screen->attach(window_, this);
    presented_ = std::move(screen);
    window_->screenPresented(presented_.get());
    if (completion) env_.mainQueue.async(std::move(completion));
}

void Screen::dismiss(bool animated, std::function<void()> completion) {
    Screen* target = presented_ ? presented_.get() : this;
    Screen* presenter = target->presenting_;
    if (!presenter || target->beingDismissed_ || !window_) return;
    target->beingDismissed_ = true;
    window_->screenWillBeRemoved(target);
    target->viewWillDisappear(animated);
    presenter->viewWillAppear(animated);
    Window* window = window_;
    // The screen is released later on the main queue, never inside its own method.
    env_.mainQueue.async([window, presenter, target, animated, completion = std::move(completion)] {
        if (presenter->presented_.get() != target) return;
        std::unique_ptr<Screen> leaving = std::move(presenter->presented_);
        leaving->viewDidDisappear(animated);
        leaving.reset();
        window->setNeedsLayout();
        presenter->viewDidAppear(animated);
        if (completion) completion();
    });
}

void Screen::presentAlert(AlertController alert, bool animated) {
    if (!window_) return;
    alert.animated = animated;
    window_->presentAlert(std::move(alert));
}

std::unique_ptr<Screen> Screen::instantiateScreen(const std::string& identifier) const {
    return env_.storyboard ? env_.storyboard(identifier, env_) : nullptr;
}

}  // namespace platform
