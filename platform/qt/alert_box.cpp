#include "platform/qt/alert_box.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "platform/qt/qt_text_measurer.h"

namespace lectio::qt {

namespace {
constexpr double kAlertWidth = 270;
constexpr double kSheetMaxWidth = 400;
constexpr double kPadding = 16;
constexpr double kButtonHeight = 44;
constexpr double kCornerRadius = 13;
constexpr double kSheetMargin = 8;

QFont titleFont() {
    QFont f = qtFont({"", 17});
    f.setBold(true);
    return f;
}
QFont messageFont() { return qtFont({"", 13}); }
QFont buttonFont() { return qtFont({"", 17}); }

bool sideBySide(const platform::AlertController& alert) {
    return alert.style == platform::AlertStyle::alert && alert.actions.size() == 2;
}
}  // namespace

AlertBoxLayout layoutAlertBox(const platform::AlertController& alert, QSizeF window) {
    AlertBoxLayout out;
    const bool sheet = alert.style == platform::AlertStyle::actionSheet;
    double width = sheet ? std::min(kSheetMaxWidth, window.width() - 2 * kSheetMargin) : kAlertWidth;
    width = std::max(width, 120.0);
    const double textWidth = width - 2 * kPadding;

    out.title = layoutText(QString::fromStdString(alert.title), titleFont(), textWidth, 0);
    out.message = layoutText(QString::fromStdString(alert.message), messageFont(), textWidth, 0);
    double y = kPadding;
    out.titleRect = {kPadding, y, textWidth, out.title.height()};
    y += out.title.height();
    if (!out.message.lines.empty()) y += 4;
    out.messageRect = {kPadding, y, textWidth, out.message.height()};
    y += out.message.height() + kPadding;
    if (out.title.lines.empty() && out.message.lines.empty()) y = 0;

    const std::size_t n = alert.actions.size();
    if (sideBySide(alert)) {
        out.buttons = {{0, y, width / 2, kButtonHeight}, {width / 2, y, width / 2, kButtonHeight}};
        y += kButtonHeight;
    } else {
        for (std::size_t i = 0; i < n; ++i, y += kButtonHeight) out.buttons.push_back({0, y, width, kButtonHeight});
    }

    double height = y;
    double x = (window.width() - width) / 2;
    double top = sheet ? window.height() - height - kSheetMargin : (window.height() - height) / 2;
    // A box taller than the window starts at its top; the lower buttons may then be cut off.
    top = std::max(top, 0.0);
    out.box = {x, top, width, height};
    auto move = [&](QRectF& r) { r.translate(x, top); };
    move(out.titleRect);
    move(out.messageRect);
    for (QRectF& b : out.buttons) move(b);
    return out;
}

int alertButtonAt(const AlertBoxLayout& layout, QPointF p) {
    for (std::size_t i = 0; i < layout.buttons.size(); ++i)
        if (layout.buttons[i].contains(p)) return static_cast<int>(i);
    return -1;
}

void paintAlertBox(QPainter& painter, const platform::AlertController& alert, const AlertBoxLayout& layout,
                   QSizeF window, int pressed) {
    painter.save();
    painter.setOpacity(1);
    painter.fillRect(QRectF(QPointF(0, 0), window), QColor(0, 0, 0, 100));

    QPainterPath shape;
    shape.addRoundedRect(layout.box, kCornerRadius, kCornerRadius);
    painter.fillPath(shape, QColor(242, 242, 242));
    painter.setClipPath(shape);

    painter.setPen(Qt::black);
    painter.setFont(titleFont());
    drawTextLines(painter, layout.title, layout.titleRect, 0, HorizontalAlignment::center);
    painter.setFont(messageFont());
    drawTextLines(painter, layout.message, layout.messageRect, 0, HorizontalAlignment::center);

    const QColor separator(200, 200, 200);
    const QColor tint(0, 122, 255);
    for (std::size_t i = 0; i < layout.buttons.size() && i < alert.actions.size(); ++i) {
        const QRectF& r = layout.buttons[i];
        const auto& action = alert.actions[i];
        if (static_cast<int>(i) == pressed) painter.fillRect(r, QColor(220, 220, 220));
        painter.setPen(separator);
        painter.drawLine(r.topLeft(), r.topRight());
        if (r.left() > layout.box.left()) painter.drawLine(r.topLeft(), r.bottomLeft());

        QFont font = buttonFont();
        font.setBold(action.style == platform::AlertActionStyle::cancel);
        TextLines title = layoutText(QString::fromStdString(action.title), font, r.width() - 16, 1);
        painter.setFont(font);
        painter.setPen(action.style == platform::AlertActionStyle::destructive ? QColor(255, 59, 48) : tint);
        drawTextLines(painter, title, r.adjusted(8, 0, -8, 0), (r.height() - title.height()) / 2,
                      HorizontalAlignment::center);
    }
    painter.restore();
}

}  // namespace lectio::qt

