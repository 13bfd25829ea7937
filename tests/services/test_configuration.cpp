// The services' configuration: reading the resource, the default data directory, and the
// clients it builds for each device.
#include <cstdlib>
#include <fstream>

#include "service_test_support.h"
#include "services/auth_errors.h"
#include "services/configuration.h"

namespace {

using platform::Value;
using services::parseServiceConfiguration;

struct ParseCase {
    const char* json;
    const char* kind;
    const char* dataDirectory;
    bool synchronousFull;
    bool problem;
};

class ConfigurationParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ConfigurationParsing, ReadsWhatItCanAndSaysWhatItCouldNot) {
    const auto reading = parseServiceConfiguration(GetParam().json);
    EXPECT_EQ(reading.configuration.kind, GetParam().kind);
    EXPECT_EQ(reading.configuration.dataDirectory, GetParam().dataDirectory);
    EXPECT_EQ(reading.configuration.synchronousFull, GetParam().synchronousFull);
    EXPECT_EQ(!reading.problem.empty(), GetParam().problem) << reading.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigurationParsing,
    ::testing::Values(ParseCase{R"({"kind":"embedded","dataDirectory":""})", "embedded", "", false, false},
                      ParseCase{R"({"kind":"embedded","dataDirectory":"/srv/lectio","synchronousFull":true})",
                                "embedded", "/srv/lectio", true, false},
                      ParseCase{R"({})", "embedded", "", false, false},
                      ParseCase{R"({"dataDirectory":5,"kind":"network"})", "network", "", false, true},
                      ParseCase{R"({"synchronousFull":"yes"})", "embedded", "", false, true},
                      ParseCase{R"(["embedded"])", "embedded", "", false, true},
                      ParseCase{"{not json", "embedded", "", false, true},
                      ParseCase{"", "embedded", "", false, true}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ConfigurationFile, MissingFileIsReportedWithDefaults) {
    const auto reading = services::readServiceConfiguration("/nonexistent/services.json");
    EXPECT_FALSE(reading.problem.empty());
    EXPECT_EQ(reading.configuration.kind, "embedded");
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ConfigurationDataDirectory, FollowsTheXdgRulesThenHome) {
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", "/xdg/data");
        ScopedEnvironment home("HOME", "/home/reader");
        EXPECT_EQ(services::defaultDataDirectory(), "/xdg/data/lectio");
    }
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", "relative/ignored");
        ScopedEnvironment home("HOME", "/home/reader");
        EXPECT_EQ(services::defaultDataDirectory(), "/home/reader/.local/share/lectio");
    }
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", nullptr);
        ScopedEnvironment home("HOME", nullptr);
        EXPECT_EQ(services::defaultDataDirectory(), "");
    }
}

TEST(ConfigurationClients, DevicesWithTheSameDirectoryShareOneStore) {
    services_test::TemporaryDirectory directory;
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue(clock);
    platform::headless::MemoryUserDefaults firstDefaults;
    platform::headless::MemoryUserDefaults secondDefaults;
    services::ServiceConfiguration configuration;
    configuration.dataDirectory = directory.path();

    auto first = services::makeServiceClients(configuration, queue, clock, firstDefaults);
    auto second = services::makeServiceClients(configuration, queue, clock, secondDefaults);
    EXPECT_TRUE(first.connected);
    EXPECT_TRUE(second.connected) << second.problem;

    services_test::Deliveries seen;
    second.database->observe("users/u/night", seen.handler());
    first.database->setValue("users/u/night", true);
    queue.runUntilIdle();
    EXPECT_EQ(seen.values, (std::vector<Value>{Value(), true}));

    // Accounts are shared too, while each device remembers its own signed-in user.
    bool created = false;
    first.auth->createUser("reader@example.com", "secret1", [&](auto& user, auto&) { created = user.has_value(); });
    queue.runUntilIdle();
    ASSERT_TRUE(created);
    EXPECT_FALSE(second.auth->currentUser());
    bool signedIn = false;
    second.auth->signIn("reader@example.com", "secret1", [&](auto& user, auto&) { signedIn = user.has_value(); });
    queue.runUntilIdle();
    EXPECT_TRUE(signedIn);
    EXPECT_EQ(second.auth->currentUser()->uid, first.auth->currentUser()->uid);
}

TEST(ConfigurationClients, UnknownKindGivesDisconnectedClientsThatStillWork) {
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue(clock);
    platform::headless::MemoryUserDefaults defaults;
    services::ServiceConfiguration configuration;
    configuration.kind = "network";
    auto clients = services::makeServiceClients(configuration, queue, clock, defaults);
    EXPECT_FALSE(clients.connected);
    EXPECT_NE(clients.problem.find("network"), std::string::npos);
    services_test::Deliveries connection;
    clients.database->observeConnectionState(connection.handler());
    std::string error;
    clients.auth->signIn("a@example.com", "secret1", [&](auto&, auto& e) { error = e ? e->description : ""; });
    queue.runUntilIdle();
    EXPECT_EQ(connection.values, std::vector<Value>{false});
    EXPECT_EQ(error, services::auth_errors::kInternalError);
}

}  // namespace
