#include "app/app_delegate.h"

#include <fstream>

#include "app/hosted_services.h"
#include "platform/window.h"

namespace app {

platform::Value loadServiceConfiguration(const platform::Resources& resources) {
    platform::Value fallback = {{"kind", "embedded"}, {"dataDirectory", ""}};
    auto path = resources.pathForResource("services", "json");
    if (!path) return fallback;
    std::ifstream in(*path);
    platform::Value config = platform::Value::parse(in, nullptr, false);
    return config.is_object() ? config : fallback;
}

AppDelegate::AppDelegate(platform::Environment& env, std::optional<platform::Value> configuration)
    : env_(env), configuration_(std::move(configuration)) {}

AppDelegate::~AppDelegate() {
    // Screens must not outlive the clients they hold.
    if (window) window->removeAllScreens();
    if (services_) {
        env_.database = nullptr;
        env_.auth = nullptr;
    }
}

bool AppDelegate::application(const platform::Value&) {
    if (services_) return true;  // configured once per run
    platform::Value config = configuration_ ? *configuration_ : loadServiceConfiguration(env_.resources);
    services_ = connectHostedServices(config, env_);
    if (services_) {
        env_.database = &services_->database();
        env_.auth = &services_->auth();
    }
    ++configurations_;
    return true;
}

}  // namespace app
