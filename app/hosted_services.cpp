#include "app/hosted_services.h"

namespace app {

// Replaced by the embedded services once they are part of the build.
std::unique_ptr<HostedServices> connectHostedServices(const platform::Value&, platform::Environment&) {
    return nullptr;
}

}  // namespace app
