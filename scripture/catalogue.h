// The 66 books of the canon and the fixed text forms of a place in them.
//
// Book numbers are 1-based everywhere; the entry of book b is at index b - 1 of the three
// tables. The tables themselves make no range check: index them only with a number that
// `isValidBook` accepts. Every function below is safe for any int (out-of-range input gives
// an empty name, a zero count or a text built from that empty name), so callers holding
// numbers from a stored record can use them directly.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace scripture {

inline constexpr int kBookCount = 66;

inline constexpr std::array<std::string_view, kBookCount> booksOfBible = {
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy",
    "Joshua", "Judges", "Ruth", "1 Samuel", "2 Samuel",
    "1 Kings", "2 Kings", "1 Chronicles", "2 Chronicles", "Ezra",
    "Nehemiah", "Esther", "Job", "Psalms", "Proverbs",
    "Ecclesiastes", "Song of Solomon", "Isaiah", "Jeremiah", "Lamentations",
    "Ezekiel", "Daniel", "Hosea", "Joel", "Amos",
    "Obadiah", "Jonah", "Micah", "Nahum", "Habakkuk",
    "Zephaniah", "Haggai", "Zechariah", "Malachi", "Matthew",
    "Mark", "Luke", "John", "Acts", "Romans",
    "1 Corinthians", "2 Corinthians", "Galatians", "Ephesians", "Philippians",
    "Colossians", "1 Thessalonians", "2 Thessalonians", "1 Timothy", "2 Timothy",
    "Titus", "Philemon", "Hebrews", "James", "1 Peter",
    "2 Peter", "1 John", "2 John", "3 John", "Jude",
    "Revelation",
};

inline constexpr std::array<std::string_view, kBookCount> booksOfBiblePaths = {
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy",
    "Joshua", "Judges", "Ruth", "1_Samuel", "2_Samuel",
    "1_Kings", "2_Kings", "1_Chronicles", "2_Chronicles", "Ezra",
    "Nehemiah", "Esther", "Job", "Psalms", "Proverbs",
    "Ecclesiastes", "Songs", "Isaiah", "Jeremiah", "Lamentations",
    "Ezekiel", "Daniel", "Hosea", "Joel", "Amos",
    "Obadiah", "Jonah", "Micah", "Nahum", "Habakkuk",
    "Zephaniah", "Haggai", "Zechariah", "Malachi", "Matthew",
    "Mark", "Luke", "John", "Acts", "Romans",
    "1_Corinthians", "2_Corinthians", "Galatians", "Ephesians", "Philippians",
    "Colossians", "1_Thessalonians", "2_Thessalonians", "1_Timothy", "2_Timothy",
    "Titus", "Philemon", "Hebrews", "James", "1_Peter",
    "2_Peter", "1_John", "2_John", "3_John", "Jude",
    "Revelation",
};

inline constexpr std::array<int, kBookCount> numberOfChaptersInBooksOfBible = {
    50, 40, 27, 36, 34, 24, 21, 4, 31, 24, 22, 25, 29, 36, 10, 13, 10, 42, 150, 31, 12, 8,
    66, 52, 5, 48, 12, 14, 3, 9, 1, 4, 7, 3, 3, 3, 2, 14, 4, 28, 16, 24, 21, 28,
    16, 16, 13, 6, 6, 4, 4, 5, 3, 6, 4, 3, 1, 13, 5, 5, 3, 5, 1, 1, 1, 22,
};

// Range checks, cheap enough for every caller that holds a number from outside.
constexpr bool isValidBook(int book) { return book >= 1 && book <= kBookCount; }
constexpr bool isValidChapter(int book, int chapter) {
    return isValidBook(book) && chapter >= 1 && chapter <= numberOfChaptersInBooksOfBible[book - 1];
}

// Checked lookups: an empty view or 0 for a book number outside 1-66.
constexpr std::string_view bookName(int book) { return isValidBook(book) ? booksOfBible[book - 1] : std::string_view{}; }
constexpr std::string_view bookPath(int book) { return isValidBook(book) ? booksOfBiblePaths[book - 1] : std::string_view{}; }
constexpr int chapterCount(int book) { return isValidBook(book) ? numberOfChaptersInBooksOfBible[book - 1] : 0; }

// The book number whose display name is exactly `name`, or 0 when none is.
int bookNumber(std::string_view name);

// Text forms of a place. All take any int; an invalid book contributes an empty name.
std::string chapterPrefix(int book, int chapter);                // "Genesis_1:"
std::string referenceTitle(int book, int chapter, int verse);    // "Genesis 1:1"
std::string chapterTitle(int book, int chapter);                 // "Genesis 1"
std::string verseId(int book, int chapter, int verse);           // "01001001"
std::string websitePath(int book, int chapter, int verse);       // "genesis/1-1.htm"
std::string locationText(int book, int chapter, int verse);      // "1.1.1"

}  // namespace scripture
