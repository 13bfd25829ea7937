#pragma once
// Shared fixtures of the services tests: a temporary data directory, virtual time and the
// embedded services opened on that directory (with the cheapest Argon2id parameters).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/memory_user_defaults.h"
#include "platform/headless/virtual_time.h"
#include "services/embedded/embedded_services.h"

namespace services_test {

class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lectio-services-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::shared_ptr<services::embedded::EmbeddedServices> openServices(const std::string& directory) {
    return services::embedded::EmbeddedServices::open(
        {directory, services::embedded::PasswordHashCost::minimum, false});
}

// Every value a handler received, in order.
struct Deliveries {
    std::vector<platform::Value> values;
    platform::ValueHandler handler() {
        return [this](const platform::Value& v) { values.push_back(v); };
    }
};

// One simulated device: virtual time and the two clients of the services of `directory`.
class ServicesFixture : public ::testing::Test {
protected:
    void SetUp() override { reopen(); }

    // Closes everything and opens the data directory again, as a restart would.
    void reopen() {
        auth.reset();
        database.reset();
        services.reset();
        services = openServices(directory.path());
        database = services->makeDatabaseClient(queue);
        auth = services->makeAuthClient(queue, clock, userDefaults);
    }

    platform::Value read(const std::string& path) {
        platform::Value result = "never delivered";
        database->observeSingleEvent(path, [&](const platform::Value& v) { result = v; });
        queue.runUntilIdle();
        return result;
    }

    TemporaryDirectory directory;
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue{clock};
    platform::headless::MemoryUserDefaults userDefaults;
    std::shared_ptr<services::embedded::EmbeddedServices> services;
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Auth> auth;
};

}  // namespace services_test
