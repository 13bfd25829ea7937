// The user record's keys, shapes and edge cases, written and read the way the screens do it,
// through a device's database client, and read again after a restart.
#include "service_test_support.h"

namespace {

using platform::Value;
using services_test::ServicesFixture;

class UserRecord : public ServicesFixture {
protected:
    const std::string P = "users/uid1";

    void writeInitialRecord() {
        database->setValue(P + "/night", false);
        database->setValue(P + "/username", "reader");
        database->setValue(P + "/email", "reader@example.com");
        database->setValue(P + "/bottomNavigationMode", "Verse");
        database->setValue(P + "/currentBook", 1);
        database->setValue(P + "/currentChapter", 1);
        database->setValue(P + "/currentVerse", 1);
        database->setValue(P + "/currentPage", "profile");
        database->setValue(P + "/currentFontFamily", "Poppins-Regular");
        database->setValue(P + "/currentFontSize", 18);
        database->setValue(P + "/selectedVerses/0", "x");
    }

    // The three writes of storing a chapter's highlights.
    void storeHighlights(int book, int chapter, const std::string& text) {
        const std::string base = P + "/highlights/" + std::to_string(book);
        database->setValue(base + "/" + std::to_string(chapter), text);
        database->setValue(base + "/\"\"", "");
        database->updateChildValues(P + "/highlights/66", {{"\"\"", ""}});
    }
};

TEST_F(UserRecord, InitialRecordKeepsItsShapesAcrossARestart) {
    writeInitialRecord();
    queue.runUntilIdle();
    const Value expected = Value::parse(R"({
        "bottomNavigationMode": "Verse", "currentBook": 1, "currentChapter": 1, "currentFontFamily": "Poppins-Regular",
        "currentFontSize": 18, "currentPage": "profile", "currentVerse": 1, "email": "reader@example.com",
        "night": false, "selectedVerses": ["x"], "username": "reader"})");
    EXPECT_EQ(read(P).dump(), expected.dump());

    reopen();
    const Value record = read(P);
    EXPECT_EQ(record.dump(), expected.dump());
    EXPECT_TRUE(record["currentFontSize"].is_number_integer());
    EXPECT_TRUE(record["selectedVerses"].is_array());
    EXPECT_TRUE(record["night"].is_boolean());
}

TEST_F(UserRecord, FontSizeTurnsFloatingPointWhenChosenAndStaysSo) {
    writeInitialRecord();
    database->setValue(P + "/currentFontSize", 24.0);
    queue.runUntilIdle();
    reopen();
    const Value size = read(P + "/currentFontSize");
    EXPECT_TRUE(size.is_number_float());
    EXPECT_EQ(size.get<double>(), 24.0);
}

TEST_F(UserRecord, TextThatLooksLikeANumberStaysText) {
    database->setValue(P + "/currentBook", "5");
    queue.runUntilIdle();
    reopen();
    const Value book = read(P + "/currentBook");
    EXPECT_TRUE(book.is_string());
    EXPECT_EQ(book, "5");
}

TEST_F(UserRecord, SelectionWrittenEitherWayIsTheSameList) {
    database->setValue("users/a/selectedVerses", Value::array({"x"}));
    database->setValue("users/b/selectedVerses/0", "x");
    database->setValue("users/c/selectedVerses", Value::array({"10", "2", "3"}));
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read("users/a/selectedVerses").dump(), R"(["x"])");
    EXPECT_EQ(read("users/b/selectedVerses").dump(), R"(["x"])");
    EXPECT_EQ(read("users/c/selectedVerses").dump(), R"(["10","2","3"])");

    // Replacing a longer selection with ["x"] leaves exactly ["x"].
    database->setValue("users/c/selectedVerses", Value::array({"x"}));
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read("users/c/selectedVerses").dump(), R"(["x"])");
}

TEST_F(UserRecord, HighlightsKeepTheirMarkersAndComeBackAsKeyedMaps) {
    storeHighlights(43, 3, "3,7,12");
    storeHighlights(1, 1, "1");
    storeHighlights(66, 22, "21");
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read(P + "/highlights").dump(),
              R"({"1":{"\"\"":"","1":"1"},"43":{"\"\"":"","3":"3,7,12"},"66":{"\"\"":"","22":"21"}})");
    EXPECT_TRUE(read(P + "/highlights/43").is_object());

    // Removing every verse of a chapter stores "" and keeps both markers.
    storeHighlights(43, 3, "");
    queue.runUntilIdle();
    EXPECT_EQ(read(P + "/highlights/43").dump(), R"({"\"\"":"","3":""})");
    EXPECT_EQ(read(P + "/highlights/66/\"\"").dump(), R"("")");
}

TEST_F(UserRecord, ClearingHighlightsRemovesTheNodeAndTheNextHighlightRecreatesIt) {
    storeHighlights(43, 3, "16");
    database->removeValue(P + "/highlights");
    queue.runUntilIdle();
    EXPECT_TRUE(read(P + "/highlights").is_null());
    reopen();
    EXPECT_TRUE(read(P + "/highlights").is_null());

    storeHighlights(2, 5, "4");
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read(P + "/highlights").dump(), R"({"2":{"\"\"":"","5":"4"},"66":{"\"\"":""}})");
}

TEST_F(UserRecord, TwoMovesInOneSecondLeaveOneHistoryEntry) {
    database->setValue(P + "/history/1765432100", "1.1.1");
    database->setValue(P + "/history/1765432100", "19.23.1");
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read(P + "/history").dump(), R"({"1765432100":"19.23.1"})");
}

TEST_F(UserRecord, HistoryClearedAndWrittenAgainHoldsOnlyTheNewEntry) {
    for (int i = 0; i < 5; ++i) database->setValue(P + "/history/" + std::to_string(1765432100 + i), "1.1.1");
    database->removeValue(P + "/history");
    database->setValue(P + "/history/1765439999", "2.2.2");
    queue.runUntilIdle();
    reopen();
    EXPECT_EQ(read(P + "/history").dump(), R"({"1765439999":"2.2.2"})");
}

TEST_F(UserRecord, NewestHistoryEntryIsAnsweredWithoutReadingTheWholeMap) {
    for (int i = 0; i < 50; ++i) database->setValue(P + "/history/" + std::to_string(1765432100 + i), "1.1." + std::to_string(i));
    database->setValue(P + "/history/1765432000", Value::parse(R"({"not":"text"})"));
    platform::NewestChild newest;
    bool delivered = false;
    database->readNewestChild(P + "/history", [&](const platform::NewestChild& n) {
        newest = n;
        delivered = true;
    });
    EXPECT_FALSE(delivered);
    queue.runUntilIdle();
    ASSERT_TRUE(delivered);
    EXPECT_TRUE(newest.isMap);
    EXPECT_FALSE(newest.allText);
    EXPECT_EQ(newest.key, "1765432149");
    EXPECT_EQ(newest.value, "1.1.49");

    // The same after a restart: the count of non-text values is rebuilt when loading.
    reopen();
    database->readNewestChild(P + "/history", [&](const platform::NewestChild& n) { newest = n; });
    queue.runUntilIdle();
    EXPECT_FALSE(newest.allText);
    EXPECT_EQ(newest.key, "1765432149");
}

}  // namespace
