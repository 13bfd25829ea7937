#include "services/configuration.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/value.h"
#include "services/embedded/embedded_services.h"

namespace services {

ConfigurationReading parseServiceConfiguration(std::string_view json) {
    ConfigurationReading reading;
    auto addProblem = [&reading](const std::string& text) {
        reading.problem += (reading.problem.empty() ? "" : "; ") + text;
    };
    const platform::Value root = platform::Value::parse(json, nullptr, /*allow_exceptions=*/false);
    if (root.is_discarded() || !root.is_object()) {
        addProblem("the configuration is not a JSON object");
        return reading;
    }
    ServiceConfiguration& c = reading.configuration;
    if (auto it = root.find("kind"); it != root.end()) {
        if (it->is_string()) c.kind = it->get<std::string>();
        else addProblem("\"kind\" is not text");
    }
    if (auto it = root.find("dataDirectory"); it != root.end()) {
        if (it->is_string()) c.dataDirectory = it->get<std::string>();
        else addProblem("\"dataDirectory\" is not text");
    }
    if (auto it = root.find("synchronousFull"); it != root.end()) {
        if (it->is_boolean()) c.synchronousFull = it->get<bool>();
        else addProblem("\"synchronousFull\" is not a boolean");
    }
    return reading;
}

ConfigurationReading readServiceConfiguration(const std::string& filePath) {
    std::ifstream in(filePath, std::ios::binary);
    if (!in) {
        ConfigurationReading reading;
        reading.problem = "cannot read " + filePath;
        return reading;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseServiceConfiguration(text.str());
}

std::string defaultDataDirectory() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return (std::filesystem::path(xdg) / "lectio").string();
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
        return (std::filesystem::path(home) / ".local" / "share" / "lectio").string();
    return {};
}

ServiceClients makeServiceClients(const ServiceConfiguration& configuration, platform::MainQueue& mainQueue,
                                  platform::Clock& clock, platform::UserDefaults& userDefaults) {
    std::shared_ptr<embedded::EmbeddedServices> services;
    std::string problem;
    if (configuration.kind == "embedded") {
        const std::string directory =
            configuration.dataDirectory.empty() ? defaultDataDirectory() : configuration.dataDirectory;
        services = embedded::EmbeddedServices::open({directory, embedded::PasswordHashCost::interactive,
                                                     configuration.synchronousFull});
    } else {
        services = embedded::EmbeddedServices::inMemory();
        problem = "the service kind \"" + configuration.kind + "\" is not available in this build";
    }
    ServiceClients clients;
    clients.database = services->makeDatabaseClient(mainQueue);
    clients.auth = services->makeAuthClient(mainQueue, clock, userDefaults);
    clients.connected = services->isConnected();
    clients.problem = problem.empty() && !clients.connected ? services->problem() : problem;
    return clients;
}

}  // namespace services
