// Picking one chapter's verses out of the flat list of verse entries, by scanning it.
//
// This is the reference for chapter selection: every entry that begins with the chapter
// prefix is taken, in list order, with every occurrence of the prefix removed. ChapterIndex
// gives the same lists without the scan.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scripture {

// `text` with every non-overlapping occurrence of `pattern` removed in one left-to-right
// pass (the result is not searched again). An empty pattern removes nothing.
std::string removeEveryOccurrence(std::string_view text, std::string_view pattern);

// The verses of `chapter` of `book`, by a linear scan over `versesInBible`. Any chapter
// number is accepted; a book outside 1-66 gives an empty list.
std::vector<std::string> chapterVersesByScan(const std::vector<std::string>& versesInBible, int book, int chapter);

}  // namespace scripture
