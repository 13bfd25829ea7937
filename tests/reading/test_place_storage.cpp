// Writing the place after every move and adding history entries only for new places.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/place_storage.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

class PlaceStorage : public ::testing::Test {
protected:
    void store(int book, int chapter, int verse, const std::string& uid) {
        userdata::storeLocation(platform::DatabaseReference(*h.database), uid, book, chapter, verse,
                                h.world.clock.now());
        h.world.runUntilIdle();
    }
    void store(int book, int chapter, int verse) { store(book, chapter, verse, h.uid); }
    // The history's values ordered by key as text, oldest first.
    std::vector<std::string> history() {
        std::vector<std::string> values;
        Value node = h.record(userdata::kHistory);
        if (node.is_object())
            for (auto& [key, value] : node.items()) values.push_back(value.is_string() ? value.get<std::string>() : value.dump());
        return values;
    }
    void nextSecond() { h.world.advance(1.0); }

    ReadingHarness h;
};

TEST_F(PlaceStorage, WritesThePlaceAsWholeNumbersAndTheFirstEntry) {
    store(19, 23, 1);
    EXPECT_EQ(h.record(userdata::kCurrentBook), 19);
    EXPECT_TRUE(h.record(userdata::kCurrentChapter).is_number_integer());
    EXPECT_EQ(h.record(userdata::kCurrentVerse), 1);
    Value node = h.record(userdata::kHistory);
    ASSERT_EQ(node.size(), 1u);
    EXPECT_EQ(node.begin().key(), userdata::historyKey(h.world.clock.now()));
    EXPECT_EQ(node.begin().value(), "19.23.1");
}

TEST_F(PlaceStorage, TheSamePlaceTwiceAddsOneEntry) {
    store(1, 1, 1);
    nextSecond();
    store(1, 1, 1);
    EXPECT_EQ(history(), std::vector<std::string>{"1.1.1"});
}

TEST_F(PlaceStorage, ReturningToAnEarlierPlaceAddsAnEntry) {
    store(1, 1, 1);
    nextSecond();
    store(1, 1, 2);
    nextSecond();
    store(1, 1, 1);
    EXPECT_EQ(history(), (std::vector<std::string>{"1.1.1", "1.1.2", "1.1.1"}));
}

TEST_F(PlaceStorage, TwoMovesWithinOneSecondLeaveOneKeyWithTheSecondPlace) {
    h.world.clock.set(1765432100.1);
    store(1, 1, 1);
    h.world.advance(0.5);
    store(43, 3, 16);
    Value node = h.record(userdata::kHistory);
    EXPECT_EQ(node, (Value{{"1765432100", "43.3.16"}}));
}

TEST_F(PlaceStorage, AHistoryHoldingANonTextValueAddsAnEntryForEveryMove) {
    h.write(h.path("/history"), {{"1000000000", 7}});
    store(1, 1, 1);
    nextSecond();
    store(1, 1, 1);
    EXPECT_EQ(h.record(userdata::kHistory).size(), 3u);
}

TEST_F(PlaceStorage, TheNewestEntryIsTheGreatestKeyAsText) {
    // "999" sorts after "1000" as text, so its place counts as the newest.
    h.write(h.path("/history"), {{"999", "5.5.5"}, {"1000", "1.1.1"}});
    store(5, 5, 5);
    EXPECT_EQ(h.record(userdata::kHistory).size(), 2u);
    store(1, 1, 1);
    EXPECT_EQ(h.record(userdata::kHistory).size(), 3u);
}

TEST_F(PlaceStorage, NothingIsWrittenWithoutAUser) {
    store(2, 3, 4, "");
    EXPECT_TRUE(h.read("users").is_null());
}

TEST(HistoryRules, KeysAreWholeSecondsAndEntriesFollowTheNewestOne) {
    EXPECT_EQ(userdata::historyKey(1765432100.999), "1765432100");
    EXPECT_EQ(userdata::historyKey(0.5), "0");

    auto newest = [](bool isMap, bool allText, Value value) {
        return platform::NewestChild{isMap, allText, "1765432100", std::move(value)};
    };
    EXPECT_FALSE(userdata::historyNeedsEntry(newest(true, true, "1.1.1"), "1.1.1"));
    EXPECT_TRUE(userdata::historyNeedsEntry(newest(true, true, "1.1.2"), "1.1.1"));
    EXPECT_TRUE(userdata::historyNeedsEntry(newest(false, false, Value()), "1.1.1"));
    EXPECT_TRUE(userdata::historyNeedsEntry(newest(true, false, "1.1.1"), "1.1.1"));
}

}  // namespace
}  // namespace reading_test
