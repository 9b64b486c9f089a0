// Database references and element links: equality, total orders under std::sort, the host
// records they make, type resolution, and the owning link list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "ProjectTestSupport.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/Memory.h"
#include "project/ElementLinkList.h"
#include "project/Layer.h"
#include "project/Plan.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

Guid guidOf(uint64_t n) {
    return Guid(0x1000 + n, n);
}

// Irreflexive, asymmetric, transitive, and incomparability transitive: what std::sort needs.
template <class T, class Less> void expectStrictWeakOrder(const std::vector<T>& items, Less less) {
    auto equivalent = [&](const T& a, const T& b) { return !less(a, b) && !less(b, a); };
    for (const T& a : items) {
        EXPECT_FALSE(less(a, a));
        for (const T& b : items) {
            if (less(a, b)) {
                EXPECT_FALSE(less(b, a));
            }
            for (const T& c : items) {
                if (less(a, b) && less(b, c)) {
                    EXPECT_TRUE(less(a, c));
                }
                if (equivalent(a, b) && equivalent(b, c)) {
                    EXPECT_TRUE(equivalent(a, c));
                }
            }
        }
    }
}

zavhost::StoredElement hostElement(uint32_t type, int16_t storey, uint16_t layer) {
    zavhost::StoredElement element;
    element.record.head.typeCode = type;
    element.record.head.variation = fourCC("VARI");
    element.record.head.guid = zavhost::newGuid();
    element.record.head.storey = storey;
    element.record.head.layer = layer;
    return element;
}

using Links = projecttest::HostTest;

} // namespace

TEST(DatabaseRef, StoreysAreIgnoredByEqualityButOrderTheRefs) {
    DatabaseRef a(DatabasePlan, Guid(), 3);
    DatabaseRef b(DatabasePlan, Guid(), 7);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);

    DatabaseRef model(DatabaseModel, Guid(), 3);
    EXPECT_FALSE(a == model);
    EXPECT_TRUE(a.isSameDatabase(model));
    EXPECT_TRUE(model.isSameDatabase(a));

    DatabaseRef sectionA(DatabaseSection, guidOf(1));
    DatabaseRef sectionB(DatabaseSection, guidOf(2));
    EXPECT_FALSE(sectionA == sectionB);
    EXPECT_FALSE(sectionA.isSameDatabase(sectionB));
    EXPECT_TRUE(sectionA == DatabaseRef(DatabaseSection, guidOf(1), 9));
    EXPECT_TRUE(sectionA.isGuidIdentified());
    EXPECT_TRUE(DatabaseRef(DatabasePlan, guidOf(1)).isGuidless());

    EXPECT_FALSE(DatabaseRef().isDefined());
    EXPECT_TRUE(a.isDefined());
    EXPECT_FALSE(DatabaseRef(DatabaseLayout, Guid()).isDefined());
    EXPECT_TRUE(DatabaseRef(DatabaseLayout, guidOf(4)).isDefined());
}

TEST(DatabaseRef, OrderIsTotalOverMixedRefsAndAgreesWithGuidEquality) {
    std::vector<DatabaseRef> refs;
    for (uint32_t kind : {0u, 1u, 2u, 4u, 5u, 9u})
        for (uint64_t guid : {0u, 1u, 2u})
            for (uint32_t storey : {0u, 5u})
                refs.emplace_back(kind, guid == 0 ? Guid() : guidOf(guid), storey);
    expectStrictWeakOrder(refs, [](const DatabaseRef& a, const DatabaseRef& b) { return a < b; });

    for (const DatabaseRef& a : refs)
        for (const DatabaseRef& b : refs)
            if (a.isGuidIdentified() && b.isGuidIdentified() && a.getKind() == b.getKind()) {
                EXPECT_EQ(a == b, !(a < b) && !(b < a));
            }

    std::vector<DatabaseRef> sorted = refs;
    std::reverse(sorted.begin(), sorted.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_EQ(sorted.size(), refs.size());
}

TEST(ElementLink, ADefaultLinkHasOnlyItsPartIndexSet) {
    ElementLink link;
    EXPECT_EQ(link.getPartIndex(), 1u);
    EXPECT_EQ(link.getTypeId() | link.getVariation() | link.getSelectionKind() | link.getPartCode(), 0u);
    EXPECT_FALSE(link.hasGuid() || link.getProxyGuid().isValid() || link.isFromSelection());
    EXPECT_EQ(link.getHome().getKind() | link.getProxy().getKind(), 0u);
}

TEST(ElementLink, EqualityFollowsGuidsThenSelectionThenType) {
    ElementLink wall(ElementLink::makeTypeId(1), 0u);
    wall.setGuid(guidOf(1), nullptr);
    ElementLink slab(ElementLink::makeTypeId(7), 0u);
    slab.setGuid(guidOf(1), nullptr);
    slab.getHome() = DatabaseRef(DatabaseSection, guidOf(9));
    EXPECT_TRUE(wall == slab); // the Guid alone decides

    ElementLink withoutGuid(ElementLink::makeTypeId(1), 0u);
    EXPECT_FALSE(wall == withoutGuid);
    EXPECT_FALSE(withoutGuid == wall);

    HostSelectionRecord record;
    record.selectionKind = 5;
    record.partIndex = 2;
    ElementLink selectedA(record);
    selectedA.setTypeId(ElementLink::makeTypeId(3));
    ElementLink selectedB(record);
    selectedB.setTypeId(ElementLink::makeTypeId(4));
    EXPECT_TRUE(selectedA == selectedB); // kind and part, not the type
    record.partIndex = 3;
    EXPECT_FALSE(selectedA == ElementLink(record));

    ElementLink any(ElementLink::makeTypeId(5, 0), 0u);
    ElementLink subOne(ElementLink::makeTypeId(5, 1), 0u);
    ElementLink subTwo(ElementLink::makeTypeId(5, 2), 0u);
    EXPECT_TRUE(subOne == any);
    EXPECT_TRUE(any == subOne);
    EXPECT_FALSE(subOne == subTwo);

    ElementLink proxied = any;
    proxied.setProxyTypeId(ElementLink::makeTypeId(ProxyTypeCode));
    EXPECT_FALSE(proxied == any);
    ElementLink elsewhere = any;
    elsewhere.getHome() = DatabaseRef(DatabaseDetail, guidOf(3));
    EXPECT_FALSE(elsewhere == any);
}

TEST(ElementLink, OrderIsTotalOverMixedSubKindsAndSortsWithStdSort) {
    std::vector<ElementLink> links;
    for (uint8_t code : {3, 5})
        for (uint8_t sub : {0, 1, 2})
            for (uint64_t guid : {0u, 1u, 2u}) {
                ElementLink link(ElementLink::makeTypeId(code, sub), 0u);
                if (guid != 0) link.setGuid(guidOf(guid), nullptr);
                links.push_back(link);
            }
    expectStrictWeakOrder(links, [](const ElementLink& a, const ElementLink& b) { return a < b; });
    // Links equivalent under the order are equal where equality is exact (both have Guids).
    for (const ElementLink& a : links)
        for (const ElementLink& b : links)
            if (!(a < b) && !(b < a) && a.hasGuid()) {
                EXPECT_TRUE(a == b);
            }

    ElementLinkList list;
    for (auto it = links.rbegin(); it != links.rend(); ++it)
        list.push_back(it->clone());
    EXPECT_FALSE(list.isSorted());
    list.sort();
    EXPECT_TRUE(list.isSorted());
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_FALSE(*list[i] < *list[i - 1]);
}

TEST_F(Links, ElementLinkTypesMapToSelectionKindsAndBackOnlyOnce) {
    EXPECT_EQ(typeToSelectionKind(1), 1u);
    EXPECT_EQ(typeToSelectionKind(19), 40u);
    EXPECT_EQ(typeToSelectionKind(31), 57u);
    for (uint8_t code : {0, 20, 27, 28, 30, 32, 200})
        EXPECT_EQ(typeToSelectionKind(code), 0u) << int(code);
    EXPECT_EQ(ElementLink(ElementLink::makeTypeId(20), 0u).getSelectionKind(), 0u);

    HostSelectionRecord record;
    record.selectionKind = 5; // a wall's kind, as the host names it
    ElementLink link(record);
    size_t before = mark();
    EXPECT_EQ(link.getTypeCode(), 2);
    EXPECT_EQ(link.getTypeCode(), 2);
    const ElementLink copy = link;
    EXPECT_EQ(copy.getTypeId(), ElementLink::makeTypeId(2));
    EXPECT_EQ(projecttest::callsWith(host, "NTOE", before), 1u);
}

TEST_F(Links, ElementLinkHeadersAndSelectionRecordsCarryTheFieldsAndFallBackFromAGoneProxy) {
    Plan* plan = Host::getPlan();
    ASSERT_NE(plan, nullptr);
    ElementLink link(ElementLink::makeTypeId(9), plan, fourCC("ABCD"));
    link.setGuid(guidOf(1), nullptr);
    link.getHome().setStoreyIndex(1);
    link.setParts(4, 6);
    link.setProxyGuid(guidOf(2));
    link.setProxyTypeId(ElementLink::makeTypeId(ProxyTypeCode));
    link.getProxy() = DatabaseRef(DatabaseSection, guidOf(77)); // no such section

    HostElementHead header;
    // type, variation, Guid, storey, layer of a header; kind, Guid, part index and code of a record
    auto head = [](const HostElementHead& h) {
        return std::tuple(h.typeCode, h.variation, Guid(h.guid), int(h.storey), int(h.layer));
    };
    auto selected = [](const HostSelectionRecord& r) {
        return std::tuple(r.selectionKind, Guid(r.guid), r.partIndex, r.partCode);
    };
    link.makeHeader(header, true);
    EXPECT_EQ(head(header), std::tuple(9u, fourCC("ABCD"), guidOf(1), 1, 0));
    HostSelectionRecord record;
    link.getSelectionRecord(record);
    EXPECT_EQ(selected(record), std::tuple(typeToSelectionKind(9), guidOf(1), 4u, 6u));

    link.setProxyDrawing(plan); // now the proxy resolves
    link.makeHeader(header, true);
    EXPECT_EQ(head(header), std::tuple(uint32_t(ProxyTypeCode), 0u, guidOf(2), 1, 0));
    link.makeSelectionRecord(record, true, false);
    EXPECT_EQ(selected(record), std::tuple(typeToSelectionKind(ProxyTypeCode), guidOf(2), 4u, 6u));

    HostElementHead written;
    written.layer = 12;
    written.storey = -4;
    link.writeHeader(written, false); // layer and storey untouched
    EXPECT_EQ(head(written), std::tuple(9u, fourCC("ABCD"), guidOf(1), -4, 12));
    link.writeHeader(written, true);
    EXPECT_EQ(written.storey, 1);

    ElementLinkList list;
    list.push_back(link.clone());
    list.push_back(std::make_unique<ElementLink>(ElementLink::makeTypeId(3), 0u));
    GSHandle heads = list.makeHeaderArray(false);
    ASSERT_EQ(BMHandleSize(heads), GSSize(2 * sizeof(HostElementHead)));
    HostElementHead second;
    std::memcpy(&second, *heads + sizeof(HostElementHead), sizeof second);
    EXPECT_EQ(second.typeCode, 3u);
    BMKillHandle(&heads);
    GSHandle selection = list.makeSelectionArray(false);
    EXPECT_EQ(BMHandleSize(selection), GSSize(2 * sizeof(HostSelectionRecord)));
    BMKillHandle(&selection);
}

TEST_F(Links, ElementLinkLinksFromGuidsAndSelectionsReadTheirElementFromTheHost) {
    zavhost::StoredElement stored = hostElement(1, 1, 3);
    const API_Guid guid = stored.guid();
    ASSERT_TRUE(projecttest::hostProject(host).model.views.plan().elements.add(stored));
    Plan* plan = Host::getPlan();

    ElementLink byGuid(Guid(guid), plan);
    EXPECT_EQ(std::tuple(int(byGuid.getTypeCode()), byGuid.getVariation(), byGuid.getHome().getKind(),
                         byGuid.getHome().getStoreyIndex(), byGuid.getDrawing()),
              std::tuple(1, fourCC("VARI"), uint32_t(DatabasePlan), 1u, static_cast<Drawing*>(plan)));

    HostSelectionRecord record;
    record.selectionKind = 1;
    record.guid = guid;
    record.partIndex = 2;
    ElementLink selected(record, plan);
    EXPECT_TRUE(selected.isFromSelection());
    EXPECT_EQ(std::pair(int(selected.getTypeCode()), selected.getPartIndex()), std::pair(1, 2u));
    EXPECT_TRUE(selected == byGuid);

    Layer layer;
    Storey* storey = nullptr;
    ElementLink found;
    EXPECT_TRUE(plan->findElement(Guid(guid), &found, &layer, &storey));
    ASSERT_NE(storey, nullptr);
    EXPECT_EQ(std::pair(layer.getIndex(), storey->getIndex()), std::pair(3u, 1u));
    EXPECT_FALSE(plan->findElement(guidOf(99), &found, &layer, &storey));
    EXPECT_FALSE(found.hasGuid());
    EXPECT_EQ(storey, nullptr);
    EXPECT_EQ(plan->getLastError(), hosterr::BadGuid);
}

TEST_F(Links, ElementLinkListClonesDeeplyAppendsResolvableGuidsAndFindsLinks) {
    zavhost::StoredElement stored = hostElement(1, 0, 1);
    ASSERT_TRUE(projecttest::hostProject(host).model.views.plan().elements.add(stored));
    Plan* plan = Host::getPlan();

    GS::Array<API_Guid> guids;
    guids.Push(stored.guid());
    guids.Push(API_Guid());
    ElementLinkList list(50);
    EXPECT_EQ(list.appendGuids(guids, plan), 1u);    // the null Guid is dropped
    EXPECT_EQ(list.appendGuids(guids, nullptr), 0u); // no drawing, no links
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->getTypeCode(), 1);

    list.push_back(std::make_unique<ElementLink>(ElementLink::makeTypeId(4), plan));
    list.sort();
    std::unique_ptr<ElementLinkList> copy = list.clone();
    EXPECT_TRUE(copy->isSorted());
    ASSERT_EQ(copy->size(), 2u);
    EXPECT_NE((*copy)[0], list[0]);
    EXPECT_TRUE(*(*copy)[0] == *list[0]);

    ElementLink probe(Guid(stored.guid()), nullptr);
    EXPECT_TRUE(list.contains(probe));
    EXPECT_EQ(list.find(ElementLink(guidOf(5), nullptr)), list.size());
    ElementLinkList more;
    EXPECT_EQ(more.appendCopies(list), 2u);
    more.push_back(std::make_unique<ElementLink>());
    EXPECT_FALSE(more.isSorted()); // appending leaves the flag alone, and it was clear
}
