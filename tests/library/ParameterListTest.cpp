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
