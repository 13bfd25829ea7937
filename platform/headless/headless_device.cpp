#include "platform/headless/headless_device.h"

#include <algorithm>
#include <filesystem>

#include "platform/view.h"

namespace platform::headless {

int SeededRandom::uniform(int low, int high) {
    if (high < low) std::swap(low, high);
    if (!queued.empty()) {
        int v = queued.front();
        queued.erase(queued.begin());
        return std::clamp(v, low, high);
    }
    return std::uniform_int_distribution<int>(low, high)(engine_);
}

static std::size_t codePoints(const std::string& s, std::size_t from, std::size_t to) {
    std::size_t n = 0;
    for (std::size_t i = from; i < to; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
    return n;
}

Size ApproximateTextMeasurer::measure(const std::string& text, const Font& font, double maxWidth,
                                      int numberOfLines) const {
    const double advance = font.size * kAdvancePerPoint;
    const double lineHeight = font.size * kLineHeightPerPoint;
    const std::size_t perLine = std::max<std::size_t>(1, static_cast<std::size_t>(maxWidth / advance));
    std::size_t lines = 0, widest = 0;
    std::size_t paragraphStart = 0;
    while (paragraphStart <= text.size()) {
        std::size_t paragraphEnd = text.find('\n', paragraphStart);
        if (paragraphEnd == std::string::npos) paragraphEnd = text.size();
        // Greedy word wrap of one paragraph.
        std::size_t lineLength = 0;
        std::size_t paragraphLines = 1;
        std::size_t i = paragraphStart;
        while (i < paragraphEnd) {
            std::size_t wordEnd = text.find(' ', i);
            if (wordEnd == std::string::npos || wordEnd > paragraphEnd) wordEnd = paragraphEnd;
            std::size_t word = codePoints(text, i, wordEnd);
            std::size_t needed = lineLength == 0 ? word : lineLength + 1 + word;
            if (needed <= perLine || lineLength == 0) {
                lineLength = needed;
                while (lineLength > perLine) {  // a word longer than a line breaks inside
                    ++paragraphLines;
                    lineLength -= perLine;
                    widest = perLine;
                }
            } else {
                widest = std::max(widest, lineLength);
                ++paragraphLines;
                lineLength = word;
            }
            i = wordEnd + 1;
        }
        widest = std::max(widest, lineLength);
        lines += paragraphLines;
        if (paragraphEnd == text.size()) break;
        paragraphStart = paragraphEnd + 1;
    }
    if (numberOfLines > 0) lines = std::min<std::size_t>(lines, numberOfLines);
    return {std::min(maxWidth, widest * advance), lines * lineHeight};
}

std::string buildResourceDirectory() { return LECTIO_RESOURCE_DIR; }

Device::Device(World& world, Storyboard storyboard, Size screenSize, std::string resourceDirectory)
    : resources(std::move(resourceDirectory)),
      world_(world),
      env_{world.mainQueue, world.clock, random,    pasteboard, browser,
           userDefaults,    haptics,     resources, textMeasurer, std::move(storyboard)},
      window_(std::make_unique<Window>(env_, screenSize)) {}

Device::~Device() = default;

void Device::touchDown(Point p) {
    window_->touchDown(p);
    world_.runUntilIdle();
}

void Device::touchMove(Point p) {
    window_->touchMove(p);
    world_.runUntilIdle();
}

void Device::touchUp(Point p) {
    window_->touchUp(p);
    world_.runUntilIdle();
}

void Device::tap(Point p) {
    touchDown(p);
    world_.advance(0.05);
    touchUp(p);
}

void Device::longPress(Point p, double seconds) {
    touchDown(p);
    world_.advance(seconds);
    touchUp(p);
}

void Device::drag(Point from, Point to, double seconds, int steps) {
    steps = std::max(1, steps);
    touchDown(from);
    for (int i = 1; i <= steps; ++i) {
        world_.advance(seconds / steps);
        double f = static_cast<double>(i) / steps;
        touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
    }
    touchUp(to);
}

void Device::longPressAndSlide(Point from, Point to, double holdSeconds, int steps) {
    touchDown(from);
    world_.advance(holdSeconds);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        world_.advance(0.02);
        double f = static_cast<double>(i) / steps;
        touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
    }
    touchUp(to);
}

void Device::shake() {
    window_->shake();
    world_.runUntilIdle();
}

void Device::type(const std::string& text) {
    window_->typeText(text);
    world_.runUntilIdle();
}

void Device::pressReturn() {
    window_->pressReturn();
    world_.runUntilIdle();
}

bool Device::chooseAlertAction(const std::string& title) {
    bool chosen = window_->chooseAlertAction(title);
    world_.runUntilIdle();
    return chosen;
}

View* Device::findView(const std::string& viewName) {
    Screen* top = window_->topScreen();
    return top ? top->view()->findView(viewName) : nullptr;
}

std::optional<Point> Device::centerOf(const std::string& viewName) {
    View* v = findView(viewName);
    if (!v) return std::nullopt;
    return v->convertToWindow({v->frame.width / 2, v->frame.height / 2});
}

}  // namespace platform::headless
