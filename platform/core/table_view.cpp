#include "platform/table_view.h"

#include <algorithm>
#include <cmath>

#include "platform/environment.h"
#include "platform/window.h"

namespace platform {

namespace {
constexpr double kDragThreshold = 10;
}  // namespace

TableCell::TableCell(std::string n) : View(std::move(n)), textLabel("textLabel") {}

void TableCell::describe(Value& out) const {
    View::describe(out);
    out["text"] = textLabel.text;
    out["textColor"] = platform::describe(textLabel.textColor);
    out["selected"] = selected;
    out["selectedBackgroundColor"] = platform::describe(selectedBackgroundViewColor);
}

TableView::TableView(std::string n) : View(std::move(n)) {}

TableCell& TableView::dequeueReusableCell(const std::string&, int row) {
    if (row < 0) row = 0;
    while (static_cast<int>(cells_.size()) <= row) cells_.push_back(std::make_unique<TableCell>());
    return *cells_[row];
}

void TableView::reloadData() {
    for (int row : selectedRows_)
        if (row < static_cast<int>(cells_.size())) cells_[row]->selected = false;
    selectedRows_.clear();
    hideActions();
    configureAllRows();
}

void TableView::configureAllRows() {
    rowCount_ = dataSource ? std::max(0, dataSource->numberOfRowsInSection(*this, 0)) : 0;
    for (int row = 0; row < rowCount_; ++row) {
        dequeueReusableCell("cell", row);
        dataSource->cellForRowAt(*this, row);
    }
    needsMeasure_ = true;
}

int TableView::numberOfRowsInSection(int section) const { return section == 0 ? rowCount_ : 0; }

void TableView::layoutIfNeeded() {
    if (!needsMeasure_ && measuredWidth_ == frame.width) return;
    measureRows();
}

void TableView::measureRows() {
    rowTops_.assign(static_cast<std::size_t>(rowCount_) + 1, 0);
    Window* w = window();
    double textWidth = std::max(1.0, frame.width - 2 * kCellHorizontalPadding);
    double y = 0;
    for (int row = 0; row < rowCount_; ++row) {
        rowTops_[row] = y;
        double height = kMinimumRowHeight;
        if (w && row < static_cast<int>(cells_.size())) {
            const Label& label = cells_[row]->textLabel;
            Size text = w->env().textMeasurer.measure(label.text, label.font, textWidth, label.numberOfLines);
            height = std::max(kMinimumRowHeight, std::ceil(text.height) + 2 * kCellVerticalPadding);
        }
        if (row < static_cast<int>(cells_.size())) cells_[row]->frame = {0, y, frame.width, height};
        y += height;
    }
    rowTops_[rowCount_] = y;
    needsMeasure_ = false;
    measuredWidth_ = frame.width;
    contentOffset_.y = std::min(contentOffset_.y, std::max(0.0, maxOffsetY()));
}

Size TableView::contentSize() const {
    return {frame.width, rowTops_.empty() ? 0 : rowTops_.back()};
}

double TableView::maxOffsetY() const { return std::max(0.0, contentSize().height - frame.height); }

Rect TableView::rectForRow(int row) const {
    if (row < 0 || row >= rowCount_ || row + 1 >= static_cast<int>(rowTops_.size())) return {};
    return {0, rowTops_[row], frame.width, rowTops_[row + 1] - rowTops_[row]};
}

int TableView::rowAtPoint(Point p) const {
    double y = p.y + contentOffset_.y;
    if (rowCount_ == 0 || rowTops_.size() < 2 || y < 0 || y >= rowTops_.back()) return -1;
    auto it = std::upper_bound(rowTops_.begin(), rowTops_.begin() + rowCount_, y);
    return static_cast<int>(it - rowTops_.begin()) - 1;
}

void TableView::selectRow(int row, bool) {
    if (row < 0 || row >= rowCount_) return;
    selectedRows_.insert(row);
    cells_[row]->selected = true;
}

void TableView::deselectRow(int row, bool) {
    if (selectedRows_.erase(row) && row < static_cast<int>(cells_.size())) cells_[row]->selected = false;
}

void TableView::scrollToRowAtTop(int row, bool) {
    layoutIfNeeded();
    if (row < 0 || row >= rowCount_) return;
    contentOffset_ = {0, std::min(rowTops_[row], maxOffsetY())};
}

void TableView::setContentOffset(Point offset, bool) {
    layoutIfNeeded();
    double y = std::isfinite(offset.y) ? offset.y : maxOffsetY();
    contentOffset_ = {0, std::clamp(y, 0.0, maxOffsetY())};
}

bool TableView::revealActions(int row) {
    hideActions();
    if (row < 0 || row >= rowCount_ || !delegate) return false;
    auto actions = delegate->editActionsForRowAt(*this, row);
    if (actions.empty()) return false;
    revealedRow_ = row;
    revealedActions_ = std::move(actions);
    return true;
}

void TableView::hideActions() {
    revealedRow_ = -1;
    revealedActions_.clear();
}

bool TableView::performRevealedAction(const std::string& title) {
    auto it = std::find_if(revealedActions_.begin(), revealedActions_.end(),
                           [&](const RowAction& a) { return a.title == title; });
    if (it == revealedActions_.end()) return false;
    RowAction action = *it;
    int row = revealedRow_;
    hideActions();
    if (action.handler) action.handler(row);
    return true;
}

void TableView::touchBegan(Point p, double time) {
    layoutIfNeeded();
    tracking_ = true;
    dragging_ = swiping_ = false;
    touchStart_ = lastTouch_ = p;
    lastTouchTime_ = time;
    velocityY_ = 0;
    offsetAtTouchStart_ = contentOffset_;
}

void TableView::touchMoved(Point p, double time) {
    if (!tracking_) return;
    double dx = p.x - touchStart_.x, dy = p.y - touchStart_.y;
    if (!dragging_ && !swiping_) {
        if (std::abs(dy) > kDragThreshold && std::abs(dy) >= std::abs(dx)) {
            dragging_ = true;
            hideActions();
        } else if (dx < -kDragThreshold && std::abs(dx) > std::abs(dy)) {
            swiping_ = true;
        }
    }
    if (dragging_) {
        layoutIfNeeded();
        // Past either end the content follows the finger, at most half the table's height.
        double limit = frame.height / 2;
        double y = offsetAtTouchStart_.y - dy;
        contentOffset_.y = std::clamp(y, -limit, maxOffsetY() + limit);
        if (time > lastTouchTime_) velocityY_ = -(p.y - lastTouch_.y) / (time - lastTouchTime_);
        if (delegate) delegate->scrollViewDidScroll(*this);
    } else if (swiping_ && -dx > kSwipeToReveal && revealedRow_ < 0) {
        revealActions(rowAtPoint(touchStart_));
    }
    lastTouch_ = p;
    lastTouchTime_ = time;
}

void TableView::settleIntoBounds() {
    double settled = std::clamp(contentOffset_.y, 0.0, maxOffsetY());
    if (settled != contentOffset_.y) {
        contentOffset_.y = settled;
        if (delegate) delegate->scrollViewDidScroll(*this);
    }
}

void TableView::touchEnded(Point p, double time) {
    if (!tracking_) return;
    tracking_ = false;
    if (dragging_) {
        dragging_ = false;
        Point target = contentOffset_;
        if (delegate) delegate->scrollViewWillEndDragging(*this, {0, velocityY_ / 1000}, target);
        contentOffset_.y = target.y;
        settleIntoBounds();
        return;
    }
    if (swiping_) {
        swiping_ = false;
        return;
    }
    if (revealedRow_ >= 0) {
        // A tap on a revealed action performs it; any other tap only hides the actions.
        Rect rowRect = rectForRow(revealedRow_);
        double y = p.y + contentOffset_.y;
        int index = static_cast<int>((frame.width - p.x) / kActionWidth);
        if (y >= rowRect.y && y < rowRect.maxY() && p.x <= frame.width && index >= 0 &&
            index < static_cast<int>(revealedActions_.size())) {
            performRevealedAction(revealedActions_[index].title);
        } else {
            hideActions();
        }
        return;
    }
    int row = rowAtPoint(p);
    if (row < 0) return;
    if (selectedRows_.count(row)) {
        if (!allowsMultipleSelection) return;
        deselectRow(row);
        if (delegate) delegate->didDeselectRowAt(*this, row);
    } else {
        if (!allowsMultipleSelection) {
            auto previous = selectedRows_;
            for (int r : previous) {
                deselectRow(r);
                if (delegate) delegate->didDeselectRowAt(*this, r);
            }
        }
        selectRow(row);
        if (delegate) delegate->didSelectRowAt(*this, row);
    }
}

void TableView::touchCancelled() {
    tracking_ = false;
    swiping_ = false;
    if (dragging_) {
        dragging_ = false;
        settleIntoBounds();
    }
}

void TableView::describe(Value& out) const {
    View::describe(out);
    out["contentOffset"] = Value::array({contentOffset_.x, contentOffset_.y});
    out["contentSize"] = Value::array({contentSize().width, contentSize().height});
    out["rowCount"] = rowCount_;
    Value rows = Value::array();
    for (int row = 0; row < rowCount_ && row < static_cast<int>(cells_.size()); ++row) {
        Value cell;
        cells_[row]->describe(cell);
        rows.push_back(std::move(cell));
    }
    out["rows"] = std::move(rows);
    if (revealedRow_ >= 0) {
        Value actions = Value::array();
        for (auto& a : revealedActions_) actions.push_back(a.title);
        out["revealedActions"] = {{"row", revealedRow_}, {"titles", actions}};
    }
}

}  // namespace platform
