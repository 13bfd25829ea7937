// What the store saves: a reopened data directory holds exactly the tree that was written,
// damaged rows are skipped, and files it must not use leave it disconnected.
#include <sqlite3.h>

#include <fstream>
#include <limits>
#include <random>

#include "service_test_support.h"

namespace {

using platform::Value;
using services_test::ServicesFixture;

class Persistence : public ServicesFixture {};

TEST_F(Persistence, RandomWritesReadBackIdenticallyAfterRestarts) {
    // Few keys, so that writes collide: lists turn into maps, scalars into containers,
    // containers are pruned, and the root itself is replaced now and then.
    std::mt19937 random(20251211);
    const std::vector<std::string> keys = {"0", "1", "2", "a", "\"\"", "é"};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto randomPath = [&] {
        std::string path;
        const std::size_t depth = 1 + pick(3);
        for (std::size_t i = 0; i < depth; ++i) path += (i ? "/" : "") + keys[pick(keys.size())];
        return path;
    };
    auto randomValue = [&]() -> Value {
        switch (pick(7)) {
            case 0: return "text " + std::to_string(pick(3));
            case 1: return static_cast<int>(pick(3));
            case 2: return 0.5 * static_cast<double>(pick(3));
            case 3: return pick(2) == 0;
            case 4: return Value::array({"x", static_cast<int>(pick(2))});
            case 5: return Value::parse(R"({"0":"a","k":{"1":true}})");
            default: return nullptr;
        }
    };

    for (int round = 0; round < 8; ++round) {
        for (int i = 0; i < 150; ++i) {
            switch (pick(10)) {
                case 0: database->removeValue(randomPath()); break;
                case 1: {
                    platform::ValueMap children;
                    for (std::size_t c = 0; c < 1 + pick(3); ++c) children[keys[pick(keys.size())]] = randomValue();
                    database->updateChildValues(randomPath(), children);
                    break;
                }
                case 2:
                    if (pick(10) == 0) {
                        database->setValue("", Value::parse(R"({"a":["x","y"],"0":{"\"\"":""}})"));
                        break;
                    }
                    [[fallthrough]];
                default: database->setValue(randomPath(), randomValue());
            }
        }
        queue.runUntilIdle();
        const std::string before = services->store().tree().valueAt({}).dump();
        reopen();
        EXPECT_EQ(services->store().skippedRowsAtLoad(), 0u);
        ASSERT_EQ(services->store().tree().valueAt({}).dump(), before) << "round " << round;
    }
}

TEST_F(Persistence, NumbersAtTheEdgesOfTheirRangesReadBackExactly) {
    const Value numbers = {{"max", std::numeric_limits<std::int64_t>::max()},
                           {"min", std::numeric_limits<std::int64_t>::min()},
                           {"umax", std::numeric_limits<std::uint64_t>::max()},
                           {"tiny", 5e-324},
                           {"third", 1.0 / 3.0},
                           {"whole", 24.0}};
    database->setValue("n", numbers);
    queue.runUntilIdle();
    reopen();
    const Value back = read("n");
    EXPECT_EQ(back.dump(), numbers.dump());
    EXPECT_TRUE(back["whole"].is_number_float());
    EXPECT_TRUE(back["umax"].is_number_unsigned());
}

TEST_F(Persistence, UnsavedWritesAreSavedWhenTheServicesClose) {
    database->setValue("users/u/night", true);  // the queue never runs
    reopen();
    EXPECT_EQ(read("users/u/night"), true);
}

// Rows written straight into the file, as damage or an older bug might leave them.
void insertRows(const std::string& file, const std::vector<std::string>& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    for (const auto& sql : statements) EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

TEST_F(Persistence, DamagedRowsAreSkippedAndTheRestLoads) {
    database->setValue("users/u/ok", "fine");
    queue.runUntilIdle();
    auth.reset();
    database.reset();
    services.reset();
    insertRows(directory.path() + "/lectio.sqlite3",
               {"INSERT INTO node VALUES ('users/u/empty//key', 'text', 'x')",
                "INSERT INTO node VALUES ('users/u/badtype', 'colour', 'red')",
                "INSERT INTO node VALUES ('users/u/badbool', 'boolean', 7)",
                "INSERT INTO node VALUES ('users/u/badint', 'integer', 'twelve')",
                "INSERT INTO node VALUES ('users/u/badutf8', 'text', CAST(X'C328' AS TEXT))",
                "INSERT INTO node VALUES ('users/u/mistyped', 'text', 12)",
                "INSERT INTO node VALUES ('users/u/gappy', 'list', NULL)",
                "INSERT INTO node VALUES ('users/u/gappy/0', 'text', 'a')",
                "INSERT INTO node VALUES ('users/u/gappy/2', 'text', 'c')",
                "INSERT INTO node VALUES ('users/u/real', 'real', 3)"});
    reopen();
    EXPECT_TRUE(services->isConnected());
    EXPECT_EQ(services->store().skippedRowsAtLoad(), 6u);
    EXPECT_EQ(read("users/u").dump(), R"({"gappy":{"0":"a","2":"c"},"ok":"fine","real":3.0})");
}

TEST(PersistenceFiles, NewerSchemaIsLeftAloneAndTheStoreIsDisconnected) {
    services_test::TemporaryDirectory directory;
    insertRows(directory.path() + "/lectio.sqlite3", {"PRAGMA user_version = 99"});
    auto services = services_test::openServices(directory.path());
    EXPECT_FALSE(services->isConnected());
    EXPECT_NE(services->problem().find("newer"), std::string::npos) << services->problem();
}

TEST(PersistenceFiles, GarbageFileLeavesTheStoreDisconnected) {
    services_test::TemporaryDirectory directory;
    std::ofstream(directory.path() + "/lectio.sqlite3") << std::string(8192, 'z');
    auto services = services_test::openServices(directory.path());
    EXPECT_FALSE(services->isConnected());
    EXPECT_FALSE(services->auth().isAvailable());
}

TEST(PersistenceFiles, OneDataDirectoryIsOneStoreInTheProcess) {
    services_test::TemporaryDirectory directory;
    auto first = services_test::openServices(directory.path());
    auto second = services_test::openServices(directory.path() + "/.");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_TRUE(second->isConnected());
}

}  // namespace
