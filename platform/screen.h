#pragma once
// A screen (the toolkit's view controller): owns its root view, answers the lifecycle
// callbacks, receives the raw touches that no control took and the shake motion, and presents
// other screens and alerts through its Window.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/alert.h"
#include "platform/geometry.h"

namespace platform {

struct Environment;
class View;
class Window;

struct Touch {
    Point location;  // in the screen's root view
};
using TouchSet = std::vector<Touch>;

enum class Motion { shake };
enum class ModalPresentationStyle { automatic, fullScreen };

class Screen {
public:
    explicit Screen(Environment& env);
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    Environment& env() const { return env_; }

    // The root view, loading it (loadView, then viewDidLoad) on first use.
    View* view();
    bool isViewLoaded() const { return root_ != nullptr; }

    // Lifecycle callbacks.
    virtual void loadView();  // default: a plain root view named "view"
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) {}
    virtual void viewDidAppear(bool animated) {}
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    virtual void viewWillDisappear(bool animated) {}
    virtual void viewDidDisappear(bool animated) {}

    // Raw touches that no control or recogniser kept; only the first touch matters here.
    virtual void touchesBegan(const TouchSet& touches) {}
    virtual void touchesMoved(const TouchSet& touches) {}
    virtual void touchesEnded(const TouchSet& touches) {}
    virtual void touchesCancelled(const TouchSet& touches) {}

    virtual bool canBecomeFirstResponder() const { return false; }
    bool becomeFirstResponder();
    virtual void motionEnded(Motion motion) {}

    // Presentation. Dismissal takes effect at once for the callbacks and input; the screen
    // object itself is released on the main queue, never inside its own method.
    void present(std::unique_ptr<Screen> screen, bool animated, std::function<void()> completion = {});
    void dismiss(bool animated, std::function<void()> completion = {});
    bool isBeingDismissed() const { return beingDismissed_; }
    Screen* presentedScreen() const { return presented_.get(); }
    Screen* presentingScreen() const { return presenting_; }
    ModalPresentationStyle modalPresentationStyle = ModalPresentationStyle::automatic;
    bool isModalInPresentation = false;

    void presentAlert(AlertController alert, bool animated = true);

    // Creates a screen from the storyboard by its identifier, or nullptr for an unknown one.
    std::unique_ptr<Screen> instantiateScreen(const std::string& identifier) const;

    Window* window() const { return window_; }
    virtual std::string storyboardIdentifier() const { return {}; }

protected:
    void setRootView(std::unique_ptr<View> root);

private:
    friend class Window;
    void attach(Window* window, Screen* presenting);

    Environment& env_;
    std::unique_ptr<View> root_;
    std::unique_ptr<Screen> presented_;
    Screen* presenting_ = nullptr;
    Window* window_ = nullptr;
    bool beingDismissed_ = false;
    bool loading_ = false;
};

}  // namespace platform
