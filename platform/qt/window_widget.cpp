#include "platform/qt/window_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/environment.h"
#include "platform/qt/alert_box.h"
#include "platform/screen.h"
#include "platform/table_view.h"
#include "platform/view.h"

namespace lectio::qt {

using platform::Point;

static Point toPoint(QPointF p) { return {p.x(), p.y()}; }

WindowWidget::WindowWidget(platform::Environment& env, QString imagesDirectory, QSize initialSize, QWidget* parent)
    : QWidget(parent),
      window_(std::make_unique<platform::Window>(
          env, platform::Size{static_cast<double>(initialSize.width()), static_cast<double>(initialSize.height())})),
      imagesDirectory_(std::move(imagesDirectory)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
    resize(initialSize);
}

WindowWidget::~WindowWidget() = default;

void WindowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), Qt::white);

    ViewPainter views(painter, imagesDirectory_, textCache_);
    views.focusedField = window_->focusedTextField();
    // The shown screens from the last full-screen one up: a full-screen presentation takes the
    // screens beneath it out of the window, as the toolkit does.
    platform::Screen* bottom = window_->rootScreen();
    for (platform::Screen* s = bottom; s && !s->isBeingDismissed(); s = s->presentedScreen())
        if (s->modalPresentationStyle == platform::ModalPresentationStyle::fullScreen) bottom = s;
    for (platform::Screen* s = bottom; s && !s->isBeingDismissed(); s = s->presentedScreen())
        views.paint(*s->view());

    if (const platform::AlertController* alert = window_->currentAlert()) {
        QSizeF size(width(), height());
        paintAlertBox(painter, *alert, layoutAlertBox(*alert, size), size, pressedAlertButton_);
    }
}

void WindowWidget::resizeEvent(QResizeEvent*) {
    window_->resize({static_cast<double>(width()), static_cast<double>(height())});
    update();
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const platform::AlertController* alert = window_->currentAlert()) {
        // While an alert is up only its buttons take clicks.
        pressedAlertButton_ = alertButtonAt(layoutAlertBox(*alert, QSizeF(width(), height())), event->position());
    } else if (!touching_) {
        touching_ = true;
        window_->touchDown(toPoint(event->position()));
    }
    update();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !touching_) return;
    window_->touchMove(toPoint(event->position()));
    update();
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (touching_) {
        // An alert that came up during the touch has already cancelled it; the Window ignores this.
        touching_ = false;
        window_->touchUp(toPoint(event->position()));
    } else if (const platform::AlertController* alert = window_->currentAlert()) {
        AlertBoxLayout layout = layoutAlertBox(*alert, QSizeF(width(), height()));
        int released = alertButtonAt(layout, event->position());
        int pressed = pressedAlertButton_;
        pressedAlertButton_ = -1;
        if (released >= 0 && released == pressed && released < static_cast<int>(alert->actions.size())) {
            std::string title = alert->actions[released].title;
            window_->chooseAlertAction(title);  // may present another alert or replace the screen
        }
    }
    update();
}

void WindowWidget::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (window_->currentAlert() || touching_) return;
    double dy = 0;
    if (!event->pixelDelta().isNull())
        dy = -event->pixelDelta().y();
    else
        dy = -event->angleDelta().y() / 120.0 * kWheelStep;
    if (dy != 0) scrollContentAt(event->position(), dy);
    update();
}

// The wheel moves the content of the table (or text view) under the cursor, within its
// content, and tells a table's delegate as a drag would.
void WindowWidget::scrollContentAt(QPointF p, double dy) {
    platform::Screen* screen = window_->topScreen();
    if (!screen) return;
    platform::View* root = screen->view();
    platform::View* hit = root->hitTest(root->convertFromWindow(toPoint(p)));
    for (platform::View* v = hit; v; v = v->superview()) {
        if (auto* table = dynamic_cast<platform::TableView*>(v)) {
            table->layoutIfNeeded();
            Point before = table->contentOffset();
            table->setContentOffset({before.x, before.y + dy});
            if (table->contentOffset() != before && table->delegate) table->delegate->scrollViewDidScroll(*table);
            return;
        }
        if (auto* text = dynamic_cast<platform::TextView*>(v)) {
            // The same bound as a drag on the text view: its wrapped text less its height.
            double contentHeight = window_->env().textMeasurer.measure(text->text, text->font, text->frame.width, 0).height;
            double maxY = std::max(0.0, contentHeight - text->frame.height);
            double y = std::isfinite(text->contentOffset.y) ? text->contentOffset.y : 0;
            text->contentOffset.y = std::clamp(y + dy, 0.0, maxY);
            return;
        }
    }
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == kShakeKey && mods == kShakeModifiers) {
        window_->shake();
    } else if (window_->currentAlert()) {
        // The alert is modal: typing does not reach the field behind it.
    } else if (event->key() == Qt::Key_Backspace) {
        window_->pressBackspace();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        window_->pressReturn();
    } else if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QString text = event->text();
        bool printable = !text.isEmpty();
        for (QChar c : text) printable = printable && c.isPrint();
        if (!printable) return QWidget::keyPressEvent(event);
        window_->typeText(text.toStdString());
    } else {
        return QWidget::keyPressEvent(event);
    }
    update();
}

}  // namespace lectio::qt
