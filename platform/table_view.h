#pragma once
// A one-section table of reusable cells, each with one wrapped text label, as the reading
// screen's content list. Row heights follow the label's wrapped text (measured through the
// window's TextMeasurer). The table handles its own touches: a drag scrolls (past either end
// too, which the delegate sees), a tap selects or deselects a row, a leftward swipe on a row
// reveals its row actions.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/view.h"

namespace platform {

class TableView;

class TableCell : public View {
public:
    explicit TableCell(std::string name = "cell");
    Label textLabel;
    Color backgroundViewColor = Color::clear();          // the cell's background view
    Color selectedBackgroundViewColor = Color::clear();  // the cell's selected-background view
    bool selected = false;                               // kept by the table

    const char* kind() const override { return "cell"; }
    void describe(Value& out) const override;
};

enum class RowActionStyle { defaultStyle, destructive, normal };

struct RowAction {
    RowActionStyle style = RowActionStyle::defaultStyle;
    std::string title;
    std::function<void(int row)> handler;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRowsInSection(TableView& table, int section) = 0;
    // Configure and return table.dequeueReusableCell("cell", row).
    virtual TableCell& cellForRowAt(TableView& table, int row) = 0;
};

class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual void didSelectRowAt(TableView& table, int row) {}
    virtual void didDeselectRowAt(TableView& table, int row) {}
    virtual std::vector<RowAction> editActionsForRowAt(TableView& table, int row) { return {}; }
    virtual void scrollViewDidScroll(TableView& table) {}
    virtual void scrollViewWillEndDragging(TableView& table, Point velocity, Point& targetContentOffset) {}
};

class TableView : public View {
public:
    explicit TableView(std::string name = {});

    TableViewDataSource* dataSource = nullptr;
    TableViewDelegate* delegate = nullptr;
    bool allowsMultipleSelection = false;
    bool allowsMultipleSelectionDuringEditing = false;
    bool separatorLinesVisible = true;
    Color backgroundViewColor = Color::clear();

    // The cell that shows `row`; cells keep their properties between configurations.
    TableCell& dequeueReusableCell(const std::string& identifier, int row);

    // Asks the data source for every row anew; clears the selection, as the toolkit does.
    void reloadData();
    // Measures rows and fixes the content size if anything changed since the last layout.
    void layoutIfNeeded();
    int numberOfRowsInSection(int section) const;

    void selectRow(int row, bool animated = false);  // no scrolling, no delegate call
    void deselectRow(int row, bool animated = false);
    const std::set<int>& selectedRows() const { return selectedRows_; }

    // Scrolls so that `row` is at the top, as far as the content allows.
    void scrollToRowAtTop(int row, bool animated = false);
    Point contentOffset() const { return contentOffset_; }
    void setContentOffset(Point offset, bool animated = false);
    Size contentSize() const;
    // Top edge and height of `row` in content coordinates (after layout).
    Rect rectForRow(int row) const;
    // The row at a point in the table's coordinates, or -1.
    int rowAtPoint(Point p) const;

    // Configured cells, one per row (only meaningful after reloadData/layout).
    const std::vector<std::unique_ptr<TableCell>>& cells() const { return cells_; }

    // Row whose actions are revealed by a swipe, or -1; its actions.
    int revealedActionsRow() const { return revealedRow_; }
    const std::vector<RowAction>& revealedActions() const { return revealedActions_; }
    // Reveals row actions as a leftward swipe does; returns false when the row offers none.
    bool revealActions(int row);
    void hideActions();
    // Performs a revealed action by title; returns false when there is none.
    bool performRevealedAction(const std::string& title);

    bool handlesTouches() const override { return true; }
    void touchBegan(Point p, double time) override;
    void touchMoved(Point p, double time) override;
    void touchEnded(Point p, double time) override;
    void touchCancelled() override;
    bool isDragging() const { return dragging_; }

    const char* kind() const override { return "table"; }
    void describe(Value& out) const override;

    // A cell's text label sits this far inside the cell; rows are at least kMinimumRowHeight.
    static constexpr double kCellHorizontalPadding = 16;
    static constexpr double kCellVerticalPadding = 11;
    static constexpr double kMinimumRowHeight = 44;
    // Width of the revealed action buttons, in points, and the swipe needed to reveal them.
    static constexpr double kActionWidth = 74;
    static constexpr double kSwipeToReveal = 40;

private:
    void configureAllRows();
    void measureRows();
    double maxOffsetY() const;
    void settleIntoBounds();

    std::vector<std::unique_ptr<TableCell>> cells_;
    std::vector<double> rowTops_;  // rows + 1 entries: the last is the content height
    int rowCount_ = 0;
    bool needsMeasure_ = true;
    double measuredWidth_ = -1;
    std::set<int> selectedRows_;
    Point contentOffset_;

    // Touch tracking.
    Point touchStart_;
    Point lastTouch_;
    double lastTouchTime_ = 0;
    double velocityY_ = 0;
    Point offsetAtTouchStart_;
    bool dragging_ = false;
    bool swiping_ = false;
    bool tracking_ = false;
    int revealedRow_ = -1;
    std::vector<RowAction> revealedActions_;
};

}  // namespace platform
