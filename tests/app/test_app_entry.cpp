// Launch: the services are configured once, before the first screen, from the configuration.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_delegate.h"
#include "app/storyboard.h"
#include "platform/headless/headless_device.h"
#include "platform/window.h"

using namespace platform;

namespace {

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        char pattern[] = "/tmp/lectio-app-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

TEST(ApplicationEntry, ConfiguresTheServicesOnceBeforeAnyScreen) {
    TempDir data;
    headless::World world;
    headless::Device device(world, app::mainStoryboard());
    app::AppDelegate delegate(device.env(), Value{{"kind", "embedded"}, {"dataDirectory", data.path.string()}});
    EXPECT_EQ(device.env().database, nullptr);

    EXPECT_TRUE(delegate.application());
    ASSERT_NE(device.env().database, nullptr);
    ASSERT_NE(device.env().auth, nullptr);
    delegate.window = &device.window();
    device.window().setRootScreen(device.env().storyboard("ViewController", device.env()));
    world.runUntilIdle();

    delegate.applicationWillResignActive();
    delegate.applicationDidEnterBackground();
    delegate.applicationWillEnterForeground();
    delegate.applicationDidBecomeActive();
    EXPECT_TRUE(delegate.application());
    EXPECT_EQ(delegate.servicesConfigurationCount(), 1);
    EXPECT_NE(device.window().rootScreen(), nullptr);
}

TEST(ApplicationEntry, ShippedConfigurationNamesTheEmbeddedServices) {
    DirectoryResources resources(headless::buildResourceDirectory());
    Value config = app::loadServiceConfiguration(resources);
    EXPECT_EQ(config.value("kind", ""), "embedded");

    DirectoryResources nowhere("/nonexistent");
    EXPECT_EQ(app::loadServiceConfiguration(nowhere).value("kind", ""), "embedded") << "a missing resource falls back";
}

}  // namespace
