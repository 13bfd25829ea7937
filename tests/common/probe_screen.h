#pragma once
// A small screen used to check that both backends deliver input the same way: a button, a
// table with a long-press recogniser, edge pans on the root view, and a record of the raw
// touches that reach the screen.
#include <memory>
#include <string>
#include <vector>

#include "platform/gestures.h"
#include "platform/screen.h"
#include "platform/table_view.h"
#include "platform/view.h"

namespace probe {

using namespace platform;

class ProbeScreen : public Screen, public TableViewDataSource, public TableViewDelegate {
public:
    explicit ProbeScreen(Environment& env, int rows = 40) : Screen(env), rowCount(rows) {}

    // Layout in a 390 x 844 window.
    static constexpr Rect kButtonFrame{100, 20, 120, 44};
    static constexpr Rect kTableFrame{40, 120, 310, 560};

    int rowCount;
    int buttonTaps = 0;
    std::vector<GestureState> longPressStates, leftPanStates, rightPanStates;
    std::vector<int> selected, deselected;
    std::vector<std::string> rawTouches;  // "began x,y" ...
    std::vector<double> scrollOffsets;
    std::vector<double> endDragOffsets;
    std::vector<int> actionRows;

    Button* button = nullptr;
    TableView* table = nullptr;

    void viewDidLoad() override {
        View* root = view();
        root->backgroundColor = Color::white();
        button = root->addNew<Button>("button");
        button->frame = kButtonFrame;
        button->title = "Press";
        button->backgroundColor = Color::rgba(0, 0, 1, 1);
        button->action = [this] { ++buttonTaps; };
        table = root->addNew<TableView>("table");
        table->frame = kTableFrame;
        table->allowsMultipleSelection = true;
        table->dataSource = this;
        table->delegate = this;
        table->addGestureRecognizer(std::make_unique<LongPressGestureRecognizer>(
            [this](GestureRecognizer& g) { longPressStates.push_back(g.state()); }));
        root->addGestureRecognizer(std::make_unique<ScreenEdgePanGestureRecognizer>(
            ScreenEdge::left, [this](GestureRecognizer& g) { leftPanStates.push_back(g.state()); }));
        root->addGestureRecognizer(std::make_unique<ScreenEdgePanGestureRecognizer>(
            ScreenEdge::right, [this](GestureRecognizer& g) { rightPanStates.push_back(g.state()); }));
        table->reloadData();
    }

    int numberOfRowsInSection(TableView&, int) override { return rowCount; }
    TableCell& cellForRowAt(TableView& t, int row) override {
        TableCell& cell = t.dequeueReusableCell("cell", row);
        cell.textLabel.text = "Row " + std::to_string(row);
        cell.textLabel.font = {"Poppins-Regular", 18};
        cell.textLabel.numberOfLines = 0;
        return cell;
    }
    void didSelectRowAt(TableView&, int row) override { selected.push_back(row); }
    void didDeselectRowAt(TableView&, int row) override { deselected.push_back(row); }
    std::vector<RowAction> editActionsForRowAt(TableView&, int row) override {
        if (row % 2) return {};
        return {RowAction{RowActionStyle::defaultStyle, "×", [this](int r) { actionRows.push_back(r); }}};
    }
    void scrollViewDidScroll(TableView& t) override { scrollOffsets.push_back(t.contentOffset().y); }
    void scrollViewWillEndDragging(TableView& t, Point, Point& target) override {
        endDragOffsets.push_back(t.contentOffset().y);
    }

    void touchesBegan(const TouchSet& t) override { record("began", t); }
    void touchesMoved(const TouchSet& t) override { record("moved", t); }
    void touchesEnded(const TouchSet& t) override { record("ended", t); }
    void touchesCancelled(const TouchSet&) override { rawTouches.push_back("cancelled"); }

private:
    void record(const char* phase, const TouchSet& t) {
        rawTouches.push_back(std::string(phase) + " " + std::to_string(static_cast<int>(t.at(0).location.x)) + "," +
                             std::to_string(static_cast<int>(t.at(0).location.y)));
    }
};

}  // namespace probe
