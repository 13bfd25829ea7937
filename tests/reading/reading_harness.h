#pragma once
// One simulated device showing the reading screen, with the real embedded services in a
// temporary data directory, the synthetic text as its resources and virtual time, plus the
// reads and writes the tests make around it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/reading/reading_device.h"

namespace reading_test {

using platform::Point;
using platform::Value;
using platform::headless::Device;
using platform::headless::World;
using reading::BibleViewController;

struct HarnessOptions {
    bool signedIn = true;
    int versesPerChapter = 6;
    platform::Size screen{390, 844};
};

class ReadingHarness : public ReadingDevice {
public:
    explicit ReadingHarness(HarnessOptions options = {})
        : ReadingDevice(
              [&](const std::filesystem::path& scratch) {
                  writeResources(scratch / "resources", options.versesPerChapter);
                  return (scratch / "resources").string();
              },
              options.screen) {
        if (options.signedIn) {
            signIn();
            EXPECT_FALSE(uid.empty()) << "the test account could not be made";
        }
    }

    // Shows a new reading screen as the window's root screen and lets its start-up settle.
    BibleViewController& open() {
        showReadingScreen();
        settle();
        return *screen;
    }

    // Runs the deliveries due now and the short deferred blocks (the 0.01 s re-scroll).
    void settle() {
        world.runUntilIdle();
        world.advance(0.02);
    }

    std::string path(const std::string& suffix) const { return "users/" + uid + suffix; }

    Value read(const std::string& fullPath) {
        Value out;
        database->observeSingleEvent(fullPath, [&out](const Value& v) { out = v; });
        world.runUntilIdle();
        return out;
    }
    Value record(const std::string& suffix) { return read(path(suffix)); }

    void write(const std::string& fullPath, Value value) {
        database->setValue(fullPath, std::move(value));
        world.runUntilIdle();
    }

    Point centerOf(const std::string& viewName) {
        auto p = device->centerOf(viewName);
        EXPECT_TRUE(p) << viewName;
        return p.value_or(Point{});
    }

    // The centre of a verse row as it is now on screen, in window coordinates.
    Point rowCenter(int row) {
        platform::TableView& table = *screen->content;
        platform::Rect r = table.rectForRow(row);
        return table.convertToWindow({table.frame.width / 2, r.y + r.height / 2 - table.contentOffset().y});
    }

    std::vector<platform::ImpactStyle>& pulses() { return device->haptics.pulses; }
};

}  // namespace reading_test
