#include "services/embedded/embedded_services.h"

#include <filesystem>
#include <map>

#include "services/embedded/embedded_auth_client.h"
#include "services/embedded/embedded_database_client.h"

namespace services::embedded {

namespace {

std::map<std::string, std::weak_ptr<EmbeddedServices>>& openServices() {
    static std::map<std::string, std::weak_ptr<EmbeddedServices>> services;
    return services;
}

std::string canonicalDirectory(const std::string& directory) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(directory, ec);
    if (ec) return directory;
    auto canonical = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().string() : canonical.string();
}

}  // namespace

std::shared_ptr<EmbeddedServices> EmbeddedServices::open(const Options& options) {
    const std::string key = options.dataDirectory.empty() ? std::string() : canonicalDirectory(options.dataDirectory);
    auto& registry = openServices();
    if (!key.empty()) {
        if (auto existing = registry[key].lock()) return existing;
    }

    std::shared_ptr<EmbeddedServices> services(new EmbeddedServices());
    services->dataDirectory_ = key;
    std::string problem;
    services->file_ = DataFile::open(key, {options.synchronousFull}, problem);
    services->openProblem_ = problem;
    services->store_ = EmbeddedStore::create(services->file_);
    // A tree that could not be loaded leaves the file unusable for accounts too: whatever
    // damaged one table may have damaged the other.
    auto accountsFile = services->store_->isConnected() ? services->file_ : nullptr;
    services->auth_ = std::make_shared<EmbeddedAuthService>(accountsFile, options.passwordHashCost);
    if (!key.empty()) registry[key] = services;
    return services;
}

std::shared_ptr<EmbeddedServices> EmbeddedServices::inMemory() {
    std::shared_ptr<EmbeddedServices> services(new EmbeddedServices());
    services->openProblem_ = "in memory only";
    services->store_ = EmbeddedStore::create(nullptr);
    services->auth_ = std::make_shared<EmbeddedAuthService>(nullptr, PasswordHashCost::interactive);
    return services;
}

std::unique_ptr<platform::Database> EmbeddedServices::makeDatabaseClient(platform::MainQueue& mainQueue) {
    return std::make_unique<EmbeddedDatabaseClient>(store_, mainQueue, shared_from_this());
}

std::unique_ptr<platform::Auth> EmbeddedServices::makeAuthClient(platform::MainQueue& mainQueue,
                                                                 platform::Clock& clock,
                                                                 platform::UserDefaults& userDefaults) {
    return std::make_unique<EmbeddedAuthClient>(auth_, mainQueue, clock, userDefaults, shared_from_this());
}

}  // namespace services::embedded
