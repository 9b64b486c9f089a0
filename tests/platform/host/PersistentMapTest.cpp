// The stand-in's shared-node maps: the ordered one (PersistentMap) and the hashed one by Guid
// (GuidTable). Each is checked against a std::map given the same changes, and copies are checked
// to keep what they held while the other side changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "platform/host/GuidTable.h"
#include "platform/host/PersistentMap.h"

using namespace zavhost;

namespace {

using Map = PersistentMap<int, int>;

std::vector<std::pair<int, int>> entriesOf(const Map& map) {
    return std::vector<std::pair<int, int>>(map.begin(), map.end());
}

std::vector<std::pair<int, int>> entriesOf(const std::map<int, int>& map) {
    return std::vector<std::pair<int, int>>(map.begin(), map.end());
}

API_Guid guidOf(uint64_t n) {
    return API_Guid::fromHalves(n * 0x9E3779B97F4A7C15ull + 1, n);
}

} // namespace

TEST(PersistentMap, FollowsAStdMapThroughRandomInsertsAssignsAndErases) {
    Map map;
    std::map<int, int> expected;
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        const int key = static_cast<int>(random() % 3000);
        switch (random() % 4) {
        case 0:
            EXPECT_EQ(map.insert(key, round), expected.emplace(key, round).second);
            break;
        case 1:
            map.assign(key, round);
            expected[key] = round;
            break;
        case 2:
            map[key] += 1;
            expected[key] += 1;
            break;
        default:
            EXPECT_EQ(map.erase(key), expected.erase(key));
        }
        ASSERT_EQ(map.last() == nullptr, expected.empty());
        if (!expected.empty()) {
            ASSERT_EQ(*map.last(), std::make_pair(expected.rbegin()->first, expected.rbegin()->second))
                << round;
        }
    }
    EXPECT_EQ(map.size(), expected.size());
    EXPECT_EQ(entriesOf(map), entriesOf(expected));
    for (int key = -1; key <= 3000; ++key) {
        const int* held = map.get(key);
        auto it = expected.find(key);
        ASSERT_EQ(held != nullptr, it != expected.end()) << key;
        if (held != nullptr) {
            EXPECT_EQ(*held, it->second);
        }
        auto bound = map.lower_bound(key);
        auto wanted = expected.lower_bound(key);
        ASSERT_EQ(bound == map.end(), wanted == expected.end()) << key;
        if (wanted != expected.end()) {
            EXPECT_EQ(bound->first, wanted->first);
        }
    }
}

TEST(PersistentMap, ErasingEverythingInAnyOrderLeavesAnEmptyMapThatStillWorks) {
    Map map;
    std::vector<int> keys(5000);
    for (int i = 0; i < 5000; ++i)
        keys[i] = i;
    for (int key : keys)
        ASSERT_TRUE(map.insert(key, key * 2));
    std::shuffle(keys.begin(), keys.end(), std::mt19937(3));
    for (size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(map.erase(keys[i]), 1u);
        if (i % 997 == 0) {
            ASSERT_EQ(map.size(), keys.size() - i - 1);
        }
    }
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(map.begin(), map.end());
    EXPECT_EQ(map.erase(1), 0u);
    EXPECT_TRUE(map.insert(1, 2));
    EXPECT_EQ(entriesOf(map), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(PersistentMap, RefusesAKeyItHoldsAndHandsNothingOutForOneItLacks) {
    Map map;
    EXPECT_TRUE(map.insert(4, 40));
    EXPECT_FALSE(map.insert(4, 41));
    EXPECT_EQ(*map.get(4), 40);
    EXPECT_EQ(map.edit(5), nullptr);
    EXPECT_EQ(map.get(5), nullptr);
    EXPECT_EQ(map.find(5), map.end());
    EXPECT_EQ(map[6], 0); // made value-initialised
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(map.count(6), 1u);
}

TEST(PersistentMap, ACopyKeepsWhatItHeldWhateverTheOtherSideDoes) {
    Map map;
    for (int i = 0; i < 4000; ++i)
        map.insert(i, i);
    const Map copy = map;
    const auto held = entriesOf(copy);
    for (int i = 0; i < 4000; i += 3)
        map.erase(i);
    for (int i = 1; i < 4000; i += 3)
        *map.edit(i) = -i;
    for (int i = 4000; i < 6000; ++i)
        map.insert(i, i);
    EXPECT_EQ(entriesOf(copy), held);
    EXPECT_EQ(copy.size(), 4000u);

    // And the other way round: changing the copy leaves the first alone.
    Map second = copy;
    const auto changed = entriesOf(map);
    second.assign(2, 99);
    second.erase(5);
    EXPECT_EQ(entriesOf(map), changed);
    EXPECT_EQ(entriesOf(copy), held);
    EXPECT_FALSE(second == copy);
    EXPECT_TRUE(Map(copy) == copy);
}

TEST(PersistentMap, DifferencesNameEachChangedKeyInOrderWithWhatEachSideHolds) {
    Map before;
    for (int i = 0; i < 3000; ++i)
        before.insert(i * 2, i);
    Map after = before;
    after.erase(10);
    after.assign(20, -1);
    after.insert(21, 7);
    after.insert(9999, 1);
    after.assign(30, 15);                         // the same value again: no difference
    std::vector<std::tuple<int, int, int>> found; // key, before (or -99), after (or -99)
    Map::differences(
        before, after,
        [&](int key, const int* was, const int* is) {
            found.emplace_back(key, was ? *was : -99, is ? *is : -99);
        },
        [](int a, int b) { return a == b; });
    EXPECT_EQ(found, (std::vector<std::tuple<int, int, int>>{
                         {10, 5, -99}, {20, 10, -1}, {21, -99, 7}, {9999, -99, 1}}));
}

TEST(PersistentMap, DifferencesPassOverWhatTwoVersionsShare) {
    Map before;
    for (int i = 0; i < 20000; ++i)
        before.insert(i, i);
    Map after = before;
    after.assign(12345, 0);
    size_t compared = 0;
    size_t reported = 0;
    Map::differences(
        before, after, [&](int, const int*, const int*) { ++reported; },
        [&](int a, int b) { return ++compared, a == b; });
    EXPECT_EQ(reported, 1u);
    // The changed leaf's entries at most, not the 20000 the two hold.
    EXPECT_LE(compared, 64u);
}

TEST(GuidTable, FollowsAStdMapThroughRandomInsertsAssignsAndErases) {
    GuidTable<int> table;
    std::map<uint64_t, int> expected;
    std::mt19937_64 random(11);
    for (int round = 0; round < 30000; ++round) {
        const uint64_t n = random() % 8000;
        switch (random() % 3) {
        case 0:
            EXPECT_EQ(table.insert(guidOf(n), round), expected.emplace(n, round).second);
            break;
        case 1:
            table.assign(guidOf(n), round);
            expected[n] = round;
            break;
        default:
            EXPECT_EQ(table.erase(guidOf(n)), expected.erase(n));
        }
    }
    EXPECT_EQ(table.size(), expected.size());
    for (uint64_t n = 0; n < 8000; ++n) {
        const int* held = table.get(guidOf(n));
        auto it = expected.find(n);
        ASSERT_EQ(held != nullptr, it != expected.end()) << n;
        if (held != nullptr) {
            EXPECT_EQ(*held, it->second);
        }
    }
    size_t visited = 0;
    table.forEach([&](const API_Guid&, int) { ++visited; });
    EXPECT_EQ(visited, expected.size());
}

TEST(GuidTable, ErasingKeepsTheRestFindableAndEmptiesWhole) {
    GuidTable<int> table;
    for (uint64_t n = 0; n < 20000; ++n)
        ASSERT_TRUE(table.insert(guidOf(n), static_cast<int>(n)));
    for (uint64_t n = 0; n < 20000; n += 2)
        ASSERT_EQ(table.erase(guidOf(n)), 1u);
    for (uint64_t n = 1; n < 20000; n += 2)
        ASSERT_NE(table.get(guidOf(n)), nullptr) << n;
    for (uint64_t n = 1; n < 20000; n += 2)
        ASSERT_EQ(table.erase(guidOf(n)), 1u);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.get(guidOf(1)), nullptr);
}

TEST(GuidTable, RefusesTheNullGuidAndATakenOne) {
    GuidTable<int> table;
    EXPECT_FALSE(table.insert(API_Guid(), 1));
    EXPECT_EQ(table.get(API_Guid()), nullptr);
    EXPECT_TRUE(table.insert(guidOf(1), 1));
    EXPECT_FALSE(table.insert(guidOf(1), 2));
    EXPECT_EQ(*table.get(guidOf(1)), 1);
    EXPECT_EQ(table.edit(guidOf(2)), nullptr);
    EXPECT_EQ(table.erase(guidOf(2)), 0u);
}

TEST(GuidTable, ACopyKeepsWhatItHeldWhateverTheOtherSideDoes) {
    GuidTable<int> table;
    for (uint64_t n = 0; n < 3000; ++n)
        table.insert(guidOf(n), 1);
    const GuidTable<int> copy = table;
    for (uint64_t n = 0; n < 3000; n += 2)
        table.erase(guidOf(n));
    for (uint64_t n = 1; n < 3000; n += 2)
        *table.edit(guidOf(n)) = 2;
    table.insert(guidOf(5000), 3);
    EXPECT_EQ(copy.size(), 3000u);
    for (uint64_t n = 0; n < 3000; ++n)
        ASSERT_EQ(*copy.get(guidOf(n)), 1) << n;
    EXPECT_EQ(copy.get(guidOf(5000)), nullptr);
    EXPECT_FALSE(copy == table);
    EXPECT_TRUE(GuidTable<int>(copy) == copy);
}
