#pragma once
// The shipped images ("sun", "moon", "cog", ...), drawn from their SVG files as single-colour
// templates: every painted pixel takes the requested colour, keeping the artwork's coverage.
#include <string>

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace lectio::qt {

// `imagesDir`/<name>.svg rendered into `logicalSize` (aspect kept, centred) at
// `devicePixelRatio` physical pixels per logical one, so it stays crisp on any screen; the
// result carries that ratio. A null image when the name is unknown or not a plain file name,
// the file is not valid SVG, the size is empty or too large, the ratio is not a positive
// number, or the colour is invalid. Results are cached by directory, name, size, ratio and
// colour.
QImage renderImage(const QString& imagesDir, const std::string& name, QSize logicalSize, qreal devicePixelRatio,
                   QColor color);

}  // namespace lectio::qt
