// How the embedded database delivers: asynchronously through each device's main queue, in the
// order of the writes, nothing for unchanged values, never after an observation or a client is
// gone, and only after the write is saved.
#include <fstream>

#include "service_test_support.h"
#include "services/embedded/embedded_store.h"

namespace {

using platform::Value;
using services_test::Deliveries;
using services_test::ServicesFixture;

class DatabaseDelivery : public ServicesFixture {};

TEST_F(DatabaseDelivery, ObserveDeliversTheCurrentValueAsynchronouslyThenEveryChange) {
    database->setValue("users/u/night", false);
    Deliveries night;
    Deliveries missing;
    database->observe("users/u/night", night.handler());
    database->observe("users/u/nothing", missing.handler());
    EXPECT_TRUE(night.values.empty());
    queue.runUntilIdle();
    EXPECT_EQ(night.values, std::vector<Value>{false});
    EXPECT_EQ(missing.values, std::vector<Value>{Value()});

    database->setValue("users/u/night", true);
    EXPECT_EQ(night.values.size(), 1u);  // never inside the write
    queue.runUntilIdle();
    EXPECT_EQ(night.values, (std::vector<Value>{false, true}));
}

TEST_F(DatabaseDelivery, DeliveriesFollowTheWritesWithTheValueAsItWasThen) {
    Deliveries record;
    Deliveries chapter;
    database->observe("users/u", record.handler());
    database->observe("users/u/currentChapter", chapter.handler());
    queue.runUntilIdle();

    database->setValue("users/u/currentBook", 2);
    database->setValue("users/u/currentChapter", 3);
    database->setValue("users/u/currentVerse", 4);
    queue.runUntilIdle();

    ASSERT_EQ(record.values.size(), 4u);
    EXPECT_EQ(record.values[1].dump(), R"({"currentBook":2})");
    EXPECT_EQ(record.values[2].dump(), R"({"currentBook":2,"currentChapter":3})");
    EXPECT_EQ(record.values[3].dump(), R"({"currentBook":2,"currentChapter":3,"currentVerse":4})");
    EXPECT_EQ(chapter.values, (std::vector<Value>{Value(), 3}));
}

TEST_F(DatabaseDelivery, ObserversOfDifferentPathsHearWritesInWriteOrder) {
    std::vector<std::string> heard;
    database->observe("a", [&](const Value& v) { heard.push_back("a=" + v.dump()); });
    database->observe("b", [&](const Value& v) { heard.push_back("b=" + v.dump()); });
    queue.runUntilIdle();
    heard.clear();
    database->setValue("b", 1);
    database->setValue("a", 1);
    database->setValue("b", 2);
    queue.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{"b=1", "a=1", "b=2"}));
}

TEST_F(DatabaseDelivery, UnchangedValuesDeliverNothing) {
    database->setValue("users/u", Value::parse(R"({"night":false,"selectedVerses":["x"],"size":18})"));
    Deliveries record;
    database->observe("users/u", record.handler());
    queue.runUntilIdle();
    ASSERT_EQ(record.values.size(), 1u);

    database->setValue("users/u/night", false);
    database->setValue("users/u/selectedVerses/0", "x");
    database->setValue("users/u/selectedVerses", Value::array({"x"}));
    database->updateChildValues("users/u", {{"night", false}, {"size", 18}});
    database->removeValue("users/u/absent");
    queue.runUntilIdle();
    EXPECT_EQ(record.values.size(), 1u);

    database->setValue("users/u/size", 18.0);  // a different kind of number is a change
    queue.runUntilIdle();
    EXPECT_EQ(record.values.size(), 2u);
}

TEST_F(DatabaseDelivery, AnObserverThatWritesBackWhatItReadComesToRest) {
    // The profile screen's observer writes `night` back on every delivery.
    database->setValue("users/u/night", true);
    int deliveries = 0;
    database->observe("users/u", [&](const Value& record) {
        ++deliveries;
        database->setValue("users/u/night", record.value("night", false));
    });
    queue.runUntilIdle();
    EXPECT_EQ(deliveries, 1);
    EXPECT_FALSE(queue.hasPendingBlocks());

    database->setValue("users/u/username", "n");
    queue.runUntilIdle();
    EXPECT_EQ(deliveries, 2);
    EXPECT_FALSE(queue.hasPendingBlocks());
}

TEST_F(DatabaseDelivery, WritesOfOneDeviceReachTheObserversOfAnother) {
    platform::headless::VirtualMainQueue otherQueue(clock);
    auto otherDevice = services->makeDatabaseClient(otherQueue);
    Deliveries heardHere;
    Deliveries heardThere;
    database->observe("users/u/currentBook", heardHere.handler());
    otherDevice->observe("users/u/currentBook", heardThere.handler());
    queue.runUntilIdle();
    otherQueue.runUntilIdle();

    otherDevice->setValue("users/u/currentBook", 43);
    queue.runUntilIdle();
    otherQueue.runUntilIdle();
    EXPECT_EQ(heardHere.values, (std::vector<Value>{Value(), 43}));
    EXPECT_EQ(heardThere.values, (std::vector<Value>{Value(), 43}));
}

TEST_F(DatabaseDelivery, RemovedObservationsHearNothingMore) {
    Deliveries removedEarly;
    Deliveries removedLater;
    Deliveries kept;
    auto early = database->observe("x", removedEarly.handler());
    auto later = database->observe("x", removedLater.handler());
    database->observe("x", kept.handler());
    EXPECT_NE(early, 0u);
    EXPECT_NE(early, later);
    database->removeObserver(early);  // before even the first delivery ran
    queue.runUntilIdle();

    database->setValue("x", 1);
    database->removeObserver(later);  // with a delivery already posted
    queue.runUntilIdle();
    EXPECT_TRUE(removedEarly.values.empty());
    EXPECT_EQ(removedLater.values, std::vector<Value>{Value()});
    EXPECT_EQ(kept.values, (std::vector<Value>{Value(), 1}));

    // A handler may remove its own observation.
    int calls = 0;
    platform::ObservationHandle self = 0;
    self = database->observe("x", [&](const Value&) {
        ++calls;
        database->removeObserver(self);
    });
    database->setValue("x", 2);
    queue.runUntilIdle();
    database->setValue("x", 3);
    queue.runUntilIdle();
    EXPECT_EQ(calls, 1);
}

TEST_F(DatabaseDelivery, NothingReachesADestroyedClientsHandlers) {
    platform::headless::VirtualMainQueue otherQueue(clock);
    auto otherDevice = services->makeDatabaseClient(otherQueue);
    auto alive = std::make_shared<int>(0);
    std::weak_ptr<int> watch = alive;
    int calls = 0;
    auto handler = [&calls, watch](const Value&) {
        ++calls;
        EXPECT_FALSE(watch.expired());
    };
    otherDevice->observe("x", handler);
    otherDevice->observeSingleEvent("x", handler);
    otherDevice->readNewestChild("x", [&](const platform::NewestChild&) { ++calls; });
    otherDevice->observeConnectionState(handler);
    database->setValue("x", 1);
    otherDevice.reset();
    alive.reset();
    otherQueue.runUntilIdle();
    queue.runUntilIdle();
    database->setValue("x", 2);
    otherQueue.runUntilIdle();
    EXPECT_EQ(calls, 0);
}

TEST_F(DatabaseDelivery, PathsWithAnEmptyKeyAreRefused) {
    auto& store = services->store();
    database->setValue("users//night", true);
    database->updateChildValues("users//x", {{"a", 1}});
    database->removeValue("users//x");
    database->setValue("users/u/x", {{"bad/key", 1}});
    EXPECT_EQ(store.refusedWrites(), 4u);
    EXPECT_TRUE(store.tree().valueAt({}).is_null());

    std::vector<std::string> cancels;
    Deliveries values;
    database->observe("users//x", values.handler(), [&](const platform::DatabaseError& e) { cancels.push_back(e.description); });
    database->observeSingleEvent("users//y", values.handler(), [&](const platform::DatabaseError& e) { cancels.push_back(e.description); });
    auto removedFirst = database->observe("users//z", values.handler(), [&](const platform::DatabaseError& e) { cancels.push_back(e.description); });
    database->removeObserver(removedFirst);
    EXPECT_TRUE(cancels.empty());
    queue.runUntilIdle();
    EXPECT_TRUE(values.values.empty());
    ASSERT_EQ(cancels.size(), 2u);
    EXPECT_NE(cancels[0].find("users//x"), std::string::npos);
    EXPECT_NE(cancels[1].find("users//y"), std::string::npos);
}

TEST_F(DatabaseDelivery, ConnectionStateIsTrueForAnOpenStore) {
    Deliveries connection;
    database->observeConnectionState(connection.handler());
    EXPECT_TRUE(connection.values.empty());
    queue.runUntilIdle();
    EXPECT_EQ(connection.values, std::vector<Value>{true});
}

TEST(DatabaseWithoutStore, UnopenableDirectoryMeansDisconnectedButWorkingInMemory) {
    services_test::TemporaryDirectory directory;
    const std::string notADirectory = directory.path() + "/file";
    std::ofstream(notADirectory) << "in the way";
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue(clock);
    auto services = services_test::openServices(notADirectory + "/data");
    EXPECT_FALSE(services->isConnected());
    EXPECT_FALSE(services->problem().empty());

    auto database = services->makeDatabaseClient(queue);
    Deliveries connection;
    Deliveries value;
    database->observeConnectionState(connection.handler());
    database->observe("users/u/night", value.handler());
    database->setValue("users/u/night", true);
    queue.runUntilIdle();
    EXPECT_EQ(connection.values, std::vector<Value>{false});
    EXPECT_EQ(value.values, (std::vector<Value>{Value(), true}));
}

TEST_F(DatabaseDelivery, WritesAreSavedInOneBatchBeforeAnyoneHearsOfThem) {
    auto& store = services->store();
    std::vector<std::size_t> pendingAtDelivery;
    database->observe("n", [&](const Value&) { pendingAtDelivery.push_back(store.pendingWrites()); });
    queue.runUntilIdle();
    for (int i = 1; i <= 100; ++i) database->setValue("n", i);
    database->setValue("other", 1);
    EXPECT_EQ(store.pendingWrites(), 101u);
    queue.runUntilIdle();
    ASSERT_EQ(pendingAtDelivery.size(), 101u);
    for (auto pending : pendingAtDelivery) EXPECT_EQ(pending, 0u);

    // A batch that grows too large is committed without waiting for the queue.
    for (std::size_t i = 0; i < services::embedded::EmbeddedStore::kMaxBatch; ++i)
        database->setValue("bulk/" + std::to_string(i), static_cast<int>(i));
    EXPECT_EQ(store.pendingWrites(), 0u);
    queue.runUntilIdle();
}

TEST_F(DatabaseDelivery, ADeliveryOnAnotherDevicesQueueAlsoWaitsForTheSave) {
    platform::headless::VirtualMainQueue otherQueue(clock);
    auto otherDevice = services->makeDatabaseClient(otherQueue);
    auto& store = services->store();
    std::vector<std::size_t> pendingAtDelivery;
    otherDevice->observe("n", [&](const Value&) { pendingAtDelivery.push_back(store.pendingWrites()); });
    otherQueue.runUntilIdle();
    database->setValue("n", 1);  // this device's queue, with the batch's flush block, never runs
    otherQueue.runUntilIdle();
    EXPECT_EQ(pendingAtDelivery, (std::vector<std::size_t>{0, 0}));
}

TEST_F(DatabaseDelivery, OnceReadsAndNewestChildAnswerAsynchronously) {
    database->setValue("h/1", "1.1.1");
    bool once = false;
    bool newest = false;
    database->observeSingleEvent("h", [&](const Value& v) {
        once = true;
        EXPECT_EQ(v.dump(), R"({"1":"1.1.1"})");
    });
    database->readNewestChild("h", [&](const platform::NewestChild& n) {
        newest = true;
        EXPECT_EQ(n.key, "1");
    });
    EXPECT_FALSE(once || newest);
    queue.runUntilIdle();
    EXPECT_TRUE(once && newest);
    database->setValue("h/2", "2.2.2");
    queue.runUntilIdle();  // a once-read hears nothing more
}

}  // namespace
