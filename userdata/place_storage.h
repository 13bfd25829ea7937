#pragma once
// The place and its history in the user record: after every move the three place keys are
// written and a history entry is added, unless the place equals the newest entry.
#include <string>

#include "platform/database.h"

namespace userdata {

// The history key for a moment: whole seconds since 1970, fractions cut off, in decimal.
std::string historyKey(double secondsSince1970);

// Whether a move to the place with location text `location` adds a history entry, given the
// history's newest child. There is no newest location when the history is missing, not a map,
// empty or holds a value that is not text; then every move adds an entry.
bool historyNeedsEntry(const platform::NewestChild& newest, const std::string& location);

// Writes "/currentBook", "/currentChapter", "/currentVerse" of the user's record, then reads the
// newest history entry once and adds "/history/<key of now>" = "book.chapter.verse" when due.
// The place and the time are fixed at the call. Nothing is written when `uid` is empty or
// `root` names no database.
void storeLocation(const platform::DatabaseReference& root, const std::string& uid, int book, int chapter,
                   int verse, double now);

}  // namespace userdata
