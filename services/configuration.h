#pragma once
// How the application reaches its database and authentication services, read once at launch
// from the services' configuration resource, e.g.
//   {"kind": "embedded", "dataDirectory": ""}
// "embedded" is the only kind this build has; an empty data directory means the user's data
// directory ($XDG_DATA_HOME/lectio, or ~/.local/share/lectio). docs/DATABASE.md lists the keys.
#include <memory>
#include <string>
#include <string_view>

#include "platform/auth.h"
#include "platform/database.h"
#include "platform/device.h"
#include "platform/main_queue.h"

namespace services {

struct ServiceConfiguration {
    std::string kind = "embedded";
    std::string dataDirectory;     // empty: defaultDataDirectory()
    bool synchronousFull = false;  // also survive power loss, at one fsync per commit
};

// A configuration and, when the text could not be used as it was, what was wrong with it.
// Unreadable text or a key of the wrong type yields the defaults for that key.
struct ConfigurationReading {
    ServiceConfiguration configuration;
    std::string problem;  // empty when everything was understood
};

ConfigurationReading parseServiceConfiguration(std::string_view json);
ConfigurationReading readServiceConfiguration(const std::string& filePath);

// $XDG_DATA_HOME/lectio when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/lectio;
// "" when neither can be found.
std::string defaultDataDirectory();

struct ServiceClients {
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Auth> auth;
    bool connected = false;
    std::string problem;  // why not connected
};

// The two clients of one device. Devices of one process configured with the same data
// directory share one store and one account service. A kind this build does not have, or a
// data directory that cannot be opened, gives clients that work in memory only: the database
// reports itself disconnected and accounts answer the internal error.
ServiceClients makeServiceClients(const ServiceConfiguration& configuration, platform::MainQueue& mainQueue,
                                  platform::Clock& clock, platform::UserDefaults& userDefaults);

}  // namespace services
