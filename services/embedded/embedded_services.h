#pragma once
// The embedded services of one data directory: the store and the account service, opened once
// per directory in the process and shared by every device that asks for that directory (the
// scenario driver's two devices share them as two devices of one reader share the hosted
// services). Each device gets its own clients, bound to its own main queue; the clients keep
// the services open.
#include <memory>
#include <string>

#include "platform/auth.h"
#include "platform/database.h"
#include "platform/device.h"
#include "platform/main_queue.h"
#include "services/embedded/credentials.h"
#include "services/embedded/embedded_auth_service.h"
#include "services/embedded/embedded_store.h"

namespace services::embedded {

class EmbeddedServices : public std::enable_shared_from_this<EmbeddedServices> {
public:
    struct Options {
        std::string dataDirectory;  // must not be empty; see defaultDataDirectory()
        PasswordHashCost passwordHashCost = PasswordHashCost::interactive;
        bool synchronousFull = false;
    };

    // The services of `options.dataDirectory`, shared with every other caller in this process
    // that asked for the same directory while they are alive (the first caller's options win).
    // When the directory's file cannot be opened the services still work, in memory: the store
    // reports itself disconnected and accounts cannot be used.
    static std::shared_ptr<EmbeddedServices> open(const Options& options);
    // Services with nothing saved anywhere: disconnected from the start.
    static std::shared_ptr<EmbeddedServices> inMemory();

    bool isConnected() const { return store_->isConnected(); }
    // Why the services are not connected, when they are not.
    std::string problem() const { return openProblem_.empty() ? store_->problem() : openProblem_; }
    const std::string& dataDirectory() const { return dataDirectory_; }

    std::unique_ptr<platform::Database> makeDatabaseClient(platform::MainQueue& mainQueue);
    std::unique_ptr<platform::Auth> makeAuthClient(platform::MainQueue& mainQueue, platform::Clock& clock,
                                                   platform::UserDefaults& userDefaults);

    EmbeddedStore& store() { return *store_; }
    EmbeddedAuthService& auth() { return *auth_; }

private:
    EmbeddedServices() = default;

    std::string dataDirectory_;
    std::string openProblem_;
    std::shared_ptr<DataFile> file_;
    std::shared_ptr<EmbeddedStore> store_;
    std::shared_ptr<EmbeddedAuthService> auth_;
};

}  // namespace services::embedded
