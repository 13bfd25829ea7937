// Input reaches buttons, tables, recognisers and the screen as on a touch screen.
#include <gtest/gtest.h>

#include "common/probe_screen.h"
#include "platform/headless/headless_device.h"

using namespace platform;
using probe::ProbeScreen;

namespace {

struct Fixture : ::testing::Test {
    headless::World world;
    headless::Device device{world, {}};
    ProbeScreen* screen = nullptr;

    void SetUp() override {
        auto s = std::make_unique<ProbeScreen>(device.env());
        screen = s.get();
        device.window().setRootScreen(std::move(s));
        world.runUntilIdle();
    }
    Point inTable(double x, double y) { return {ProbeScreen::kTableFrame.x + x, ProbeScreen::kTableFrame.y + y}; }
};

using Touches = Fixture;

TEST_F(Touches, ButtonRunsItsActionOnlyWhenReleasedNearIt) {
    device.tap(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 1);
    device.drag(ProbeScreen::kButtonFrame.center(), {380, 800});
    EXPECT_EQ(screen->buttonTaps, 1);
    EXPECT_TRUE(screen->rawTouches.empty()) << "a control keeps its own touches";
}

TEST_F(Touches, TapSelectsARowAndASecondTapDeselectsIt) {
    Point row0 = inTable(100, 10);
    device.tap(row0);
    device.tap(row0);
    EXPECT_EQ(screen->selected, std::vector<int>{0});
    EXPECT_EQ(screen->deselected, std::vector<int>{0});
    EXPECT_TRUE(screen->table->selectedRows().empty());
    world.advance(1.0);
    EXPECT_TRUE(screen->longPressStates.empty()) << "a finished tap never turns into a long press";
}

TEST_F(Touches, HoldingStillHalfASecondIsALongPressAndSelectsNothing) {
    Point p = inTable(100, 200);
    device.touchDown(p);
    world.advance(0.49);
    EXPECT_TRUE(screen->longPressStates.empty());
    world.advance(0.02);
    device.touchMove({p.x + 40, p.y + 40});
    device.touchUp({p.x + 40, p.y + 40});
    EXPECT_EQ(screen->longPressStates,
              (std::vector<GestureState>{GestureState::began, GestureState::changed, GestureState::ended}));
    EXPECT_TRUE(screen->selected.empty());
}

TEST_F(Touches, MovingBeforeTheDelayIsNoLongPress) {
    Point p = inTable(100, 300);
    device.touchDown(p);
    world.advance(0.2);
    device.touchMove({p.x, p.y - 60});
    world.advance(1.0);
    device.touchUp({p.x, p.y - 60});
    EXPECT_GT(screen->table->contentOffset().y, 0);
    device.touchDown(inTable(100, 200));
    device.touchMove(inTable(100, 260));
    device.touchUp(inTable(100, 260));
    world.advance(1.0);
    EXPECT_TRUE(screen->longPressStates.empty()) << "a press that moved never begins after it ended";
}

TEST_F(Touches, DraggingScrollsAndPullingPastTheTopIsSeenThenSettles) {
    device.drag(inTable(100, 400), inTable(100, 200));
    EXPECT_NEAR(screen->table->contentOffset().y, 200, 0.5);

    device.drag(inTable(100, 50), inTable(100, 350));
    ASSERT_FALSE(screen->endDragOffsets.empty());
    EXPECT_NEAR(screen->endDragOffsets.back(), -100, 0.5) << "the delegate sees the pull past the top";
    EXPECT_EQ(screen->table->contentOffset().y, 0) << "and the table settles back";
    EXPECT_EQ(screen->scrollOffsets.back(), 0);
}

TEST_F(Touches, EdgePanStartsOnlyAtItsEdgeAndTakesTheTouchOver) {
    device.drag({3, 700}, {150, 705});
    ASSERT_GE(screen->leftPanStates.size(), 3u);
    EXPECT_EQ(screen->leftPanStates.front(), GestureState::began);
    EXPECT_EQ(screen->leftPanStates.back(), GestureState::ended);
    EXPECT_TRUE(screen->rightPanStates.empty());
    EXPECT_EQ(screen->rawTouches.back(), "cancelled");

    device.drag({387, 300}, {200, 300});
    ASSERT_FALSE(screen->rightPanStates.empty());
    EXPECT_EQ(screen->rightPanStates.back(), GestureState::ended);
    EXPECT_EQ(screen->table->contentOffset().y, 0) << "the pan, not the table, had the touch";

    auto before = screen->leftPanStates.size();
    device.drag({60, 700}, {250, 700});
    EXPECT_EQ(screen->leftPanStates.size(), before) << "a drag away from the edge is no edge pan";
}

TEST_F(Touches, TouchesNoControlTookReachTheScreenInItsCoordinates) {
    device.drag({200, 760}, {260, 770}, 0.2, 2);
    ASSERT_GE(screen->rawTouches.size(), 3u);
    EXPECT_EQ(screen->rawTouches.front(), "began 200,760");
    EXPECT_EQ(screen->rawTouches.back(), "ended 260,770");
}

TEST_F(Touches, SwipingARowRevealsItsActionsAndATapPerformsOne) {
    device.drag(inTable(250, 10), inTable(150, 12));
    ASSERT_EQ(screen->table->revealedActionsRow(), 0);
    device.tap(inTable(ProbeScreen::kTableFrame.width - 20, 10));
    EXPECT_EQ(screen->actionRows, std::vector<int>{0});
    EXPECT_EQ(screen->table->revealedActionsRow(), -1);

    double rowOneY = screen->table->rectForRow(1).y + 5;
    device.drag(inTable(250, rowOneY), inTable(150, rowOneY));
    EXPECT_EQ(screen->table->revealedActionsRow(), -1) << "a row without actions reveals nothing";
}

TEST_F(Touches, AnAlertTakesAllInputUntilAnActionIsChosen) {
    int ok = 0;
    screen->presentAlert({"!", "message", AlertStyle::alert, {{"OK", AlertActionStyle::defaultStyle, [&] { ++ok; }}}});
    device.tap(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 0);
    EXPECT_FALSE(device.chooseAlertAction("Cancel"));
    EXPECT_TRUE(device.chooseAlertAction("OK"));
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(device.window().currentAlert(), nullptr);
    device.tap(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 1);
}

}  // namespace
