#pragma once
// Retained views: plain objects holding exactly the properties the screens set. The headless
// backend reads them directly; the Qt backend paints them. Touches reach views through the
// Window (window.h), which hit-tests this tree.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/value.h"

namespace platform {

class Window;
class GestureRecognizer;

struct Layer {
    double borderWidth = 0;
    Color borderColor = Color::black();
    double cornerRadius = 0;
    bool masksToBounds = false;
    Size shadowOffset{0, -3};
    Color backgroundColor = Color::clear();
};

class View {
public:
    explicit View(std::string name = {});
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    std::string name;  // the property name the owning screen knows this view by
    Rect frame;        // in the superview's coordinates
    double alpha = 1.0;
    bool hidden = false;
    Color backgroundColor = Color::clear();
    Layer layer;
    bool userInteractionEnabled = true;
    int tag = 0;

    Rect bounds() const { return {0, 0, frame.width, frame.height}; }
    Point center() const { return frame.center(); }
    void setCenter(Point c) { frame.x = c.x - frame.width / 2; frame.y = c.y - frame.height / 2; }

    template <class T>
    T* addSubview(std::unique_ptr<T> child) {
        T* raw = child.get();
        adopt(std::move(child));
        return raw;
    }
    // Creates a view of kind T named `name` as the last subview.
    template <class T = View>
    T* addNew(std::string childName = {}) { return addSubview(std::make_unique<T>(std::move(childName))); }

    View* superview() const { return superview_; }
    const std::vector<std::unique_ptr<View>>& subviews() const { return subviews_; }
    void bringSubviewToFront(View* child);
    // Depth-first search of this view and its subviews.
    View* findView(const std::string& viewName);
    View* viewWithTag(int wantedTag);

    // The window this view is shown in, or nullptr.
    Window* window() const;
    void setWindow(Window* w) { window_ = w; }  // set on a screen's root view

    // Coordinate conversion between views of the same tree (nullptr means window coordinates).
    Point convertToWindow(Point p) const;
    Point convertFromWindow(Point p) const;

    void addGestureRecognizer(std::unique_ptr<GestureRecognizer> recognizer);
    const std::vector<std::unique_ptr<GestureRecognizer>>& gestureRecognizers() const { return recognizers_; }

    // Visible and interactive as the toolkit's hit test sees it (hidden, nearly transparent or
    // non-interactive views are skipped with their subviews).
    bool acceptsHits() const { return !hidden && alpha >= 0.01 && userInteractionEnabled; }
    // The deepest view under `p` (in this view's coordinates) that accepts hits.
    virtual View* hitTest(Point p);

    // Controls (buttons, tables, text fields) keep their own touches; other views pass them up
    // to the screen.
    virtual bool handlesTouches() const { return false; }
    virtual void touchBegan(Point p, double time) {}
    virtual void touchMoved(Point p, double time) {}
    virtual void touchEnded(Point p, double time) {}
    virtual void touchCancelled() {}

    virtual const char* kind() const { return "view"; }
    // The view's properties, for the scenario driver and for test messages.
    virtual void describe(Value& out) const;

private:
    void adopt(std::unique_ptr<View> child);

    View* superview_ = nullptr;
    Window* window_ = nullptr;
    std::vector<std::unique_ptr<View>> subviews_;
    std::vector<std::unique_ptr<GestureRecognizer>> recognizers_;
};

enum class TextAlignment { left, center, right };

class Label : public View {
public:
    explicit Label(std::string name = {});
    std::string text;
    Color textColor = Color::black();
    Font font;
    int numberOfLines = 1;  // 0 means as many as needed, wrapping at word boundaries
    bool adjustsFontSizeToFitWidth = false;
    double minimumScaleFactor = 0;
    TextAlignment textAlignment = TextAlignment::left;

    const char* kind() const override { return "label"; }
    void describe(Value& out) const override;
};

class Button : public View {
public:
    explicit Button(std::string name = {});
    std::string title;             // for the normal state
    Color titleColor = Color::black();  // for the normal state
    Label titleLabel;              // font, lines and shrink-to-fit of the title
    std::function<void()> action;  // touch up inside
    bool isHighlighted() const { return highlighted_; }

    bool handlesTouches() const override { return true; }
    void touchBegan(Point p, double time) override;
    void touchMoved(Point p, double time) override;
    void touchEnded(Point p, double time) override;
    void touchCancelled() override;

    const char* kind() const override { return "button"; }
    void describe(Value& out) const override;

private:
    bool highlighted_ = false;
};

class ImageView : public View {
public:
    explicit ImageView(std::string name = {});
    std::string imageName;  // a named image of the application's resources; empty shows nothing
    Color tintColor = Color::black();  // the colour the image is drawn in

    const char* kind() const override { return "image"; }
    void describe(Value& out) const override;
};

struct ToolbarItem {
    enum class Kind { flexibleSpace, button } kind = Kind::button;
    std::string title;
    std::function<void()> action;
};

struct Toolbar {
    Rect frame;
    std::vector<ToolbarItem> items;
};

class TextField : public View {
public:
    explicit TextField(std::string name = {});
    std::string text;
    std::string placeholder;
    Color placeholderColor = Color::gray();
    Color textColor = Color::black();
    Color tintColor = Color::gray();
    Font font;
    bool secureTextEntry = false;
    std::string returnKeyLabel = "Return";
    std::unique_ptr<Toolbar> inputAccessory;
    // Return key; the answer is whether the field should process it (the toolkit ignores it).
    std::function<bool(TextField&)> shouldReturn;

    bool isFirstResponder() const;
    bool canBecomeFirstResponder() const { return !hidden && userInteractionEnabled; }
    bool becomeFirstResponder();
    void resignFirstResponder();

    bool handlesTouches() const override { return true; }
    void touchEnded(Point p, double time) override;

    const char* kind() const override { return "textField"; }
    void describe(Value& out) const override;
};

class TextView : public View {
public:
    explicit TextView(std::string name = {});
    std::string text;
    Color textColor = Color::black();
    Font font;
    Point contentOffset;
    bool editable = false;
    // Scrolls so that the character range starting at byte `location` is in view.
    void scrollRangeToVisible(std::size_t location, std::size_t length);

    bool handlesTouches() const override { return true; }
    void touchBegan(Point p, double time) override;
    void touchMoved(Point p, double time) override;

    const char* kind() const override { return "textView"; }
    void describe(Value& out) const override;

private:
    Point dragStart_;
    Point offsetAtDragStart_;
};

}  // namespace platform
