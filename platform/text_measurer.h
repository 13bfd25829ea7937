#pragma once
// Measures wrapped text, so that row heights and scroll positions are computed the same way on
// every backend from the backend's own font metrics.
#include <string>

#include "platform/geometry.h"

namespace platform {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The size of `text` drawn in `font`, wrapped at word boundaries within `maxWidth`;
    // numberOfLines 0 means no limit.
    virtual Size measure(const std::string& text, const Font& font, double maxWidth, int numberOfLines) const = 0;
};

}  // namespace platform
