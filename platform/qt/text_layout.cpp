#include "platform/qt/text_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace lectio::qt {

double TextLines::width() const {
    double w = 0;
    for (double lw : widths) w = std::max(w, lw);
    return w;
}

static QString withoutTrailingSpace(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1).isSpace()) --end;
    return s.left(end);
}

TextLines layoutText(const QString& text, const QFont& font, double maxWidth, int numberOfLines) {
    QFontMetricsF metrics(font);
    TextLines out;
    out.lineHeight = metrics.lineSpacing();
    out.ascent = metrics.ascent();
    if (text.isEmpty()) return out;

    const bool wraps = std::isfinite(maxWidth) && maxWidth > 0;
    const std::size_t limit = numberOfLines > 0 ? static_cast<std::size_t>(numberOfLines) : SIZE_MAX;
    QTextOption option;
    option.setWrapMode(wraps ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);

    // Where each kept line starts in `text`, to know what an elided last line must hold.
    std::vector<qsizetype> starts;
    bool cut = false;
    const QStringList paragraphs = text.split('\n');
    qsizetype paragraphStart = 0;
    for (const QString& paragraph : paragraphs) {
        if (out.lines.size() >= limit) {
            cut = true;
            break;
        }
        if (paragraph.isEmpty()) {
            out.lines.push_back({});
            starts.push_back(paragraphStart);
        } else {
            QTextLayout layout(paragraph, font);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                if (out.lines.size() >= limit) {
                    cut = true;
                    break;
                }
                line.setLineWidth(wraps ? maxWidth : 1e9);
                out.lines.push_back(paragraph.mid(line.textStart(), line.textLength()));
                starts.push_back(paragraphStart + line.textStart());
            }
            layout.endLayout();
        }
        if (cut) break;
        paragraphStart += paragraph.size() + 1;
    }

    out.truncated = cut;
    if (cut && !out.lines.empty()) {
        // The last kept line shows as much of the rest of the text as fits, then an ellipsis.
        QString rest = text.mid(starts.back()).replace('\n', ' ');
        out.lines.back() = wraps ? metrics.elidedText(rest, Qt::ElideRight, maxWidth) : out.lines.back() + QChar(0x2026);
    }
    for (QString& line : out.lines) {
        line = withoutTrailingSpace(line);
        out.widths.push_back(metrics.horizontalAdvance(line));
    }
    return out;
}

void drawTextLines(QPainter& painter, const TextLines& text, const QRectF& box, double top,
                   HorizontalAlignment alignment) {
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        double x = box.x();
        if (alignment == HorizontalAlignment::center) x += (box.width() - text.widths[i]) / 2;
        if (alignment == HorizontalAlignment::right) x += box.width() - text.widths[i];
        double baseline = box.y() + top + text.lineHeight * static_cast<double>(i) + text.ascent;
        painter.drawText(QPointF(x, baseline), text.lines[i]);
    }
}

}  // namespace lectio::qt
