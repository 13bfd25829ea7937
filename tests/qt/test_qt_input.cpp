// Mouse, wheel and key events on the real window reach buttons, tables, recognisers, the
// alert and the focused field as the same touches do headless.
#include "qt_window_fixture.h"

#include "platform/qt/alert_box.h"

namespace qttest {
namespace {

using QtInput = QtWindowFixture;

TEST_F(QtInput, ClickRunsAButtonsActionButNotWhenReleasedFarAway) {
    click(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 1);
    drag(ProbeScreen::kButtonFrame.center(), {380, 800});
    EXPECT_EQ(screen->buttonTaps, 1);
    EXPECT_TRUE(screen->rawTouches.empty()) << "a control keeps its own touches";
}

TEST_F(QtInput, OnlyTheLeftButtonTouches) {
    press(ProbeScreen::kButtonFrame.center(), Qt::RightButton);
    release(ProbeScreen::kButtonFrame.center(), Qt::RightButton);
    move({200, 760}, Qt::NoButton);
    EXPECT_EQ(screen->buttonTaps, 0);
    EXPECT_TRUE(screen->rawTouches.empty());
    EXPECT_FALSE(widget->window().isTouchDown());
}

TEST_F(QtInput, ClickSelectsARowAndASecondClickDeselectsIt) {
    Point row0 = inTable(100, 10);
    click(row0);
    EXPECT_EQ(screen->table->selectedRows(), std::set<int>{0});
    click(row0);
    EXPECT_EQ(screen->selected, std::vector<int>{0});
    EXPECT_EQ(screen->deselected, std::vector<int>{0});
    EXPECT_TRUE(screen->table->selectedRows().empty());
    EXPECT_TRUE(screen->longPressStates.empty());
}

TEST_F(QtInput, HoldingTheButtonStillHalfASecondIsALongPress) {
    Point p = inTable(100, 200);
    press(p);
    advance(0.49);
    EXPECT_TRUE(screen->longPressStates.empty());
    advance(0.02);
    move({p.x + 40, p.y + 40});
    release({p.x + 40, p.y + 40});
    EXPECT_EQ(screen->longPressStates,
              (std::vector<GestureState>{GestureState::began, GestureState::changed, GestureState::ended}));
    EXPECT_TRUE(screen->selected.empty());
}

TEST_F(QtInput, DraggingATableScrollsIt) {
    drag(inTable(100, 400), inTable(100, 200));
    EXPECT_NEAR(screen->table->contentOffset().y, 200, 0.5);
    ASSERT_FALSE(screen->scrollOffsets.empty());
    EXPECT_NEAR(screen->scrollOffsets.back(), 200, 0.5);
    EXPECT_TRUE(screen->selected.empty()) << "a drag is no tap";
}

TEST_F(QtInput, ADragFromTheLeftEdgeIsTheLeftEdgePan) {
    drag({3, 700}, {150, 705});
    ASSERT_GE(screen->leftPanStates.size(), 3u);
    EXPECT_EQ(screen->leftPanStates.front(), GestureState::began);
    EXPECT_EQ(screen->leftPanStates[1], GestureState::changed);
    EXPECT_EQ(screen->leftPanStates.back(), GestureState::ended);
    EXPECT_TRUE(screen->rightPanStates.empty());
    EXPECT_EQ(screen->rawTouches.back(), "cancelled") << "the pan took the touch from the screen";

    drag({387, 300}, {200, 300});
    ASSERT_FALSE(screen->rightPanStates.empty());
    EXPECT_EQ(screen->rightPanStates.back(), GestureState::ended);

    auto before = screen->leftPanStates.size();
    drag({60, 700}, {250, 700});
    EXPECT_EQ(screen->leftPanStates.size(), before) << "a drag away from the edge is no edge pan";
}

TEST_F(QtInput, TheWheelScrollsTheTableUnderTheCursorWithinItsContent) {
    wheel(inTable(100, 100), -120);  // one notch towards the reader: content moves up
    EXPECT_NEAR(screen->table->contentOffset().y, lectio::qt::WindowWidget::kWheelStep, 0.01);
    ASSERT_EQ(screen->scrollOffsets.size(), 1u) << "the delegate hears of it";

    wheel(inTable(100, 100), 120 * 10);  // far past the top
    EXPECT_EQ(screen->table->contentOffset().y, 0);

    wheel(inTable(100, 100), -120 * 1000);  // far past the bottom
    double maxOffset = screen->table->contentSize().height - ProbeScreen::kTableFrame.height;
    EXPECT_NEAR(screen->table->contentOffset().y, maxOffset, 0.01);

    auto heard = screen->scrollOffsets.size();
    wheel(ProbeScreen::kButtonFrame.center(), -120);
    wheel(inTable(100, 100), -120);  // already at the bottom: nothing moves
    EXPECT_EQ(screen->scrollOffsets.size(), heard);
    EXPECT_NEAR(screen->table->contentOffset().y, maxOffset, 0.01);
}

TEST_F(QtInput, TheWheelScrollsATextViewWithinItsText) {
    TextView* text = screen->view()->addNew<TextView>("text");
    text->frame = {40, 690, 300, 100};
    for (int i = 1; i <= 30; ++i) text->text += "Line " + std::to_string(i) + "\n";
    wheel({100, 720}, -120);
    EXPECT_NEAR(text->contentOffset.y, lectio::qt::WindowWidget::kWheelStep, 0.01);
    wheel({100, 720}, -120 * 1000);
    double bottom = textMeasurer.measure(text->text, text->font, 300, 0).height - 100;
    EXPECT_NEAR(text->contentOffset.y, bottom, 0.01);
    wheel({100, 720}, 120 * 1000);
    EXPECT_EQ(text->contentOffset.y, 0);
}

TEST_F(QtInput, AnAlertSwallowsClicksUntilOneOfItsButtonsIsClicked) {
    int ok = 0, cancel = 0;
    screen->presentAlert(makeAlert("!", "message",
                                   {{"Cancel", AlertActionStyle::cancel, [&] { ++cancel; }},
                                    {"OK", AlertActionStyle::defaultStyle, [&] { ++ok; }}}));
    click(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 0);
    ASSERT_NE(widget->window().currentAlert(), nullptr);

    auto layout = lectio::qt::layoutAlertBox(*widget->window().currentAlert(), QSizeF(widget->size()));
    ASSERT_EQ(layout.buttons.size(), 2u);
    QPointF okCentre = layout.buttons[1].center();
    // A press on one button released on the other chooses nothing.
    press({layout.buttons[0].center().x(), layout.buttons[0].center().y()});
    release({okCentre.x(), okCentre.y()});
    EXPECT_EQ(ok + cancel, 0);
    click({okCentre.x(), okCentre.y()});
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(widget->window().currentAlert(), nullptr);

    click(ProbeScreen::kButtonFrame.center());
    EXPECT_EQ(screen->buttonTaps, 1);
}

TEST_F(QtInput, AnAlertRaisedDuringAPressEndsThatTouch) {
    Point p = inTable(100, 200);
    press(p);
    screen->presentAlert(makeAlert("!", "m", {{"OK", AlertActionStyle::defaultStyle, {}}}));
    release(p);
    EXPECT_FALSE(widget->window().isTouchDown());
    EXPECT_TRUE(screen->selected.empty());
    ASSERT_NE(widget->window().currentAlert(), nullptr) << "the release was not a click on the alert";
}

TEST_F(QtInput, KeysEditTheFocusedFieldAndCtrlShiftSShakes) {
    struct ShakeScreen : ProbeScreen {
        using ProbeScreen::ProbeScreen;
        int shakes = 0;
        int returns = 0;
        TextField* field = nullptr;
        void viewDidLoad() override {
            ProbeScreen::viewDidLoad();
            field = view()->addNew<TextField>("field");
            field->frame = {40, 700, 300, 40};
            field->shouldReturn = [this](TextField&) { ++returns; return true; };
        }
        bool canBecomeFirstResponder() const override { return true; }
        void motionEnded(Motion) override { ++shakes; }
    };
    auto owned = std::make_unique<ShakeScreen>(env);
    ShakeScreen* s = owned.get();
    show(std::move(owned));

    key(Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(s->field->text, "") << "no field has the focus yet";
    click({100, 720});
    ASSERT_TRUE(s->field->isFirstResponder());
    key(Qt::Key_H, Qt::ShiftModifier, "H");
    key(Qt::Key_I, Qt::NoModifier, "i");
    key(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("é"));
    key(Qt::Key_Tab, Qt::NoModifier, "\t");
    key(Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
    EXPECT_EQ(s->field->text, "Hié");
    key(Qt::Key_Backspace);
    EXPECT_EQ(s->field->text, "Hi") << "one whole character goes";
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(s->returns, 2);

    key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, QString(QChar(19)));
    EXPECT_EQ(s->shakes, 1);
    EXPECT_EQ(s->field->text, "Hi");
    key(Qt::Key_S, Qt::ControlModifier, QString(QChar(19)));
    EXPECT_EQ(s->shakes, 1) << "Ctrl+S alone is no shake";
}

TEST_F(QtInput, ResizingTheWidgetResizesTheWindowAndLaysScreensOut) {
    widget->resize(500, 700);
    QApplication::processEvents();
    runDue();
    EXPECT_EQ(widget->window().size(), (Size{500, 700}));
    EXPECT_EQ(screen->view()->frame, (Rect{0, 0, 500, 700}));
}

}  // namespace
}  // namespace qttest
