// lectio-admin: listing accounts, showing a user, importing one (backup and support), and the
// executable's handling of its arguments and of a data directory in use.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "service_test_support.h"
#include "tools/admin/admin_commands.h"

namespace {

using platform::Value;

class Admin : public services_test::ServicesFixture {
protected:
    std::string createAccount(const std::string& email) {
        std::string uid;
        auth->createUser(email, "secret1", [&](auto& user, auto&) { uid = user ? user->uid : ""; });
        queue.runUntilIdle();
        auth->signOut();
        return uid;
    }
    int run(const std::function<int(std::ostream&, std::ostream&)>& command) {
        out.str("");
        err.str("");
        return command(out, err);
    }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(Admin, ListsAccountsByAddress) {
    const auto b = createAccount("b@example.com");
    const auto a = createAccount("A@example.com");
    ASSERT_EQ(run([&](auto& o, auto& e) { return lectio_admin::listAccounts(*services, o, e); }), 0);
    EXPECT_EQ(out.str(), a + "\tA@example.com\tThu, 11 Dec 2025 05:48:20 +0000\n" + b +
                             "\tb@example.com\tThu, 11 Dec 2025 05:48:20 +0000\n");
}

TEST_F(Admin, ShowThenImportRestoresAUserInAnotherDirectory) {
    const auto uid = createAccount("reader@example.com");
    database->setValue("users/" + uid, Value::parse(R"({"currentFontSize":24.0,"selectedVerses":["x"],
        "highlights":{"43":{"\"\"":"","3":"16"}},"history":{"1765432100":"43.3.16"}})"));
    queue.runUntilIdle();

    ASSERT_EQ(run([&](auto& o, auto& e) { return lectio_admin::showUser(*services, "READER@example.com", o, e); }), 0)
        << err.str();
    const std::string shown = out.str();
    const Value user = Value::parse(shown);
    EXPECT_EQ(user["uid"], uid);
    EXPECT_EQ(user["account"]["email"], "reader@example.com");
    EXPECT_EQ(user["record"]["highlights"]["43"].dump(), R"({"\"\"":"","3":"16"})");
    EXPECT_TRUE(user["record"]["currentFontSize"].is_number_float());

    services_test::TemporaryDirectory elsewhere;
    auto restored = services_test::openServices(elsewhere.path());
    ASSERT_EQ(run([&](auto& o, auto& e) { return lectio_admin::importUser(*restored, shown, o, e); }), 0) << err.str();
    ASSERT_EQ(run([&](auto& o, auto& e) { return lectio_admin::showUser(*restored, uid, o, e); }), 0);
    EXPECT_EQ(out.str(), shown);

    // The imported account signs in with its old password.
    platform::headless::MemoryUserDefaults defaults;
    auto restoredAuth = restored->makeAuthClient(queue, clock, defaults);
    std::string signedIn;
    restoredAuth->signIn("reader@example.com", "secret1", [&](auto& u, auto&) { signedIn = u ? u->uid : ""; });
    queue.runUntilIdle();
    EXPECT_EQ(signedIn, uid);
}

TEST_F(Admin, ImportRefusesBadInputAndChangesNothing) {
    const auto owner = createAccount("taken@example.com");
    const std::string hash = Value::parse([&] {
        run([&](auto& o, auto& e) { return lectio_admin::showUser(*services, owner, o, e); });
        return out.str();
    }())["account"]["passwordHash"];
    const std::vector<std::string> bad = {
        "not json",
        R"(["list"])",
        R"({"uid":"has/slash","record":{}})",
        R"({"uid":"","record":{}})",
        R"({"uid":"u1","record":"text"})",
        R"({"uid":"u1","account":{"email":"broken","passwordHash":")" + hash + R"("}})",
        R"({"uid":"u1","account":{"email":"new@example.com","passwordHash":"plaintext"}})",
        R"({"uid":"u1","account":{"email":"TAKEN@example.com","passwordHash":")" + hash + R"("}})",
        R"({"uid":"u1","record":{"bad/key":1}})",
        // A usable account with an unusable record: neither is written.
        R"({"uid":"u1","account":{"email":"new@example.com","passwordHash":")" + hash + R"("},"record":{"":1}})",
    };
    for (const auto& json : bad) {
        EXPECT_EQ(run([&](auto& o, auto& e) { return lectio_admin::importUser(*services, json, o, e); }), 1) << json;
        EXPECT_FALSE(err.str().empty()) << json;
    }
    EXPECT_TRUE(services->store().tree().valueAt({"users", "u1"}).is_null());
    services::embedded::Account account;
    EXPECT_EQ(services->auth().accounts()->findByUid("u1", account), services::embedded::AccountTable::Status::notFound);
    EXPECT_NE(run([&](auto& o, auto& e) { return lectio_admin::showUser(*services, "u1", o, e); }), 0);
}

std::pair<int, std::string> runExecutable(const std::string& arguments) {
    const std::string command = std::string(LECTIO_ADMIN_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 512> buffer;
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(AdminExecutable, ArgumentsAndADirectoryInUse) {
    services_test::TemporaryDirectory directory;
    EXPECT_EQ(runExecutable("").first, 2);
    EXPECT_EQ(runExecutable("--data-dir " + directory.path() + " frobnicate").first, 2);
    EXPECT_EQ(runExecutable("--help").first, 0);

    auto [status, output] = runExecutable("--data-dir " + directory.path() + " list");
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output, "");

    auto open = services_test::openServices(directory.path());  // as the running application would
    std::tie(status, output) = runExecutable("--data-dir=" + directory.path() + " list");
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("in use"), std::string::npos) << output;
}

}  // namespace
