#pragma once
// Points, sizes, rectangles, insets and colours in the toolkit's logical points.
#include <string>

namespace platform {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
    bool contains(Point p) const { return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height; }
    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    Point center() const { return {x + width / 2, y + height / 2}; }
};

struct EdgeInsets {
    double top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const EdgeInsets&) const = default;
};

struct Color {
    double red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const Color&) const = default;

    static constexpr Color rgba(double r, double g, double b, double a) { return {r, g, b, a}; }
    static constexpr Color white() { return {1, 1, 1, 1}; }
    static constexpr Color black() { return {0, 0, 0, 1}; }
    static constexpr Color gray() { return {0.5, 0.5, 0.5, 1}; }
    static constexpr Color clear() { return {0, 0, 0, 0}; }
};

// "rgba(0.5,0.5,0.5,0.25)"-style text for the scenario driver and test messages.
std::string describe(const Color& c);

struct Font {
    std::string name;     // e.g. "Poppins-Regular"; an unknown name falls back to the default font
    double size = 17;     // points
    bool operator==(const Font&) const = default;
};

}  // namespace platform
