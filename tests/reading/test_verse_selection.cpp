// Selecting and deselecting verse rows, the stored forms of the selection, the marks in the
// table and the reference range text.
#include <gtest/gtest.h>

#include "tests/reading/reading_harness.h"
#include "userdata/record_paths.h"

namespace reading_test {
namespace {

using Rows = std::vector<std::string>;

class VerseSelection : public ::testing::Test {
protected:
    void SetUp() override {
        h.open();
        h.pulses().clear();
    }
    BibleViewController& s() { return *h.screen; }
    Value stored() { return h.record(userdata::kSelectedVerses); }
    void tapRow(int row) {
        h.device->tap(h.rowCenter(row));
        h.settle();
    }
    std::set<int> markedRows() { return s().content->selectedRows(); }

    ReadingHarness h;
};

TEST_F(VerseSelection, TappingARowSelectsItInMemoryInTheRecordAndOnScreen) {
    ASSERT_EQ(s().selectedVerses, Rows{"x"});
    tapRow(3);
    EXPECT_EQ(s().selectedVerses, Rows{"3"});
    EXPECT_EQ(stored(), Value::array({"3"}));
    EXPECT_EQ(markedRows(), std::set<int>{3});
    EXPECT_EQ(h.pulses(), std::vector{platform::ImpactStyle::medium});
    EXPECT_TRUE(s().content->cells()[3]->selected);
}

TEST_F(VerseSelection, TheSentinelStaysForAMomentAfterASelection) {
    s().selectedVerses.push_back("3");
    std::sort(s().selectedVerses.begin(), s().selectedVerses.end());
    EXPECT_EQ(s().selectedVerses, (Rows{"3", "x"}));
    s().storeSelection();
    EXPECT_EQ(s().selectedVerses, Rows{"3"});
}

TEST_F(VerseSelection, SelectionsAreStoredInTextOrder) {
    tapRow(9);
    tapRow(1);
    EXPECT_EQ(stored(), Value::array({"1", "9"}));
    tapRow(1);  // a second tap deselects
    tapRow(2);
    tapRow(10);
    EXPECT_EQ(s().selectedVerses, (Rows{"10", "2", "9"}));
    EXPECT_EQ(stored(), Value::array({"10", "2", "9"}));
    EXPECT_EQ(markedRows(), (std::set<int>{2, 9, 10}));
}

TEST_F(VerseSelection, DeselectingTheOnlyRowStoresTheSentinel) {
    tapRow(4);
    tapRow(4);
    EXPECT_EQ(s().selectedVerses, Rows{"x"});
    EXPECT_EQ(stored(), Value::array({"x"}));
    EXPECT_TRUE(markedRows().empty());
    EXPECT_EQ(h.pulses().size(), 2u);
}

TEST_F(VerseSelection, DeselectingOneOfTwoStoresTheOther) {
    tapRow(4);
    tapRow(6);
    tapRow(4);
    EXPECT_EQ(s().selectedVerses, Rows{"6"});
    EXPECT_EQ(stored(), Value::array({"6"}));
    EXPECT_EQ(markedRows(), std::set<int>{6});
}

TEST_F(VerseSelection, DeselectingARowThatIsNotSelectedStoresTheSentinelForASingleRow) {
    s().selectedVerses = {"5"};
    s().rowDeselected(8);
    EXPECT_EQ(s().selectedVerses, Rows{"5"});
    EXPECT_EQ(stored(), Value::array({"x"}));
}

TEST_F(VerseSelection, SetSelectionOnlyEverSelects) {
    s().content->selectRow(7);
    s().selectedVerses = {"1", "3"};
    s().setSelection();
    EXPECT_EQ(markedRows(), (std::set<int>{1, 3, 7}));
}

TEST_F(VerseSelection, ReferenceRangeText) {
    const std::pair<Rows, std::string> cases[] = {
        {{"2", "3", "4", "7"}, "3-5, 8"},
        {{"0", "2"}, "1, 3"},
        {{"6"}, "7"},
        {{"x"}, "x"},
        {{"0", "1", "2", "29", "30"}, "1-3, 30-31"},
        {{}, ""},
    };
    for (const auto& [selection, text] : cases) {
        s().selectedVerses = selection;
        EXPECT_EQ(s().selectedReference(), text) << ::testing::PrintToString(selection);
    }
}

TEST_F(VerseSelection, AChapterChangeWithTheClearFlagDropsTheSelection) {
    tapRow(2);
    tapRow(5);
    s().shouldClearSelection = true;
    s().locate(false);
    h.settle();
    EXPECT_EQ(s().selectedVerses, Rows{});
    EXPECT_EQ(stored(), Value::array({"x"}));
    EXPECT_TRUE(markedRows().empty());
}

}  // namespace
}  // namespace reading_test
