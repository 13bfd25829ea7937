// Typed reads of record values: a value of another kind reads as the key's default.
#include <gtest/gtest.h>

#include "userdata/record_paths.h"
#include "userdata/record_values.h"

namespace reading_test {
namespace {

using platform::Value;
using namespace userdata;

TEST(RecordValues, WholeNumbersAcceptExactlyWholeNumericValuesOnly) {
    const std::pair<Value, std::optional<int>> cases[] = {
        {Value(5), 5},         {Value(5.0), 5},      {Value(-3), -3},        {Value(5.5), std::nullopt},
        {Value("5"), std::nullopt}, {Value(true), std::nullopt}, {Value(), std::nullopt},
        {Value(1e12), std::nullopt}, {Value(std::uint64_t{1} << 40), std::nullopt},
        {Value::array({5}), std::nullopt},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(wholeNumberValue(value), expected) << value.dump();
}

TEST(RecordValues, OtherKindsReadOnlyFromTheirOwnKind) {
    EXPECT_EQ(numberValue(Value(18)), 18.0);
    EXPECT_EQ(numberValue(Value(24.5)), 24.5);
    EXPECT_EQ(numberValue(Value("24")), std::nullopt);
    EXPECT_EQ(textValue(Value("bible")), "bible");
    EXPECT_EQ(textValue(Value(3)), std::nullopt);
    EXPECT_EQ(flagValue(Value(false)), false);
    EXPECT_EQ(flagValue(Value(0)), std::nullopt);
    EXPECT_EQ(textListValue(Value::array({"3", "10"})), (std::vector<std::string>{"3", "10"}));
    EXPECT_EQ(textListValue(Value::array({"3", 10})), std::nullopt);
    EXPECT_EQ(textListValue(Value("x")), std::nullopt);
    EXPECT_TRUE(isKeyedMap(Value::object()));
    EXPECT_FALSE(isKeyedMap(Value::array()));
}

TEST(RecordValues, KeysReadAsTheirDefaultsWhenMissingOrOfAnotherKind) {
    const Value record = {{"currentBook", "5"}, {"currentChapter", 3.0}, {"night", "true"},
                          {"currentFontSize", 24.0}, {"selectedVerses", {"1", 2}}, {"currentPage", "bible"}};
    EXPECT_EQ(readWholeNumber(record, "currentBook", RecordDefaults::currentBook), 1);
    EXPECT_EQ(readWholeNumber(record, "currentChapter", RecordDefaults::currentChapter), 3);
    EXPECT_EQ(readWholeNumber(record, "currentVerse", RecordDefaults::currentVerse), 1);
    EXPECT_EQ(readFlag(record, "night", RecordDefaults::night), false);
    EXPECT_EQ(readNumber(record, "currentFontSize", RecordDefaults::currentFontSize), 24.0);
    EXPECT_EQ(readText(record, "currentFontFamily", RecordDefaults::currentFontFamily), "Poppins-Regular");
    EXPECT_EQ(readText(record, "currentPage", RecordDefaults::text), "bible");
    EXPECT_EQ(readTextList(record, "selectedVerses", RecordDefaults::selectedVerses), std::vector<std::string>{"x"});
    EXPECT_EQ(readWholeNumber(Value("not a map"), "currentBook", 1), 1);
}

TEST(RecordValues, DecimalTextsParseStrictly) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"12", 12}, {"-3", -3}, {"+4", 4}, {"0", 0},
        {"", std::nullopt}, {"x", std::nullopt}, {"3x", std::nullopt}, {" 3", std::nullopt},
        {"3 ", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt}, {"+-1", std::nullopt},
        {"2.5", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (auto [text, expected] : cases) EXPECT_EQ(parseWholeNumber(text), expected) << '"' << text << '"';
}

TEST(RecordPaths, AreBuiltByConcatenation) {
    EXPECT_EQ(recordPath("u1", kCurrentBook), "users/u1/currentBook");
    EXPECT_EQ(highlightsOfChapter("u1", 43, 3), "users/u1/highlights/43/3");
    EXPECT_EQ(highlightMarkerOfBook("u1", 43), "users/u1/highlights/43/\"\"");
    EXPECT_EQ(historyEntry("u1", "1765432100"), "users/u1/history/1765432100");
}

}  // namespace
}  // namespace reading_test
