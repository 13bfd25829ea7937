#include "platform/geometry.h"

#include <cstdio>

namespace platform {

std::string describe(const Color& c) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "rgba(%g,%g,%g,%g)", c.red, c.green, c.blue, c.alpha);
    return buffer;
}

}  // namespace platform
