#pragma once
// One simulated device over the real embedded services in a scratch directory, ready to show
// the reading screen: what the reading tests and the reading benchmark both stand on.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/headless/headless_device.h"
#include "reading/bible_view_controller.h"
#include "services/embedded/embedded_services.h"
#include "tests/reading/scripture_fixture.h"

namespace reading_test {

class ReadingDevice {
public:
    // Lays out the resources inside the scratch directory (or picks others) and returns
    // their directory.
    using ResourceMaker = std::function<std::string(const std::filesystem::path& scratch)>;

    explicit ReadingDevice(const ResourceMaker& makeResources, platform::Size screenSize = {390, 844}) {
        services = services::embedded::EmbeddedServices::open(
            {(dir.path() / "data").string(), services::embedded::PasswordHashCost::minimum});
        device = std::make_unique<platform::headless::Device>(world, platform::Storyboard{}, screenSize,
                                                              makeResources(dir.path()));
        database = services->makeDatabaseClient(world.mainQueue);
        auth = services->makeAuthClient(world.mainQueue, world.clock, device->userDefaults);
        device->env().database = database.get();
        device->env().auth = auth.get();
    }

    ~ReadingDevice() {
        // The screens go before the clients they hold.
        device.reset();
    }

    // Creates an account and signs it in on this device; `uid` stays empty if that fails.
    void signIn(const std::string& email = "reader@example.com") {
        auth->createUser(email, "a long password", [](auto&&...) {});
        world.runUntilIdle();
        auto user = auth->currentUser();
        uid = user ? user->uid : "";
    }

    // A new reading screen as the window's root screen; its start-up has not settled yet.
    reading::BibleViewController& showReadingScreen() {
        auto made = std::make_unique<reading::BibleViewController>(device->env());
        screen = made.get();
        device->window().setRootScreen(std::move(made));
        return *screen;
    }

    TemporaryDirectory dir;
    platform::headless::World world;
    std::shared_ptr<services::embedded::EmbeddedServices> services;
    std::unique_ptr<platform::headless::Device> device;
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Auth> auth;
    reading::BibleViewController* screen = nullptr;
    std::string uid;
};

}  // namespace reading_test
