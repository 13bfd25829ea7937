#pragma once
// The real window: one platform::Window shown in a QWidget. The mouse is the finger: a left
// press, its moves and its release become touchDown/touchMove/touchUp in the widget's logical
// pixels, so taps, long presses (holding still 0.5 s) and edge pans (a drag starting within
// 20 px of the left or right edge) are recognised by the Window exactly as headless. The mouse
// wheel scrolls the table or text view under the cursor. Keys edit the focused text field;
// Ctrl+Shift+S stands for shaking the device. The widget paints the screens and the alert on
// each update.
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/qt/text_layout.h"
#include "platform/qt/view_painter.h"
#include "platform/window.h"

namespace lectio::qt {

class WindowWidget : public QWidget {
public:
    // `imagesDirectory` holds the named images as "<name>.svg".
    WindowWidget(platform::Environment& env, QString imagesDirectory, QSize initialSize = kDefaultSize,
                 QWidget* parent = nullptr);
    ~WindowWidget() override;

    platform::Window& window() { return *window_; }

    // A phone-like portrait window; the user may resize it.
    static constexpr QSize kDefaultSize{430, 860};
    // The key sequence that shakes the device.
    static constexpr Qt::KeyboardModifiers kShakeModifiers{Qt::ControlModifier | Qt::ShiftModifier};
    static constexpr Qt::Key kShakeKey = Qt::Key_S;
    // Pixels a wheel notch (15 degrees) scrolls.
    static constexpr double kWheelStep = 48;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scrollContentAt(QPointF p, double dy);

    std::unique_ptr<platform::Window> window_;
    QString imagesDirectory_;
    TextLayoutCache textCache_;
    bool touching_ = false;      // a left press went to the Window and has not been released
    int pressedAlertButton_ = -1;
};

}  // namespace lectio::qt
