// The shared value tree: shape rules, refused writes, change detection and the newest child.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "services/tree/observer_index.h"
#include "services/tree/tree.h"
#include "services/tree/tree_builder.h"

namespace {

using platform::Value;
using services::tree::ObserverIndex;
using services::tree::parsePath;
using services::tree::Path;
using services::tree::Tree;

Path P(const std::string& text) {
    auto path = parsePath(text);
    EXPECT_TRUE(path) << text;
    return path.value_or(Path{});
}

void set(Tree& tree, const std::string& path, const Value& v) { EXPECT_FALSE(tree.set(P(path), v).refused) << path; }
void remove(Tree& tree, const std::string& path) { tree.remove(P(path)); }
void update(Tree& tree, const std::string& path, const Value& children) {
    EXPECT_FALSE(tree.update(P(path), children.get<platform::ValueMap>()).refused);
}

struct ShapeCase {
    const char* name;
    std::function<void(Tree&)> writes;
    Value expected;  // the whole tree
};

class TreeShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(TreeShapes, WritesLeaveTheTreeInTheExpectedShape) {
    Tree tree;
    GetParam().writes(tree);
    const Value actual = tree.valueAt({});
    EXPECT_EQ(actual, GetParam().expected) << actual.dump();
    EXPECT_EQ(actual.dump(), GetParam().expected.dump());  // also tells a list from a map
}

const Value kQuoteKey = "\"\"";  // the highlight marker's key: two double-quote characters

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeShapes,
    ::testing::Values(
        ShapeCase{"ListWrittenWhole", [](Tree& t) { set(t, "s", Value::array({"x"})); }, Value::parse(R"({"s":["x"]})")},
        ShapeCase{"ChildZeroOfMissingNodeMakesAList", [](Tree& t) { set(t, "s/0", "x"); },
                  Value::parse(R"({"s":["x"]})")},
        ShapeCase{"NextIndexAppends", [](Tree& t) { set(t, "s/0", "a"); set(t, "s/1", "b"); },
                  Value::parse(R"({"s":["a","b"]})")},
        ShapeCase{"IndexBeyondTheNextMakesAMap",
                  [](Tree& t) { set(t, "s", Value::array({"a", "b"})); set(t, "s/5", "c"); },
                  Value::parse(R"({"s":{"0":"a","1":"b","5":"c"}})")},
        ShapeCase{"NonIndexKeyMakesAMap", [](Tree& t) { set(t, "s", Value::array({"a"})); set(t, "s/k", "c"); },
                  Value::parse(R"({"s":{"0":"a","k":"c"}})")},
        ShapeCase{"RemovingTheLastElementKeepsAList",
                  [](Tree& t) { set(t, "s", Value::array({"a", "b"})); remove(t, "s/1"); },
                  Value::parse(R"({"s":["a"]})")},
        ShapeCase{"RemovingAnEarlierElementMakesAMap",
                  [](Tree& t) { set(t, "s", Value::array({"a", "b"})); remove(t, "s/0"); },
                  Value::parse(R"({"s":{"1":"b"}})")},
        ShapeCase{"DecimalKeysUnderAMissingNodeMakeAMap", [](Tree& t) { set(t, "h/43/3", "16"); },
                  Value::parse(R"({"h":{"43":{"3":"16"}}})")},
        ShapeCase{"HighlightMarkerKeyIsOrdinary",
                  [](Tree& t) {
                      set(t, "h/43/3", "3,7,12");
                      set(t, "h/43/\"\"", "");
                      set(t, "h/66/1", "5");
                      update(t, "h/66", {{"\"\"", ""}});
                  },
                  Value::parse(R"({"h":{"43":{"\"\"":"","3":"3,7,12"},"66":{"\"\"":"","1":"5"}}})")},
        ShapeCase{"UpdateWithIndexKeysUnderMissingNodeBuildsAList",
                  [](Tree& t) {
                      Value children = Value::object();
                      for (int i = 0; i <= 10; ++i) children[std::to_string(i)] = i;
                      update(t, "l", children);
                  },
                  Value::parse(R"({"l":[0,1,2,3,4,5,6,7,8,9,10]})")},
        ShapeCase{"UpdateChangesOnlyTheNamedChildren",
                  [](Tree& t) {
                      set(t, "r", {{"a", 1}, {"b", 2}, {"c", 3}});
                      update(t, "r", {{"b", 20}, {"c", nullptr}, {"d", 4}});
                  },
                  Value::parse(R"({"r":{"a":1,"b":20,"d":4}})")},
        ShapeCase{"RemovingTheLastChildRemovesEmptyParents",
                  [](Tree& t) { set(t, "users/u/history/1", "1.1.1"); remove(t, "users/u/history/1"); }, Value()},
        ShapeCase{"ClearedNodeCanBeWrittenAgain",
                  [](Tree& t) {
                      set(t, "u/h/43/3", "16");
                      remove(t, "u/h");
                      set(t, "u/h/1/1", "1");
                  },
                  Value::parse(R"({"u":{"h":{"1":{"1":"1"}}}})")},
        ShapeCase{"WritingBelowAScalarReplacesIt", [](Tree& t) { set(t, "a", true); set(t, "a/b", 1); },
                  Value::parse(R"({"a":{"b":1}})")},
        ShapeCase{"ListWithAGapBecomesAMap", [](Tree& t) { set(t, "l", Value::parse("[1,null,3,null]")); },
                  Value::parse(R"({"l":{"0":1,"2":3}})")},
        ShapeCase{"EmptyContainersAreAbsent",
                  [](Tree& t) { set(t, "a", Value::parse(R"({"x":{},"y":[],"z":null})")); }, Value()},
        ShapeCase{"NumbersKeepTheirKind",
                  [](Tree& t) {
                      set(t, "i", 18);
                      set(t, "f", 24.0);
                      set(t, "u", 7u);
                      set(t, "big", std::numeric_limits<std::uint64_t>::max());
                  },
                  Value::parse(R"({"big":18446744073709551615,"f":24.0,"i":18,"u":7})")},
        ShapeCase{"RootCanBeReplaced", [](Tree& t) { set(t, "a", 1); set(t, "", {{"b", 2}}); },
                  Value::parse(R"({"b":2})")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TreeNumbers, WholeAndFloatingPointNumbersStayDistinct) {
    Tree tree;
    set(tree, "size", 18);
    EXPECT_TRUE(tree.valueAt(P("size")).is_number_integer());
    EXPECT_FALSE(tree.valueAt(P("size")).is_number_float());
    // 18 and 18.0 are different values: replacing one with the other is a change.
    EXPECT_TRUE(tree.set(P("size"), 18.0).effects.changed());
    EXPECT_TRUE(tree.valueAt(P("size")).is_number_float());
    EXPECT_FALSE(tree.set(P("size"), 18.0).effects.changed());
    // Unsigned whole numbers read back like signed ones.
    set(tree, "n", 5u);
    EXPECT_EQ(tree.valueAt(P("n")).type(), Value(5).type());
}

TEST(TreePaths, EmptySegmentsAndBadTextAreRefused) {
    for (const char* bad : {"users//x", "/users", "users/", "/", "a/\xff"}) EXPECT_FALSE(parsePath(bad)) << bad;
    EXPECT_EQ(parsePath("users/\"\"/x")->at(1), "\"\"");
    EXPECT_TRUE(parsePath("")->empty());
    std::string deep = "k";
    for (std::size_t i = 1; i < services::tree::kMaxDepth; ++i) deep += "/k";
    EXPECT_TRUE(parsePath(deep));
    EXPECT_FALSE(parsePath(deep + "/k"));
}

TEST(TreeWrites, ValuesTheTreeCannotHoldAreRefusedWhole) {
    Tree tree;
    set(tree, "keep", "me");
    const Value before = tree.valueAt({});
    Value tooDeep = 1;
    for (int i = 0; i < 70; ++i) tooDeep = Value::array({tooDeep});
    const std::vector<Value> refused = {
        {{"ok", 1}, {"a/b", 2}},                       // key with "/"
        {{"ok", 1}, {"", 2}},                          // empty key
        {{"n", std::nan("")}},                         // not finite
        {{"n", std::numeric_limits<double>::infinity()}},
        Value("\xc3\x28"),                             // not UTF-8
        Value::binary({1, 2, 3}),
        tooDeep,
    };
    for (const auto& value : refused) {
        auto result = tree.set(P("keep"), value);
        EXPECT_TRUE(result.refused) << value.dump(-1, ' ', false, Value::error_handler_t::replace);
        EXPECT_FALSE(result.problem.empty());
        EXPECT_EQ(tree.valueAt({}), before);
    }
    EXPECT_TRUE(tree.update(P("keep2"), {{"a/b", 1}}).refused);
    EXPECT_TRUE(tree.update(P("keep2"), {{"fine", 1}, {"bad", std::nan("")}}).refused);
    EXPECT_EQ(tree.valueAt({}), before);
}

// Which observers a write reaches.
struct ChangeCase {
    const char* name;
    Value initial;
    std::function<services::tree::WriteResult(Tree&)> write;
    std::vector<std::string> reached;
};

class TreeChangeDetection : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(TreeChangeDetection, OnlyObserversWhoseValueChangedAreReached) {
    const std::vector<std::string> observed = {"",          "users",         "users/u",  "users/u/night",
                                               "users/u/email", "users/v",   "users/u/list", "users/u/list/0",
                                               "users/u/list/1", "users/u/missing"};
    Tree tree;
    tree.set({}, GetParam().initial);
    ObserverIndex index;
    for (std::size_t i = 0; i < observed.size(); ++i) index.add(i + 1, observed[i]);

    auto result = GetParam().write(tree);
    std::vector<std::string> reached;
    for (auto id : index.affected(tree, result.effects)) reached.push_back(observed[id - 1]);
    EXPECT_EQ(reached, GetParam().reached);
}

const Value kRecord = Value::parse(
    R"({"users":{"u":{"night":false,"email":"a@b.co","list":["x","y"]},"v":{"night":true}}})");

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeChangeDetection,
    ::testing::Values(
        ChangeCase{"SameValueReachesNobody", kRecord, [](Tree& t) { return t.set(P("users/u/night"), false); }, {}},
        ChangeCase{"SameListBothWaysReachesNobody", kRecord,
                   [](Tree& t) { return t.set(P("users/u/list/0"), "x"); }, {}},
        ChangeCase{"ChangedLeafReachesItsAncestors", kRecord,
                   [](Tree& t) { return t.set(P("users/u/night"), true); },
                   {"", "users", "users/u", "users/u/night"}},
        ChangeCase{"ReplacingARecordReachesOnlyChangedDescendants", kRecord,
                   [](Tree& t) {
                       return t.set(P("users/u"), Value::parse(R"({"night":true,"email":"a@b.co","list":["x","z"]})"));
                   },
                   {"", "users", "users/u", "users/u/night", "users/u/list", "users/u/list/1"}},
        ChangeCase{"UpdateReachesOnlyChangedChildren", kRecord,
                   [](Tree& t) { return t.update(P("users/u"), {{"night", false}, {"email", "new@b.co"}}); },
                   {"", "users", "users/u", "users/u/email"}},
        ChangeCase{"ListTurningIntoAMapKeepsElementValues", kRecord,
                   [](Tree& t) { return t.remove(P("users/u/list/0")); },
                   {"", "users", "users/u", "users/u/list", "users/u/list/0"}},
        ChangeCase{"RemovingANodeReachesObserversBelowIt", kRecord, [](Tree& t) { return t.remove(P("users/u")); },
                   {"", "users", "users/u", "users/u/night", "users/u/email", "users/u/list", "users/u/list/0",
                    "users/u/list/1"}},
        ChangeCase{"WholeNumberToFloatIsAChange", Value::parse(R"({"users":{"u":{"night":18}}})"),
                   [](Tree& t) { return t.set(P("users/u/night"), 18.0); },
                   {"", "users", "users/u", "users/u/night"}},
        ChangeCase{"RootWriteComparesEveryObserver", kRecord,
                   [](Tree& t) {
                       Value changed = kRecord;
                       changed["users"]["v"]["night"] = false;
                       return t.set({}, changed);
                   },
                   {"", "users", "users/v"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TreeNewestChild, GreatestKeyAsTextAndWhetherEveryValueIsText) {
    Tree tree;
    EXPECT_FALSE(tree.newestChild(P("h")).isMap);
    set(tree, "h/1765432100", "1.1.1");
    set(tree, "h/1765432200", "1.1.2");
    set(tree, "h/999", "9.9.9");  // greater than "1765432200" as text
    auto newest = tree.newestChild(P("h"));
    EXPECT_TRUE(newest.isMap);
    EXPECT_TRUE(newest.allText);
    EXPECT_EQ(newest.key, "999");
    EXPECT_EQ(newest.value, "9.9.9");

    // One value that is not text is remembered until it is replaced or removed.
    set(tree, "h/1765432150", 5);
    EXPECT_FALSE(tree.newestChild(P("h")).allText);
    set(tree, "h/1765432150/x", "now a map");
    EXPECT_FALSE(tree.newestChild(P("h")).allText);
    set(tree, "h/1765432150", "text again");
    EXPECT_TRUE(tree.newestChild(P("h")).allText);
    set(tree, "h/1765432150", Value::array({"a"}));
    remove(tree, "h/1765432150");
    EXPECT_TRUE(tree.newestChild(P("h")).allText);

    set(tree, "s", "scalar");
    EXPECT_FALSE(tree.newestChild(P("s")).isMap);

    Value eleven = Value::array();
    for (int i = 0; i < 11; ++i) eleven.push_back(std::to_string(i));
    set(tree, "l", eleven);
    newest = tree.newestChild(P("l"));
    EXPECT_TRUE(newest.isMap);
    EXPECT_EQ(newest.key, "9");  // "9" > "10" as text
    EXPECT_EQ(newest.value, "9");
}

TEST(TreeBuilderFromRows, RebuildsShapesAndSettlesConflicts) {
    services::tree::TreeBuilder builder;
    builder.addScalar(P("s/1"), "b");
    builder.markList(P("s"));
    builder.addScalar(P("s/0"), "a");
    builder.markList(P("gap"));
    builder.addScalar(P("gap/0"), 1);
    builder.addScalar(P("gap/2"), 3);
    builder.addScalar(P("c"), "scalar that loses");
    builder.addScalar(P("c/x"), 1);
    builder.addScalar(P("d/x"), 2);
    builder.addScalar(P("d"), "scalar that loses too");
    builder.markList(P("nothing/here"));
    Tree tree;
    tree.reset(builder.finish());
    EXPECT_EQ(tree.valueAt({}).dump(), R"({"c":{"x":1},"d":{"x":2},"gap":{"0":1,"2":3},"s":["a","b"]})");
    EXPECT_EQ(builder.droppedScalars(), 2u);
    // Counts are right after building, too.
    EXPECT_TRUE(tree.newestChild(P("s")).allText);
    EXPECT_FALSE(tree.newestChild(P("gap")).allText);
}

}  // namespace
