#pragma once
// The headless backend: a simulated device with a virtual clock, for tests and the scenario
// driver. Several devices can share one world (one clock and main queue) and one set of
// services, as two devices of one reader would share the hosted services.
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/directory_resources.h"
#include "platform/environment.h"
#include "platform/headless/memory_user_defaults.h"
#include "platform/headless/virtual_time.h"
#include "platform/window.h"

namespace platform::headless {

class World {
public:
    VirtualClock clock;
    VirtualMainQueue mainQueue{clock};
    // Runs everything due now (service deliveries and the like).
    void runUntilIdle() { mainQueue.runUntilIdle(); }
    // Moves virtual time forward, running each scheduled block at its time.
    void advance(double seconds) { mainQueue.advance(seconds); }
};

class RecordingHaptics final : public Haptics {
public:
    void impact(ImpactStyle style) override { pulses.push_back(style); }
    std::vector<ImpactStyle> pulses;
};

class MemoryPasteboard final : public Pasteboard {
public:
    void setString(const std::string& text) override { text_ = text; }
    std::string string() const override { return text_; }

private:
    std::string text_;
};

class RecordingBrowser final : public Browser {
public:
    void open(const std::string& url) override { openedUrls.push_back(url); }
    std::vector<std::string> openedUrls;
};

// Seeded, so a scenario is repeatable; tests may queue the next values.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(unsigned seed = 1) : engine_(seed) {}
    int uniform(int low, int high) override;
    std::vector<int> queued;  // consumed first, each clamped into [low, high]

private:
    std::mt19937 engine_;
};

// Text metrics without a font engine: a fixed advance per character and line height per
// point size, with word wrapping. Deterministic, so layouts are the same on every machine.
class ApproximateTextMeasurer final : public TextMeasurer {
public:
    Size measure(const std::string& text, const Font& font, double maxWidth, int numberOfLines) const override;
    static constexpr double kAdvancePerPoint = 0.5;
    static constexpr double kLineHeightPerPoint = 1.25;
};

// The generated resources of this build (text, cross references, images, fonts).
std::string buildResourceDirectory();

class Device {
public:
    // screenSize: the window; a phone-like portrait window by default.
    Device(World& world, Storyboard storyboard, Size screenSize = {390, 844},
           std::string resourceDirectory = buildResourceDirectory());
    ~Device();

    Environment& env() { return env_; }
    Window& window() { return *window_; }
    World& world() { return world_; }

    // Input. Each call runs what becomes due on the main queue as the virtual time passes.
    void tap(Point p);
    void longPress(Point p, double seconds = 0.6);
    void drag(Point from, Point to, double seconds = 0.3, int steps = 10);
    // A long press that then slides to `to` and lifts (the touch menu's gesture).
    void longPressAndSlide(Point from, Point to, double holdSeconds = 0.6, int steps = 10);
    void touchDown(Point p);
    void touchMove(Point p);
    void touchUp(Point p);
    void shake();
    void type(const std::string& text);
    void pressReturn();
    bool chooseAlertAction(const std::string& title);

    // The centre of a view of the top screen, found by its property name, in window coordinates.
    std::optional<Point> centerOf(const std::string& viewName);
    View* findView(const std::string& viewName);

    RecordingHaptics haptics;
    MemoryPasteboard pasteboard;
    RecordingBrowser browser;
    MemoryUserDefaults userDefaults;
    SeededRandom random;
    ApproximateTextMeasurer textMeasurer;
    DirectoryResources resources;

private:
    World& world_;
    Environment env_;
    std::unique_ptr<Window> window_;
};

}  // namespace platform::headless
