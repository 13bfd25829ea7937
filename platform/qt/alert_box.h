#pragma once
// The modal box of the alert on screen: its geometry, shared by painting and by the hit test
// of its buttons, and its painting.
#include <QRectF>
#include <QSizeF>
#include <vector>

#include "platform/alert.h"
#include "platform/qt/text_layout.h"

class QPainter;

namespace lectio::qt {

struct AlertBoxLayout {
    QRectF box;
    TextLines title, message;
    QRectF titleRect, messageRect;
    std::vector<QRectF> buttons;  // one per action, in the actions' order
};

// An alert is a box in the middle of the window, with two actions side by side and other
// counts stacked; an action sheet sits at the bottom with its actions stacked, cancel last.
AlertBoxLayout layoutAlertBox(const platform::AlertController& alert, QSizeF window);

// The index of the action whose button holds `p`, or -1.
int alertButtonAt(const AlertBoxLayout& layout, QPointF p);

// Dims the window and draws the box; `pressed` is the button held down, or -1.
void paintAlertBox(QPainter& painter, const platform::AlertController& alert, const AlertBoxLayout& layout,
                   QSizeF window, int pressed);

}  // namespace lectio::qt
