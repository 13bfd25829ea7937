// Table layout: rows measured from their wrapped text, scrolling bounds, selection on reload.
#include <gtest/gtest.h>

#include <limits>

#include "common/probe_screen.h"
#include "platform/headless/headless_device.h"

using namespace platform;

namespace {

class LongRows : public probe::ProbeScreen {
public:
    using ProbeScreen::ProbeScreen;
    TableCell& cellForRowAt(TableView& t, int row) override {
        TableCell& cell = ProbeScreen::cellForRowAt(t, row);
        if (row == 1) cell.textLabel.text = std::string(400, 'w').replace(0, 400, std::string(80, ' ') + std::string(320, 'w'));
        if (row == 2) {
            cell.textLabel.text.clear();
            for (int i = 0; i < 60; ++i) cell.textLabel.text += "word ";
        }
        return cell;
    }
};

struct TableFixture : ::testing::Test {
    headless::World world;
    headless::Device device{world, {}};
    LongRows* screen = nullptr;
    void SetUp() override {
        auto s = std::make_unique<LongRows>(device.env(), 30);
        screen = s.get();
        device.window().setRootScreen(std::move(s));
        world.runUntilIdle();
        screen->table->layoutIfNeeded();
    }
};

TEST_F(TableFixture, RowsGrowWithTheirWrappedText) {
    TableView& t = *screen->table;
    EXPECT_GT(t.rectForRow(2).height, 2 * t.rectForRow(0).height);
    EXPECT_EQ(t.rectForRow(1).y, t.rectForRow(0).maxY());
    EXPECT_EQ(t.contentSize().height, t.rectForRow(29).maxY());
    EXPECT_EQ(t.rowAtPoint({10, t.rectForRow(2).y + 1}), 2);
    EXPECT_EQ(t.rowAtPoint({10, t.contentSize().height + 5}), -1);
    EXPECT_EQ(t.rectForRow(30), Rect{}) << "no row beyond the last";
}

TEST_F(TableFixture, ScrollingToARowStopsAtTheEndOfTheContent) {
    TableView& t = *screen->table;
    t.scrollToRowAtTop(5);
    EXPECT_EQ(t.contentOffset().y, t.rectForRow(5).y);
    double maxOffset = t.contentSize().height - t.frame.height;
    t.scrollToRowAtTop(29);
    EXPECT_EQ(t.contentOffset().y, maxOffset);
    t.setContentOffset({0, std::numeric_limits<double>::max()});
    EXPECT_EQ(t.contentOffset().y, maxOffset) << "the far end, not beyond";
    t.scrollToRowAtTop(99);
    EXPECT_EQ(t.contentOffset().y, maxOffset) << "a missing row changes nothing";
}

TEST_F(TableFixture, ReloadClearsTheSelectionAndFollowsTheRowCount) {
    TableView& t = *screen->table;
    t.selectRow(3);
    t.selectRow(500);
    EXPECT_EQ(t.selectedRows(), std::set<int>{3});
    EXPECT_TRUE(t.cells()[3]->selected);
    screen->rowCount = 2;
    t.reloadData();
    t.layoutIfNeeded();
    EXPECT_TRUE(t.selectedRows().empty());
    EXPECT_FALSE(t.cells()[3]->selected);
    EXPECT_EQ(t.numberOfRowsInSection(0), 2);
    EXPECT_EQ(t.contentOffset().y, 0);
}

}  // namespace
