#pragma once
// Word-wrapped text laid out once and used both to measure and to paint, so that a row's
// measured height always fits the text drawn in it.
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace lectio::qt {

struct TextLines {
    std::vector<QString> lines;
    std::vector<double> widths;  // each line's advance, trailing spaces excluded
    double lineHeight = 0;
    double ascent = 0;
    bool truncated = false;  // text was left out to keep within numberOfLines
    double width() const;   // of the widest line
    double height() const { return lineHeight * static_cast<double>(lines.size()); }
};

// Breaks `text` at word boundaries (inside a word only when a word alone is too wide) within
// `maxWidth`; '\n' starts a new line. numberOfLines > 0 keeps that many lines and ends the last
// with an ellipsis when text was cut. maxWidth <= 0 or not finite means no wrapping. Empty
// text has no lines.
TextLines layoutText(const QString& text, const QFont& font, double maxWidth, int numberOfLines);

enum class HorizontalAlignment { left, center, right };

// Draws the lines in `box`, aligned horizontally, starting at `top` (box coordinates).
void drawTextLines(QPainter& painter, const TextLines& text, const QRectF& box, double top,
                   HorizontalAlignment alignment);

}  // namespace lectio::qt
