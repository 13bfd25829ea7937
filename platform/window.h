#pragma once
// The application's one window: the root screen and the screens presented over it, the alert
// on screen, the text-input focus, and the dispatch of raw pointer input into touches and
// gesture recognisers. Both backends feed it the same input and read the same state, so every
// behaviour seen in the Qt window can be reproduced headless.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/alert.h"
#include "platform/geometry.h"
#include "platform/screen.h"

namespace platform {

struct Environment;
class GestureRecognizer;
class TextField;
class View;

class Window {
public:
    Window(Environment& env, Size size);
    ~Window();

    Environment& env() const { return env_; }

    // The screen the window shows first; it is loaded and appears at once.
    void setRootScreen(std::unique_ptr<Screen> screen);
    Screen* rootScreen() const { return root_.get(); }
    // Releases every screen (at shutdown, before the services they observe go away).
    void removeAllScreens();
    // The screen on top of the presentation stack (the one that gets input).
    Screen* topScreen() const;

    // The main screen's bounds and the key window's safe-area insets.
    Size size() const { return size_; }
    Rect bounds() const { return {0, 0, size_.width, size_.height}; }
    void resize(Size size);
    EdgeInsets safeAreaInsets;

    // Layout: runs viewWillLayoutSubviews / viewDidLayoutSubviews of every shown screen.
    void setNeedsLayout();
    void layoutIfNeeded();

    // Pointer input in window coordinates (the finger or the mouse).
    void touchDown(Point p);
    void touchMove(Point p);
    void touchUp(Point p);
    bool isTouchDown() const { return touch_.has_value(); }
    void shake();

    // Keyboard input for the focused text field.
    void typeText(const std::string& text);
    void pressBackspace();
    void pressReturn();
    TextField* focusedTextField() const { return focused_; }
    void setFocus(TextField* field);  // nullptr ends editing

    // Alerts and action sheets, shown one at a time in the order presented.
    const AlertController* currentAlert() const { return alerts_.empty() ? nullptr : &alerts_.front(); }
    // Chooses the action with this title on the alert shown; false when there is none.
    bool chooseAlertAction(const std::string& title);
    void presentAlert(AlertController alert);

    // Called by a recogniser that has begun on its own (a long press after its delay): the
    // touch's other targets are cancelled.
    void recognizerDidClaimTouch(GestureRecognizer* recognizer);

    // Called by Screen when screens come and go.
    void screenWillBeRemoved(Screen* screen);
    void screenPresented(Screen* screen);

private:
    struct ActiveTouch {
        std::uint64_t id = 0;
        Screen* screen = nullptr;
        View* control = nullptr;                       // the control that keeps this touch, if any
        std::vector<GestureRecognizer*> recognizers;   // from the hit view up to the root
        GestureRecognizer* owner = nullptr;            // a recogniser that took the touch over
        bool screenHasTouch = false;                   // raw touches go to the screen
    };

    Point toScreen(const Screen* screen, Point p) const;
    void cancelTouchTargets(ActiveTouch& t);
    void checkRecognizersClaim(ActiveTouch& t);
    bool isAttached(const View* v) const;

    Environment& env_;
    Size size_;
    std::unique_ptr<Screen> root_;
    std::optional<ActiveTouch> touch_;
    std::uint64_t nextTouchId_ = 1;
    TextField* focused_ = nullptr;
    std::deque<AlertController> alerts_;
    bool layoutPending_ = false;
};

}  // namespace platform
