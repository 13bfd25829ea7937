#include "platform/qt/qt_text_measurer.h"

#include <QGuiApplication>
#include <cmath>

#include "platform/qt/assets/fonts.h"
#include "platform/qt/text_layout.h"

namespace lectio::qt {

QFont qtFont(const platform::Font& font) {
    // Sizes outside any sensible range (including NaN) fall back to the toolkit's 17 points.
    double size = std::isfinite(font.size) && font.size >= 1 && font.size <= 1000 ? font.size : 17;
    if (!font.name.empty()) return fontNamed(font.name, size);
    QFont system = QGuiApplication::font();
    system.setPixelSize(static_cast<int>(std::lround(size)));
    return system;
}

platform::Size QtTextMeasurer::measure(const std::string& text, const platform::Font& font, double maxWidth,
                                       int numberOfLines) const {
    TextLines lines = layoutText(QString::fromStdString(text), qtFont(font), maxWidth, numberOfLines);
    double width = std::ceil(lines.width());
    if (std::isfinite(maxWidth) && maxWidth > 0) width = std::min(width, std::ceil(maxWidth));
    return {width, std::ceil(lines.height())};
}

}  // namespace lectio::qt
