#pragma once
// One simulated device showing the reading screen, with the real embedded services in a
// temporary data directory, the synthetic text as its resources and virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/headless_device.h"
#include "reading/bible_view_controller.h"
#include "services/embedded/embedded_services.h"
#include "tests/reading/scripture_fixture.h"

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

class ReadingHarness {
public:
    explicit ReadingHarness(HarnessOptions options = {}) {
        writeResources(dir.path() / "resources", options.versesPerChapter);
        services = services::embedded::EmbeddedServices::open(
            {(dir.path() / "data").string(), services::embedded::PasswordHashCost::minimum});
        device = std::make_unique<Device>(world, platform::Storyboard{}, options.screen,
                                          (dir.path() / "resources").string());
        database = services->makeDatabaseClient(world.mainQueue);
        auth = services->makeAuthClient(world.mainQueue, world.clock, device->userDefaults);
        device->env().database = database.get();
        device->env().auth = auth.get();
        if (options.signedIn) signIn();
    }

    ~ReadingHarness() {
        // The screens go before the clients they hold.
        device.reset();
    }

    void signIn() {
        auth->createUser("reader@example.com", "a long password", [](auto&&...) {});
        world.runUntilIdle();
        auto user = auth->currentUser();
        ASSERT_TRUE(user) << "the test account could not be made";
        uid = user->uid;
    }

    // Shows a new reading screen as the window's root screen and lets its start-up settle.
    BibleViewController& open() {
        auto made = std::make_unique<BibleViewController>(device->env());
        screen = made.get();
        device->window().setRootScreen(std::move(made));
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

    World world;
    TemporaryDirectory dir;
    std::shared_ptr<services::embedded::EmbeddedServices> services;
    std::unique_ptr<Device> device;
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Auth> auth;
    BibleViewController* screen = nullptr;
    std::string uid;
};

}  // namespace reading_test
