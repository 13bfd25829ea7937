#pragma once
// Connects the two hosted services for one device from the services configuration.
#include <memory>

#include "platform/environment.h"
#include "platform/value.h"

namespace app {

struct HostedServices {
    virtual ~HostedServices() = default;
    virtual platform::Database& database() = 0;
    virtual platform::Auth& auth() = 0;
};

// {"kind": "embedded", "dataDirectory": "..."}; an empty or missing directory means the user's
// data directory. Devices of one process that name the same directory share one store.
std::unique_ptr<HostedServices> connectHostedServices(const platform::Value& configuration, platform::Environment& env);

}  // namespace app
