// The verse selection: rows chosen in the verse table, kept as decimal row indexes (or the
// sentinel "x" alone), stored in the record and marked in the table.
#include <algorithm>
#include <limits>
#include <set>

#include "reading/bible_view_controller.h"
#include "userdata/record_paths.h"
#include "userdata/record_values.h"

namespace reading {

void BibleViewController::rowSelected(int row) {
    mediumFeedback();
    selectedVerses.push_back(std::to_string(row));
    std::sort(selectedVerses.begin(), selectedVerses.end());
    storeSelection();
}

void BibleViewController::rowDeselected(int row) {
    mediumFeedback();
    const std::string index = std::to_string(row);
    for (auto it = std::find(selectedVerses.begin(), selectedVerses.end(), index); it != selectedVerses.end();
         it = std::find(selectedVerses.begin(), selectedVerses.end(), index)) {
        selectedVerses.erase(it);
        std::erase(selectedVerses, "x");
        selectedVerses.push_back("x");
    }
    storeSelection();
}

void BibleViewController::storeSelection() {
    std::sort(selectedVerses.begin(), selectedVerses.end());
    platform::Value stored = platform::Value::array({"x"});
    if (selectedVerses.size() > 1) {
        std::erase(selectedVerses, "x");
        stored = selectedVerses;
    }
    if (canWriteRecord()) ref.child(userdata::recordPath(uid, userdata::kSelectedVerses)).setValue(std::move(stored));
    setSelection();
}

void BibleViewController::setSelection() {
    if (!content) return;
    const int rows = content->numberOfRowsInSection(0);
    for (const std::string& entry : selectedVerses) {
        if (entry == "x") continue;
        // Entries that are not row numbers of this chapter (a damaged record) are skipped.
        auto row = userdata::parseWholeNumber(entry);
        if (!row || *row < 0 || *row >= rows) continue;
        content->selectRow(*row, false);
    }
}

std::string BibleViewController::selectedReference() {
    if (!selectedVerses.empty() && selectedVerses.front() == "x") return "x";

    // The texts a selected verse begins with: its number and ".".
    std::set<std::string> wanted;
    for (const std::string& entry : selectedVerses) {
        if (entry == "x") continue;
        auto row = userdata::parseWholeNumber(entry);
        if (!row || *row < 0 || *row == std::numeric_limits<int>::max()) continue;
        wanted.insert(std::to_string(*row + 1) + ".");
    }
    auto isMarked = [&](const std::string& verse) {
        std::size_t dot = verse.find('.');
        return dot != std::string::npos && wanted.count(verse.substr(0, dot + 1)) > 0;
    };

    std::string result;
    const int count = static_cast<int>(versesInCurrentChapter.size());
    for (int i = 0; i < count;) {
        if (!isMarked(versesInCurrentChapter[i])) {
            ++i;
            continue;
        }
        int first = i + 1;
        while (i < count && isMarked(versesInCurrentChapter[i])) ++i;
        int last = i;
        if (!result.empty()) result += ", ";
        result += first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
    }
    return result;
}

}  // namespace reading
