#include "app/hosted_services.h"

#include "services/configuration.h"

namespace app {

namespace {

class ConfiguredServices final : public HostedServices {
public:
    explicit ConfiguredServices(services::ServiceClients clients) : clients_(std::move(clients)) {}
    platform::Database& database() override { return *clients_.database; }
    platform::Auth& auth() override { return *clients_.auth; }

private:
    services::ServiceClients clients_;
};

}  // namespace

std::unique_ptr<HostedServices> connectHostedServices(const platform::Value& configuration, platform::Environment& env) {
    auto reading = services::parseServiceConfiguration(configuration.dump());
    auto clients = services::makeServiceClients(reading.configuration, env.mainQueue, env.clock, env.userDefaults);
    if (!clients.database || !clients.auth) return nullptr;
    return std::make_unique<ConfiguredServices>(std::move(clients));
}

}  // namespace app
