// Parameter lists: names in any letter case, positions, copies, and the two merges.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "library/ParameterKinds.h"
#include "library/ParameterList.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {
template <class K> std::unique_ptr<Parameter> single(const char* name, typename K::ValueType value) {
    auto made = std::make_unique<K>(String(name));
    made->storeValue(value, 0, 0);
    return made;
}

ParameterList lengths(std::initializer_list<std::pair<const char*, double>> entries) {
    ParameterList list;
    for (const auto& [name, value] : entries)
        list.append(single<LengthParameter>(name, value));
    return list;
}

// Each parameter as "name:type=value".
std::vector<std::string> contents(const ParameterList& list) {
    std::vector<std::string> seen;
    for (uint64_t i = 0; i < list.getCount(); ++i) {
        const Parameter* p = list.at(i);
        seen.push_back(std::string(p->getName().c_str()) + ":" + std::to_string(p->getType()) + "=" +
                       p->getValueText(0, 0).c_str());
    }
    return seen;
}
} // namespace

TEST(ParameterList, FindsNamesInAnyCaseAndPlacesByPosition) {
    ParameterList list;
    EXPECT_EQ(list.indexOf(String("a")), ParameterList::NoIndex);
    EXPECT_THROW(list.first(), std::bad_alloc);
    EXPECT_THROW(list.last(), std::bad_alloc);
    list = lengths({{"A", 1}, {"B", 2}});
    EXPECT_EQ(list.indexOf(String("a")), 0u);
    EXPECT_EQ(list.find(String("b")), list.at(1));
    EXPECT_EQ(list.at(2), nullptr);
    list.replaceAt(single<LengthParameter>("C", 3), 2);
    list.insertAt(single<LengthParameter>("D", 4), 9);
    list.insertAt(single<LengthParameter>("E", 5), 0);
    list.removeAt(7);
    EXPECT_TRUE(list.setValue(LengthSetting(8), String("c"), 0, 0));
    EXPECT_FALSE(list.setValue(LengthSetting(8), String("zz"), 0, 0));
    EXPECT_EQ(list.getValueSetting(String("zz"), 0, 0), nullptr);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"E:2=5", "A:2=1", "B:2=2", "C:2=8", "D:2=4"}));

    const ParameterList copy = list;
    list.find(String("A"))->setValueText(String("9"), 0, 0);
    EXPECT_EQ(copy.find(String("A"))->getValueText(0, 0), String("1"));
}

TEST(ParameterList, MergeByNameTakesTheFirstOfAKindAndKeepsSizesWhenAsked) {
    for (bool keepSizes : {true, false}) {
        SCOPED_TRACE(keepSizes ? "keeping sizes" : "taking sizes");
        ParameterList here = lengths({{"A", 1}, {"B", 1}, {"ZZYZX", 1}, {"zzyzx", 1}, {"w", 1}});
        here.append(single<RealParameter>("real", 1));
        here.append(single<IntegerParameter>("int", 1));
        ParameterList other = lengths({{"a", 9}, {"b", 9}, {"zzyzx", 9}, {"W", 9}, {"w", 8}, {"new", 9}});
        other.append(single<LengthParameter>("real", 9));
        other.append(single<LongParameter>("int", 9));
        here.mergeByName(other, keepSizes, true, true);
        const std::string size = keepSizes ? "=1" : "=9";
        EXPECT_EQ(contents(here),
                  (std::vector<std::string>{"A:2" + size, "B:2" + size, "ZZYZX:2" + size, "zzyzx:2" + size,
                                            "w:2=9", "real:4=1", "int:1=1"}));
    }
}

TEST(ParameterList, MergeChangesReplaysAUsersEdit) {
    ParameterList here = lengths({{"kept", 1}, {"gone", 1}, {"retyped", 1}, {"mine", 1}});
    const ParameterList reference = lengths({{"kept", 1}, {"gone", 1}, {"retyped", 1}});
    ParameterList changed = lengths({{"kept", 5}});
    changed.append(single<RealParameter>("retyped", 2));
    changed.append(single<LengthParameter>("added", 3));
    changed.append(single<LengthParameter>("also", 4));
    here.mergeChanges(changed, reference);
    // Parameters the edit added arrive last to first, as the edit is replayed from its end.
    EXPECT_EQ(contents(here),
              (std::vector<std::string>{"kept:2=5", "retyped:4=2", "mine:2=1", "also:2=4", "added:2=3"}));
}

namespace {
// An array of the rows and columns, cell (r, c) holding first + 10 r + c.
std::unique_ptr<LengthParameter> grid(const char* name, uint64_t rows, uint64_t columns, double first) {
    auto made = std::make_unique<LengthParameter>(String(name), String(), 0, columns, 0, true);
    for (uint64_t r = 0; r < rows; ++r)
        for (uint64_t c = 0; c < columns; ++c)
            made->storeValue(first + 10.0 * double(r) + double(c), r, c);
    return made;
}

// Every cell, row by row.
std::vector<double> cells(const Parameter& parameter) {
    const auto& form = dynamic_cast<const LengthParameter&>(parameter);
    std::vector<double> seen;
    for (uint64_t r = 0; r < form.getRowCount(); ++r)
        for (uint64_t c = 0; c < form.getColumnCount(); ++c)
            seen.push_back(form.getValue(r, c));
    return seen;
}
} // namespace

TEST(ParameterList, MergeOneTakesTheOthersSizeAndItsCellsAllOrTheRowsBelowOrNone) {
    constexpr uint64_t None = ParameterList::NoIndex;
    struct Case {
        const char* what;
        uint64_t row, col;
        bool resizeRows, resizeColumns;
        std::vector<double> cells; // here was 3 x 3 from 100, the other 2 x 2 from 500
    };
    const Case cases[] = {
        {"all", None, None, true, true, {500, 501, 510, 511}},
        {"rows below 0: none of them", 0, None, true, true, {100, 101, 110, 111}},
        {"rows below 1", 1, None, true, true, {500, 501, 110, 111}},
        {"rows below 2", 2, None, true, true, {500, 501, 510, 511}},
        {"rows below 3: the one past the other's cleared", 3, None, true, true, {500, 501, 510, 511, 0, 0}},
        {"a column given: the size alone", 1, 0, true, true, {100, 101, 110, 111}},
        {"rows not to be resized", None, None, false, true, {100, 101, 102, 110, 111, 112, 120, 121, 122}},
        {"columns not to be resized", None, None, true, false, {100, 101, 102, 110, 111, 112, 120, 121, 122}},
    };
    for (const Case& c : cases) {
        ParameterList here;
        here.append(grid("Grid", 3, 3, 100));
        ParameterList other;
        other.append(grid("grid", 1, 1, 900)); // a second parameter of the name is never the one
        other.insertAt(grid("Grid", 2, 2, 500), 0);
        here.mergeOne(other, String("Grid"), c.row, c.col, c.resizeRows, c.resizeColumns);
        EXPECT_EQ(cells(*here.find(String("Grid"))), c.cells) << c.what;
    }
    // A name missing on either side changes nothing.
    ParameterList here;
    here.append(grid("Grid", 2, 2, 100));
    ParameterList other;
    other.append(grid("Other", 1, 1, 500));
    here.mergeOne(other, String("Grid"), None, None, true, true);
    here.mergeOne(other, String("Other"), None, None, true, true);
    EXPECT_EQ(cells(*here.find(String("Grid"))), (std::vector<double>{100, 101, 110, 111}));
    EXPECT_EQ(here.getCount(), 1u);
}
