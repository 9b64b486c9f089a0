// The element store: lookup by Guid, the creation order the host lists in, copies that share
// elements until one changes, the elements each one holds, and what differs between versions.
#include <gtest/gtest.h>

#include <unordered_set>

#include "platform/api/OpeningRecords.h"
#include "platform/host/CurtainWallParts.h"
#include "platform/host/ElementStore.h"
#include "platform/host/ElementTypes.h"
#include "platform/host/OpeningParts.h"
#include "platform/host/RecordFields.h"
#include "platform/host/SkylightParts.h"

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

// A window (or another opening type) whose owner is the wall.
StoredElement opening(const API_Guid& guid, const API_Guid& wall, uint32_t type = WindowTypeCode) {
    StoredElement made = element(guid);
    made.record.head.typeCode = type;
    HostJoineryElement part = partOf<HostJoineryElement>(made.record);
    part.ownerGuid = wall;
    setPart(made.record, part);
    return made;
}

StoredElement proxyOf(const API_Guid& guid, const API_Guid& shown, uint8_t shows = 1) {
    StoredElement made = element(guid);
    made.record.head.typeCode = ProxyTypeCode;
    HostProxyElement part = partOf<HostProxyElement>(made.record);
    part.showsElement = shows;
    part.elementGuid = shown;
    setPart(made.record, part);
    return made;
}

std::vector<API_Guid> guidsOf(const std::vector<const StoredElement*>& elements) {
    std::vector<API_Guid> guids;
    for (const StoredElement* each : elements)
        guids.push_back(each->guid());
    return guids;
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

TEST(ElementStore, EachElementIsHeldByTheOneItStandsInOrShowsInCreationOrder) {
    ElementStore store;
    const API_Guid wall = guidOf(1), other = guidOf(2), roof = guidOf(3);
    store.add(element(wall));
    store.add(element(other));
    store.add(opening(guidOf(20), wall));
    store.add(opening(guidOf(10), other, DoorTypeCode));
    store.add(opening(guidOf(11), wall, DoorTypeCode));
    StoredElement skylight = element(guidOf(30));
    skylight.record.head.typeCode = SkylightTypeCode;
    HostSkylightElement part = partOf<HostSkylightElement>(skylight.record);
    part.ownerGuid = roof;
    setPart(skylight.record, part);
    store.add(skylight);
    store.add(proxyOf(guidOf(40), wall));
    store.add(proxyOf(guidOf(41), wall, 0)); // shows nothing
    // A type that stands in nothing, whatever its bytes say.
    StoredElement text = opening(guidOf(50), wall);
    text.record.head.typeCode = 15;
    store.add(text);

    EXPECT_EQ(guidsOf(store.heldBy(wall)), (std::vector<API_Guid>{guidOf(20), guidOf(11), guidOf(40)}));
    EXPECT_EQ(guidsOf(store.heldBy(other)), std::vector<API_Guid>{guidOf(10)});
    EXPECT_EQ(guidsOf(store.heldBy(roof)), std::vector<API_Guid>{guidOf(30)});
    EXPECT_TRUE(store.heldBy(guidOf(99)).empty());
    EXPECT_EQ(holderOf(*store.find(guidOf(41))), API_Guid());
    EXPECT_EQ(holderOf(*store.find(guidOf(50))), API_Guid());

    ASSERT_TRUE(store.remove(guidOf(11)));
    EXPECT_EQ(guidsOf(store.heldBy(wall)), (std::vector<API_Guid>{guidOf(20), guidOf(40)}));
}

TEST(ElementStore, AnElementChangedToStandElsewhereIsHeldThereInEveryLaterCopy) {
    ElementStore store;
    const API_Guid wall = guidOf(1), other = guidOf(2);
    store.add(element(wall));
    store.add(element(other));
    store.add(opening(guidOf(10), wall));
    store.add(opening(guidOf(11), wall));
    const ElementStore before = store;

    // Moved to the other wall by changing the record handed out for changing.
    StoredElement* moved = store.edit(guidOf(10));
    setPart(moved->record, partOf<HostJoineryElement>(opening(guidOf(10), other).record));
    const ElementStore copy = store; // a copy made before anyone asked
    EXPECT_EQ(guidsOf(store.heldBy(wall)), std::vector<API_Guid>{guidOf(11)});
    EXPECT_EQ(guidsOf(store.heldBy(other)), std::vector<API_Guid>{guidOf(10)});
    EXPECT_EQ(guidsOf(copy.heldBy(other)), std::vector<API_Guid>{guidOf(10)});
    EXPECT_EQ(guidsOf(before.heldBy(wall)), (std::vector<API_Guid>{guidOf(10), guidOf(11)}));
    EXPECT_TRUE(before.heldBy(other).empty());

    // Made to stand in nothing, then removed: held by none.
    StoredElement* freed = store.edit(guidOf(11));
    freed->record.head.typeCode = 19;
    EXPECT_TRUE(store.heldBy(wall).empty());
    store.edit(guidOf(10));
    ASSERT_TRUE(store.remove(guidOf(10)));
    EXPECT_TRUE(store.heldBy(other).empty());
    EXPECT_EQ(guidsOf(copy.heldBy(other)), std::vector<API_Guid>{guidOf(10)});
}

TEST(ElementStore, DifferencesNameTheAddedChangedAndRemovedInCreationOrder) {
    ElementStore before;
    for (uint32_t i = 1; i <= 500; ++i)
        before.add(element(guidOf(i)));
    ElementStore after = before;
    after.edit(guidOf(300))->infoText = "changed";
    after.remove(guidOf(7));
    after.add(element(guidOf(9000)));
    after.edit(guidOf(2))->infoText = "changed too";
    after.edit(guidOf(400)); // handed out, left alone: a copy of its own, as good as a change
    std::vector<std::pair<API_Guid, API_Guid>> found; // before's Guid, after's (null for none)
    ElementStore::differences(before, after, [&](const StoredElement* was, const StoredElement* is) {
        found.emplace_back(was ? was->guid() : API_Guid(), is ? is->guid() : API_Guid());
    });
    EXPECT_EQ(found, (std::vector<std::pair<API_Guid, API_Guid>>{{guidOf(2), guidOf(2)},
                                                                 {guidOf(7), API_Guid()},
                                                                 {guidOf(300), guidOf(300)},
                                                                 {guidOf(400), guidOf(400)},
                                                                 {API_Guid(), guidOf(9000)}}));
    found.clear();
    ElementStore::differences(before, ElementStore(before),
                              [&](const StoredElement*, const StoredElement*) { found.emplace_back(); });
    EXPECT_TRUE(found.empty());
}
