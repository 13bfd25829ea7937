#pragma once
// Paths of the user record, built by plain concatenation: "users/" + uid + a suffix that
// begins with "/". Book, chapter and timestamp keys are plain decimal.
//
// With an empty uid the paths lose the user part ("users//night"); the writers in this
// project skip their writes in that case instead of handing such a path to the service.
#include <string>

namespace userdata {

inline std::string userRecord(const std::string& uid) { return "users/" + uid; }
inline std::string recordPath(const std::string& uid, const std::string& suffix) { return "users/" + uid + suffix; }

inline constexpr const char* kNight = "/night";
inline constexpr const char* kUsername = "/username";
inline constexpr const char* kEmail = "/email";
inline constexpr const char* kBottomNavigationMode = "/bottomNavigationMode";
inline constexpr const char* kCurrentBook = "/currentBook";
inline constexpr const char* kCurrentChapter = "/currentChapter";
inline constexpr const char* kCurrentVerse = "/currentVerse";
inline constexpr const char* kCurrentPage = "/currentPage";
inline constexpr const char* kCurrentFontFamily = "/currentFontFamily";
inline constexpr const char* kCurrentFontSize = "/currentFontSize";
inline constexpr const char* kSelectedVerses = "/selectedVerses";
inline constexpr const char* kHighlights = "/highlights";
inline constexpr const char* kHistory = "/history";

// The key of a book's highlight marker: two double-quote characters.
inline constexpr const char* kHighlightMarker = "\"\"";
// The book whose node always carries a marker once anything was highlighted.
inline constexpr int kMarkerBook = 66;

inline std::string highlightsOfBook(const std::string& uid, int book) {
    return recordPath(uid, kHighlights) + "/" + std::to_string(book);
}
inline std::string highlightsOfChapter(const std::string& uid, int book, int chapter) {
    return highlightsOfBook(uid, book) + "/" + std::to_string(chapter);
}
inline std::string highlightMarkerOfBook(const std::string& uid, int book) {
    return highlightsOfBook(uid, book) + "/" + kHighlightMarker;
}
inline std::string historyEntry(const std::string& uid, const std::string& timestamp) {
    return recordPath(uid, kHistory) + "/" + timestamp;
}

}  // namespace userdata
