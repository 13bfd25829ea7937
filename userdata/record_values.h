#pragma once
// Typed reads of user-record values. A value of another kind than the one asked for reads as
// missing, and a missing key reads as the record's default; nothing is reported.
//
// - whole number: any numeric value that is exactly whole and fits an int (3 and 3.0, not
//   3.5, not "3", not true);
// - floating-point number: any numeric value;
// - text: only text, never converted from a number;
// - list of text: a list whose every element is text;
// - keyed map: a map (lists are not maps).
#include <optional>
#include <string>
#include <vector>

#include "platform/value.h"

namespace userdata {

using platform::Value;

std::optional<int> wholeNumberValue(const Value& v);
std::optional<double> numberValue(const Value& v);
std::optional<std::string> textValue(const Value& v);
std::optional<bool> flagValue(const Value& v);
std::optional<std::vector<std::string>> textListValue(const Value& v);
bool isKeyedMap(const Value& v);

// The child `key` of a keyed map; a null value when `map` is not a map or lacks the key.
const Value& child(const Value& map, const std::string& key);

// A decimal whole number as the record's texts hold it ("12", "-3", "+4"): an optional sign
// and digits only, within int range. Anything else (blank, "3x", " 3", "") is nothing.
std::optional<int> parseWholeNumber(const std::string& text);

// Reads of the record's keys with their defaults.
struct RecordDefaults {
    static constexpr bool night = false;
    static constexpr int currentBook = 1;
    static constexpr int currentChapter = 1;
    static constexpr int currentVerse = 1;
    static constexpr double currentFontSize = 18;
    static inline const std::string text;  // username, email, bottomNavigationMode, currentPage
    static inline const std::string currentFontFamily = "Poppins-Regular";
    static inline const std::vector<std::string> selectedVerses = {"x"};
};

bool readFlag(const Value& record, const std::string& key, bool fallback);
int readWholeNumber(const Value& record, const std::string& key, int fallback);
double readNumber(const Value& record, const std::string& key, double fallback);
std::string readText(const Value& record, const std::string& key, const std::string& fallback);
std::vector<std::string> readTextList(const Value& record, const std::string& key,
                                      const std::vector<std::string>& fallback);

}  // namespace userdata
