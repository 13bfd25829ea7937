#include "platform/qt/view_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

#include "platform/qt/assets/images.h"
#include "platform/qt/qt_text_measurer.h"
#include "platform/table_view.h"
#include "platform/view.h"

namespace lectio::qt {

using namespace platform;

namespace {
// The table's cell label insets; row heights are measured with the same ones.
constexpr double kCellHorizontalPadding = platform::TableView::kCellHorizontalPadding;
constexpr double kTextFieldInset = 8;
constexpr double kHighlightedTitleOpacity = 0.3;

double unit(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }
double nonNegative(double v) { return std::isfinite(v) && v > 0 ? v : 0.0; }

QRectF boundsOf(const View& v) { return {0, 0, nonNegative(v.frame.width), nonNegative(v.frame.height)}; }

QPainterPath roundedPath(const QRectF& r, double radius) {
    QPainterPath path;
    double rr = std::min(nonNegative(radius), std::min(r.width(), r.height()) / 2);
    if (rr > 0)
        path.addRoundedRect(r, rr, rr);
    else
        path.addRect(r);
    return path;
}

HorizontalAlignment alignmentOf(TextAlignment a) {
    switch (a) {
        case TextAlignment::center: return HorizontalAlignment::center;
        case TextAlignment::right: return HorizontalAlignment::right;
        default: return HorizontalAlignment::left;
    }
}

std::size_t codePointCount(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace

QColor toQColor(const Color& c) { return QColor::fromRgbF(unit(c.red), unit(c.green), unit(c.blue), unit(c.alpha)); }

const TextLines& TextLayoutCache::get(const QString& text, const QFont& font, double maxWidth, int numberOfLines) {
    QString key = font.key() + QChar(1) + QString::number(maxWidth, 'g', 10) + QChar(1) +
                  QString::number(numberOfLines) + QChar(1) + text;
    auto it = entries_.find(key);
    if (it != entries_.end()) return *it;
    // A plain bound on memory: the entries of a screen or two are all that is ever reused.
    if (entries_.size() > 2000) entries_.clear();
    return *entries_.insert(key, layoutText(text, font, maxWidth, numberOfLines));
}

ViewPainter::ViewPainter(QPainter& painter, const QString& imagesDirectory, TextLayoutCache& cache)
    : painter_(painter), imagesDirectory_(imagesDirectory), cache_(cache) {}

void ViewPainter::paint(View& view, double inheritedAlpha) {
    const double alpha = inheritedAlpha * unit(view.alpha);
    if (view.hidden || alpha <= 0) return;
    if (!std::isfinite(view.frame.x) || !std::isfinite(view.frame.y)) return;

    painter_.save();
    painter_.translate(view.frame.x, view.frame.y);
    const QRectF bounds = boundsOf(view);
    paintLayer(view, bounds, alpha);
    if (view.layer.masksToBounds) painter_.setClipPath(roundedPath(bounds, view.layer.cornerRadius), Qt::IntersectClip);
    paintContents(view, alpha);
    for (const auto& child : view.subviews()) paint(*child, alpha);
    // The layer's border lies over the content and the subviews.
    paintBorder(view, bounds, alpha);
    painter_.restore();
}

void ViewPainter::paintLayer(const View& view, const QRectF& bounds, double alpha) {
    QPainterPath shape = roundedPath(bounds, view.layer.cornerRadius);
    painter_.setOpacity(alpha);
    if (view.backgroundColor.alpha > 0) painter_.fillPath(shape, toQColor(view.backgroundColor));
    if (view.layer.backgroundColor.alpha > 0) painter_.fillPath(shape, toQColor(view.layer.backgroundColor));
}

void ViewPainter::paintBorder(const View& view, const QRectF& bounds, double alpha) {
    double width = nonNegative(view.layer.borderWidth);
    if (width <= 0 || view.layer.borderColor.alpha <= 0) return;
    width = std::min(width, std::min(bounds.width(), bounds.height()) / 2);
    if (width <= 0) return;
    // Drawn inside the bounds, as a layer's border is.
    QRectF inner = bounds.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter_.setOpacity(alpha);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(QPen(toQColor(view.layer.borderColor), width));
    painter_.drawPath(roundedPath(inner, std::max(0.0, nonNegative(view.layer.cornerRadius) - width / 2)));
}

void ViewPainter::paintContents(View& view, double alpha) {
    if (auto* table = dynamic_cast<TableView*>(&view)) return paintTable(*table, alpha);
    if (auto* label = dynamic_cast<const Label*>(&view)) return paintLabelText(*label, boundsOf(view), label->textColor, alpha);
    if (auto* button = dynamic_cast<const Button*>(&view)) return paintButton(*button, alpha);
    if (auto* image = dynamic_cast<const ImageView*>(&view)) return paintImage(*image, alpha);
    if (auto* field = dynamic_cast<const TextField*>(&view)) return paintTextField(*field, alpha);
    if (auto* textView = dynamic_cast<const TextView*>(&view)) return paintTextView(*textView, alpha);
}

// A label's text: wrapped, shrunk to fit when allowed, centred vertically in `box`, with the
// lines that do not fit the box's height left out and the last shown one elided.
void ViewPainter::paintLabelText(const Label& label, const QRectF& box, const Color& color, double alpha) {
    if (label.text.empty() || color.alpha <= 0 || box.width() <= 0) return;
    const QString text = QString::fromStdString(label.text);
    QFont font = qtFont(label.font);
    const int requested = std::max(0, label.numberOfLines);
    auto linesFor = [&](const QFont& f) {
        double lineHeight = QFontMetricsF(f).lineSpacing();
        int fit = std::max(1, static_cast<int>(std::floor((box.height() + 0.5) / lineHeight)));
        int lines = requested == 0 ? fit : std::min(requested, fit);
        return &cache_.get(text, f, box.width(), lines);
    };
    const TextLines* lines = linesFor(font);

    double minimumScale = label.minimumScaleFactor > 0 && label.minimumScaleFactor < 1 ? label.minimumScaleFactor : 1;
    if (label.adjustsFontSizeToFitWidth && minimumScale < 1) {
        const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        auto scaled = [&](double scale) {
            QFont f = font;
            if (font.pixelSize() > 0)
                f.setPixelSize(std::max(1, static_cast<int>(std::floor(size * scale))));
            else
                f.setPointSizeF(std::max(1.0, size * scale));
            return f;
        };
        if (requested == 1) {
            // One line: shrink by the ratio of the room to the text's natural width.
            double natural = cache_.get(text, font, 0, 1).width();
            if (natural > box.width()) {
                font = scaled(std::max(minimumScale, box.width() / natural));
                lines = linesFor(font);
            }
        } else {
            for (double scale = 1; lines->truncated && scale > minimumScale;) {
                scale = std::max(minimumScale, scale - 0.05);
                font = scaled(scale);
                lines = linesFor(font);
            }
        }
    }

    painter_.setOpacity(alpha);
    painter_.setFont(font);
    painter_.setPen(toQColor(color));
    drawTextLines(painter_, *lines, box, (box.height() - lines->height()) / 2, alignmentOf(label.textAlignment));
}

void ViewPainter::paintButton(const Button& button, double alpha) {
    if (button.title.empty()) return;
    // The title label keeps the font, lines and shrink-to-fit; the text and colour are the button's.
    Label title;
    title.text = button.title;
    title.font = button.titleLabel.font;
    title.numberOfLines = button.titleLabel.numberOfLines;
    title.adjustsFontSizeToFitWidth = button.titleLabel.adjustsFontSizeToFitWidth;
    title.minimumScaleFactor = button.titleLabel.minimumScaleFactor;
    title.textAlignment = TextAlignment::center;
    double shown = button.isHighlighted() ? alpha * kHighlightedTitleOpacity : alpha;
    paintLabelText(title, boundsOf(button), button.titleColor, shown);
}

void ViewPainter::paintImage(const ImageView& image, double alpha) {
    QRectF bounds = boundsOf(image);
    if (image.imageName.empty() || bounds.isEmpty()) return;
    double dpr = painter_.device() ? painter_.device()->devicePixelRatioF() : 1.0;
    QSize logical(static_cast<int>(std::ceil(bounds.width())), static_cast<int>(std::ceil(bounds.height())));
    QImage rendered = renderImage(imagesDirectory_, image.imageName, logical, dpr, toQColor(image.tintColor));
    if (rendered.isNull()) return;
    painter_.setOpacity(alpha);
    painter_.drawImage(QRectF(QPointF(0, 0), QSizeF(logical)), rendered);
}

void ViewPainter::paintTextField(const TextField& field, double alpha) {
    QRectF box = boundsOf(field).adjusted(kTextFieldInset, 0, -kTextFieldInset, 0);
    if (box.width() <= 0) return;
    const bool focused = &field == focusedField;
    const bool showPlaceholder = field.text.empty();
    QString text = showPlaceholder ? QString::fromStdString(field.placeholder)
                   : field.secureTextEntry ? QString(static_cast<qsizetype>(codePointCount(field.text)), QChar(0x2022))
                                           : QString::fromStdString(field.text);
    QFont font = qtFont(field.font);
    const TextLines& line = cache_.get(text, font, 0, 1);
    QFontMetricsF metrics(font);
    double top = (box.height() - metrics.lineSpacing()) / 2;

    painter_.save();
    painter_.setClipRect(box, Qt::IntersectClip);
    painter_.setOpacity(alpha);
    // While typing, the end of a long text stays in view.
    double textWidth = showPlaceholder ? 0 : line.width();
    double shift = focused ? std::min(0.0, box.width() - 2 - textWidth) : 0;
    QRectF shifted = box.translated(shift, 0);
    if (!text.isEmpty()) {
        painter_.setFont(font);
        painter_.setPen(toQColor(showPlaceholder ? field.placeholderColor : field.textColor));
        drawTextLines(painter_, line, shifted, top, HorizontalAlignment::left);
    }
    if (focused) {
        QRectF caret(shifted.x() + textWidth, box.y() + top, 2, metrics.lineSpacing());
        painter_.fillRect(caret, toQColor(field.tintColor));
    }
    painter_.restore();
}

void ViewPainter::paintTextView(const TextView& textView, double alpha) {
    QRectF bounds = boundsOf(textView);
    if (textView.text.empty() || bounds.isEmpty()) return;
    QFont font = qtFont(textView.font);
    // Wrapped at the view's full width, as its scrolling measures it.
    const TextLines& lines = cache_.get(QString::fromStdString(textView.text), font, bounds.width(), 0);
    double offsetY = std::isfinite(textView.contentOffset.y) ? textView.contentOffset.y : 0;

    painter_.save();
    painter_.setClipRect(bounds, Qt::IntersectClip);
    painter_.setOpacity(alpha);
    painter_.setFont(font);
    painter_.setPen(toQColor(textView.textColor));
    // Only the lines in view are drawn; a text view may hold a very long text.
    TextLines visible;
    visible.lineHeight = lines.lineHeight;
    visible.ascent = lines.ascent;
    std::size_t first = lines.lineHeight > 0 ? static_cast<std::size_t>(std::max(0.0, std::floor(offsetY / lines.lineHeight))) : 0;
    double firstTop = static_cast<double>(first) * lines.lineHeight - offsetY;
    for (std::size_t i = first; i < lines.lines.size() && visible.height() + firstTop < bounds.height(); ++i) {
        visible.lines.push_back(lines.lines[i]);
        visible.widths.push_back(lines.widths[i]);
    }
    drawTextLines(painter_, visible, bounds, firstTop, HorizontalAlignment::left);
    painter_.restore();
}

void ViewPainter::paintTable(TableView& table, double alpha) {
    table.layoutIfNeeded();
    QRectF bounds = boundsOf(table);
    painter_.save();
    // A table clips its rows to its bounds.
    painter_.setClipRect(bounds, Qt::IntersectClip);
    painter_.setOpacity(alpha);
    if (table.backgroundViewColor.alpha > 0) painter_.fillRect(bounds, toQColor(table.backgroundViewColor));

    const Point offset = table.contentOffset();
    const auto& cells = table.cells();
    const int rows = std::min(table.numberOfRowsInSection(0), static_cast<int>(cells.size()));
    int first = std::max(0, table.rowAtPoint({0, std::max(0.0, -offset.y)}));
    for (int row = first; row < rows; ++row) {
        Rect r = table.rectForRow(row);
        double top = r.y - offset.y;
        if (top >= bounds.height()) break;
        if (top + r.height <= 0) continue;
        QRectF rowRect(0, top, bounds.width(), r.height);
        double shift = 0;
        if (row == table.revealedActionsRow())
            shift = -TableView::kActionWidth * static_cast<double>(table.revealedActions().size());
        paintCell(table, *cells[row], rowRect.translated(shift, 0), alpha);
        if (shift != 0) paintRowActions(table, rowRect, alpha);
    }
    painter_.restore();
}

void ViewPainter::paintCell(const TableView& table, TableCell& cell, const QRectF& rect, double tableAlpha) {
    const double alpha = tableAlpha * unit(cell.alpha);
    if (cell.hidden || alpha <= 0) return;
    painter_.save();
    painter_.translate(rect.topLeft());
    const QRectF bounds(0, 0, rect.width(), rect.height());
    QPainterPath shape = roundedPath(bounds, cell.layer.cornerRadius);
    // Back to front: the background view, the cell's own background (where a highlight tint
    // goes), the selected background when selected, then the text.
    painter_.setOpacity(alpha);
    if (cell.backgroundViewColor.alpha > 0) painter_.fillPath(shape, toQColor(cell.backgroundViewColor));
    paintLayer(cell, bounds, alpha);
    painter_.setOpacity(alpha);
    if (cell.selected && cell.selectedBackgroundViewColor.alpha > 0)
        painter_.fillPath(shape, toQColor(cell.selectedBackgroundViewColor));
    if (cell.layer.masksToBounds) painter_.setClipPath(shape, Qt::IntersectClip);

    // The label spans the cell less its side insets and is centred vertically, which is how the
    // table measured the row: text height plus the vertical insets.
    const Label& label = cell.textLabel;
    if (!label.hidden)
        paintLabelText(label, bounds.adjusted(kCellHorizontalPadding, 0, -kCellHorizontalPadding, 0), label.textColor,
                       alpha * unit(label.alpha));
    for (const auto& child : cell.subviews()) paint(*child, alpha);
    if (table.separatorLinesVisible) {
        painter_.setOpacity(alpha);
        painter_.fillRect(QRectF(kCellHorizontalPadding, bounds.height() - 0.5, bounds.width() - kCellHorizontalPadding, 0.5),
                          QColor::fromRgbF(0.24, 0.24, 0.26, 0.29));
    }
    paintBorder(cell, bounds, alpha);
    painter_.restore();
}

// The revealed actions sit at the row's right end, the first one rightmost, as the table's
// hit test places them.
void ViewPainter::paintRowActions(const TableView& table, const QRectF& rowRect, double alpha) {
    const auto& actions = table.revealedActions();
    QFont font = qtFont({"", 15});
    painter_.setOpacity(alpha);
    painter_.setFont(font);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        double right = rowRect.right() - TableView::kActionWidth * static_cast<double>(i);
        QRectF r(right - TableView::kActionWidth, rowRect.top(), TableView::kActionWidth, rowRect.height());
        QColor fill = actions[i].style == RowActionStyle::normal ? QColor(142, 142, 147) : QColor(255, 59, 48);
        painter_.fillRect(r, fill);
        const TextLines& title = cache_.get(QString::fromStdString(actions[i].title), font, r.width() - 8, 1);
        painter_.setPen(Qt::white);
        drawTextLines(painter_, title, r.adjusted(4, 0, -4, 0), (r.height() - title.height()) / 2,
                      HorizontalAlignment::center);
    }
}

}  // namespace lectio::qt
