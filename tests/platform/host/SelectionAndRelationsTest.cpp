// A database's selection (order kept, found by Guid) and the relations between elements (found
// from either end).
#include <gtest/gtest.h>

#include <vector>

#include "platform/host/ElementRelations.h"
#include "platform/host/Selection.h"

using namespace zavhost;

namespace {

API_Guid guidOf(uint32_t n) {
    return API_Guid{{n, 0, 0, 7}};
}

HostSelectionRecord recordOf(uint32_t n, uint32_t part = 1) {
    HostSelectionRecord record;
    record.guid = guidOf(n);
    record.selectionKind = 1;
    record.partIndex = part;
    return record;
}

// Each record as (Guid number, part index), in order.
std::vector<std::pair<uint32_t, uint32_t>> listed(const Selection& selection) {
    std::vector<std::pair<uint32_t, uint32_t>> found;
    for (const HostSelectionRecord& record : selection)
        found.emplace_back(record.guid.words[0], record.partIndex);
    return found;
}

} // namespace

TEST(Selection, KeepsTheOrderSelectedAndTakesAGuidAwayWithEachOfItsRecords) {
    Selection selection;
    for (uint32_t n : {5, 3, 9, 1})
        selection.push_back(recordOf(n));
    selection.push_back(recordOf(3, 2)); // selected again: twice
    EXPECT_EQ(selection.size(), 5u);
    EXPECT_TRUE(selection.contains(guidOf(3)));
    EXPECT_FALSE(selection.contains(guidOf(4)));

    EXPECT_EQ(selection.remove(guidOf(3)), 2u);
    EXPECT_EQ(selection.remove(guidOf(3)), 0u);
    EXPECT_FALSE(selection.contains(guidOf(3)));
    EXPECT_EQ(listed(selection), (std::vector<std::pair<uint32_t, uint32_t>>{{5, 1}, {9, 1}, {1, 1}}));

    selection.push_back(recordOf(3, 4)); // back, at the end
    EXPECT_EQ(listed(selection),
              (std::vector<std::pair<uint32_t, uint32_t>>{{5, 1}, {9, 1}, {1, 1}, {3, 4}}));
    const std::vector<HostSelectionRecord> block = selection.records();
    ASSERT_EQ(block.size(), 4u);
    EXPECT_EQ(block[3].guid, guidOf(3));
    EXPECT_EQ(block[3].partIndex, 4u);
}

TEST(Selection, RemovesWhatThePredicateNamesAndAssignsAndClearsWhole) {
    Selection selection;
    selection.assign({recordOf(1), recordOf(2), recordOf(3), recordOf(2, 5)});
    HostSelectionRecord nameless;
    selection.push_back(nameless); // listed, never found by its null Guid
    EXPECT_EQ(selection.size(), 5u);
    EXPECT_FALSE(selection.contains(API_Guid()));
    selection.removeIf([](const API_Guid& guid) { return guid == guidOf(2) || guid.isNull(); });
    EXPECT_EQ(listed(selection), (std::vector<std::pair<uint32_t, uint32_t>>{{1, 1}, {3, 1}}));

    selection.assign({recordOf(7)});
    EXPECT_EQ(listed(selection), (std::vector<std::pair<uint32_t, uint32_t>>{{7, 1}}));
    EXPECT_FALSE(selection.contains(guidOf(1)));
    selection.clear();
    EXPECT_TRUE(selection.empty());
    EXPECT_FALSE(selection.contains(guidOf(7)));
    EXPECT_EQ(selection.begin(), selection.end());
}

TEST(Selection, TakingMostRecordsAwayKeepsTheRestInOrderAndFoundWithTheirRepeats) {
    Selection selection;
    for (uint32_t n = 1; n <= 100; ++n)
        selection.push_back(recordOf(n));
    for (uint32_t n = 1; n <= 100; n += 10)
        selection.push_back(recordOf(n, 2)); // each tenth selected twice
    for (uint32_t n = 1; n <= 100; ++n)
        if (n % 10 != 1 && n % 7 != 0) {
            ASSERT_EQ(selection.remove(guidOf(n)), 1u) << n;
        }
    std::vector<std::pair<uint32_t, uint32_t>> expected;
    for (uint32_t n = 1; n <= 100; ++n)
        if (n % 10 == 1 || n % 7 == 0) expected.emplace_back(n, 1);
    for (uint32_t n = 1; n <= 100; n += 10)
        expected.emplace_back(n, 2);
    EXPECT_EQ(listed(selection), expected);
    EXPECT_EQ(selection.size(), expected.size());
    EXPECT_EQ(selection.records().size(), expected.size());
    EXPECT_EQ(selection.remove(guidOf(21)), 2u); // both its records, wherever they are now
    EXPECT_TRUE(selection.contains(guidOf(14)));
    EXPECT_FALSE(selection.contains(guidOf(21)));
    EXPECT_FALSE(selection.contains(guidOf(2)));
}

TEST(ElementRelations, AnElementIsFoundFromEitherEndAndForgottenAtBoth) {
    RelationMap<uint32_t> links;
    links.set({guidOf(1), guidOf(2)}, 5);
    links.set({guidOf(1), guidOf(3)}, 6);
    links.set({guidOf(4), guidOf(2)}, 7);
    links.set({guidOf(3), guidOf(1)}, 8);
    links.set({guidOf(1), guidOf(2)}, 9); // set again: one entry, the new value
    EXPECT_EQ(links.size(), 4u);
    EXPECT_EQ(*links.find({guidOf(1), guidOf(2)}), 9u);
    EXPECT_EQ(links.othersOf(guidOf(1)), (std::vector<API_Guid>{guidOf(2), guidOf(3)}));
    EXPECT_EQ(links.elementsNaming(guidOf(2)), (std::vector<API_Guid>{guidOf(1), guidOf(4)}));
    EXPECT_FALSE(links.add({guidOf(4), guidOf(2)}, 1));
    EXPECT_EQ(*links.find({guidOf(4), guidOf(2)}), 7u);

    const RelationMap<uint32_t> before = links;
    links.forget(guidOf(1));
    EXPECT_EQ(links.size(), 1u);
    EXPECT_EQ(links.find({guidOf(3), guidOf(1)}), nullptr);
    EXPECT_EQ(links.elementsNaming(guidOf(2)), std::vector<API_Guid>{guidOf(4)});
    EXPECT_TRUE(links.othersOf(guidOf(3)).empty());
    EXPECT_EQ(before.size(), 4u); // a copy keeps its entries
    EXPECT_EQ(before.elementsNaming(guidOf(1)), std::vector<API_Guid>{guidOf(3)});

    // An entry erased and made again is found from its other end once.
    EXPECT_EQ(links.erase({guidOf(4), guidOf(2)}), 1u);
    EXPECT_EQ(links.erase({guidOf(4), guidOf(2)}), 0u);
    EXPECT_TRUE(links.elementsNaming(guidOf(2)).empty());
    EXPECT_TRUE(links.add({guidOf(4), guidOf(2)}, 1));
    EXPECT_EQ(links.elementsNaming(guidOf(2)), std::vector<API_Guid>{guidOf(4)});
    links.forget(guidOf(2));
    EXPECT_TRUE(links.empty());
}

TEST(ElementRelations, ForgettingAnElementDropsItFromEveryKindAndLeavesTheRest) {
    ElementRelations relations;
    relations.links.set({guidOf(1), guidOf(2)}, 0);
    relations.relationCodes.set({guidOf(2), guidOf(1)}, 0x414E4E4F);
    relations.associations.set({guidOf(3), guidOf(1)}, {1, 2});
    relations.associations.set({guidOf(3), guidOf(4)}, {3, 4});
    relations.forget(guidOf(1));
    EXPECT_TRUE(relations.links.empty());
    EXPECT_TRUE(relations.relationCodes.empty());
    EXPECT_EQ(relations.associations.othersOf(guidOf(3)), std::vector<API_Guid>{guidOf(4)});
}
