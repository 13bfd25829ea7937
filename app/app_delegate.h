#pragma once
// The application delegate: configures the hosted services once at launch, before any screen
// exists. The lifecycle callbacks do nothing.
#include <memory>
#include <optional>

#include "platform/environment.h"
#include "platform/value.h"

namespace platform { class Window; }

namespace app {

struct HostedServices;  // the two clients and whatever backs them

class AppDelegate {
public:
    // `configuration` replaces the shipped configuration resource (tests and the scenario
    // driver point the services at a data directory of their own).
    explicit AppDelegate(platform::Environment& env, std::optional<platform::Value> configuration = std::nullopt);
    ~AppDelegate();

    platform::Window* window = nullptr;

    // application(_:didFinishLaunchingWithOptions:)
    bool application(const platform::Value& launchOptions = {});
    void applicationWillResignActive() {}
    void applicationDidEnterBackground() {}
    void applicationWillEnterForeground() {}
    void applicationDidBecomeActive() {}
    void applicationWillTerminate() {}

    // How many times the services were configured (once per process run).
    int servicesConfigurationCount() const { return configurations_; }

private:
    platform::Environment& env_;
    std::optional<platform::Value> configuration_;
    std::unique_ptr<HostedServices> services_;
    int configurations_ = 0;
};

// The services configuration shipped with the application (resource "services" / "json"),
// or the built-in default when it is missing or unreadable.
platform::Value loadServiceConfiguration(const platform::Resources& resources);

}  // namespace app
