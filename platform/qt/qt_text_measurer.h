#pragma once
// Text measured with the real fonts, laid out exactly as the window paints it.
#include <QFont>

#include "platform/text_measurer.h"

namespace lectio::qt {

// The Qt font for a view's font, sized in logical pixels: the shipped family by its exact name;
// an unknown name gives the application's default font as it is; no name at all is the system
// font at the given size (a view whose font was never set).
QFont qtFont(const platform::Font& font);

class QtTextMeasurer final : public platform::TextMeasurer {
public:
    platform::Size measure(const std::string& text, const platform::Font& font, double maxWidth,
                           int numberOfLines) const override;
};

}  // namespace lectio::qt
