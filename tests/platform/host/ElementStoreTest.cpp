// The element store: lookup by Guid, the creation order the host lists in, copies that share
// elements until one changes.
#include <gtest/gtest.h>

#include <unordered_set>

#include "platform/host/ElementStore.h"

using namespace zavhost;

namespace {

API_Guid guidOf(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0) {
    return API_Guid{{a, b, c, d}};
}

StoredElement element(const API_Guid& guid, uint64_t order = 0) {
    StoredElement made;
    made.record.head.guid = guid;
    made.record.head.typeCode = 5;
    made.order = order;
    return made;
}

std::vector<API_Guid> listed(const ElementStore& store) {
    std::vector<API_Guid> guids;
    for (const StoredElement* each : store.inOrder())
        guids.push_back(each->guid());
    return guids;
}

} // namespace

TEST(ElementStore, ListsInCreationOrderWhateverTheGuids) {
    ElementStore store;
    // Guids that sort the other way round from the order they were made in.
    std::vector<API_Guid> made = {guidOf(9), guidOf(7), guidOf(8, 1), guidOf(1)};
    for (const API_Guid& guid : made)
        ASSERT_TRUE(store.add(element(guid)));
    EXPECT_EQ(listed(store), made);

    ASSERT_TRUE(store.remove(guidOf(7)));
    ASSERT_TRUE(store.add(element(guidOf(7))));
    EXPECT_EQ(listed(store), (std::vector<API_Guid>{guidOf(9), guidOf(8, 1), guidOf(1), guidOf(7)}));
    EXPECT_EQ(store.size(), 4u);
}

TEST(ElementStore, RestoredElementsKeepTheirOrderAndNewOnesComeAfter) {
    ElementStore store;
    ASSERT_TRUE(store.add(element(guidOf(1), 30)));
    ASSERT_TRUE(store.add(element(guidOf(2), 10)));
    ASSERT_TRUE(store.add(element(guidOf(3))));
    EXPECT_EQ(listed(store), (std::vector<API_Guid>{guidOf(2), guidOf(1), guidOf(3)}));
    EXPECT_GT(store.find(guidOf(3))->order, 30u);
}

TEST(ElementStore, RefusesANullGuidATakenGuidAndATakenOrder) {
    ElementStore store;
    EXPECT_FALSE(store.add(element(API_Guid())));
    ASSERT_TRUE(store.add(element(guidOf(1), 4)));
    EXPECT_FALSE(store.add(element(guidOf(1))));
    EXPECT_FALSE(store.add(element(guidOf(2), 4))); // two elements cannot share a place in the list
    EXPECT_EQ(listed(store), std::vector<API_Guid>{guidOf(1)});
    EXPECT_FALSE(store.remove(guidOf(2)));
    EXPECT_EQ(store.find(guidOf(2)), nullptr);
    EXPECT_EQ(store.edit(guidOf(2)), nullptr);
}

TEST(ElementStore, ACopySharesElementsUntilOneSideChangesThem) {
    ElementStore store;
    ASSERT_TRUE(store.add(element(guidOf(1))));
    ASSERT_TRUE(store.add(element(guidOf(2))));
    ElementStore copy = store;
    EXPECT_EQ(copy.find(guidOf(1)), store.find(guidOf(1)));
    EXPECT_TRUE(copy == store);

    copy.edit(guidOf(1))->infoText = "changed";
    EXPECT_NE(copy.find(guidOf(1)), store.find(guidOf(1)));
    EXPECT_EQ(store.find(guidOf(1))->infoText, "");
    EXPECT_FALSE(copy == store);
    // The changed copy still lists in creation order.
    EXPECT_EQ(listed(copy), (std::vector<API_Guid>{guidOf(1), guidOf(2)}));

    ASSERT_TRUE(copy.remove(guidOf(2)));
    EXPECT_NE(store.find(guidOf(2)), nullptr);
    EXPECT_EQ(listed(store).size(), 2u);
}

TEST(GuidHash, EveryWordCounts) {
    GuidHash hash;
    std::unordered_set<size_t> seen;
    const API_Guid guids[] = {guidOf(0),          guidOf(1),          guidOf(0, 1),
                              guidOf(0, 0, 1),    guidOf(0, 0, 0, 1), guidOf(1, 1),
                              guidOf(0, 0, 1, 1), guidOf(1, 0, 1),    guidOf(0, 1, 0, 1)};
    for (const API_Guid& guid : guids)
        EXPECT_TRUE(seen.insert(hash(guid)).second) << "two Guids hash alike";
    EXPECT_EQ(hash(guidOf(5, 6, 7, 8)), hash(guidOf(5, 6, 7, 8)));
}
