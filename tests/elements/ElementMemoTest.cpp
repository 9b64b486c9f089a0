// Memo parts of elements read from the host: loaded on demand, part by part, each once; a fetch
// that fails or a corrupt memo leaves the part unloaded, and a later save does not write it over
// the host's; polygons round-trip through the host with holes and arc edges.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

std::unique_ptr<TestElement> readTest(const API_Guid& guid) {
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
    return std::unique_ptr<TestElement>(dynamic_cast<TestElement*>(element.release()));
}

GSErrCode failingMemo(const API_Guid*, API_ElementMemo*, uint64_t) {
    return hosterr::Failed;
}

// The module's host table with the memo fetch failing, while it lives.
class FailingMemoFetch {
public:
    explicit FailingMemoFetch(zavhost::StandInHost& host) : m_host(host) {
        HostFunctionTable table = host.functionTable();
        table.GetElementMemo = &failingMemo;
        installHostTable(&table);
    }
    ~FailingMemoFetch() { installHostTable(&m_host.functionTable()); }

private:
    zavhost::StandInHost& m_host;
};

API_Guid addSquareWall(zavhost::StandInHost& host) {
    return addHostElement(host, 1, nullptr, [](zavhost::StoredElement& wall) {
        setHostPolygon(wall, {{{0, 0}, {2, 0}, {2, 2}, {0, 2}}});
        wall.memo.blocks[offsetof(API_ElementMemo, gables)].bytes = "gable bytes";
    });
}

using ElementMemos = HostTest;

} // namespace

TEST_F(ElementMemos, PartsLoadOnDemandOnePartAtATimeAndOnlyOnce) {
    Creators creators{1};
    API_Guid guid = addSquareWall(host);
    size_t before = mark();
    std::unique_ptr<TestElement> wall = readTest(guid);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(host.calls().count("GetElementMemo", before), 0u); // nothing until asked

    CadPolygon* polygon = wall->getPolygon();
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->getVertexCount(), 4u);
    EXPECT_EQ(host.calls().count("GetElementMemo", before), 1u);
    EXPECT_EQ(host.calls().count("mask 0x1)", before), 1u);
    wall->getPolygon();
    EXPECT_EQ(host.calls().count("GetElementMemo", before), 1u);

    EXPECT_TRUE(wall->raw().ensureLoaded(*wall));
    EXPECT_EQ(wall->raw().bytes(), "gable bytes");
    EXPECT_EQ(host.calls().count("mask 0x2)", before), 1u);
    wall->raw().ensureLoaded(*wall);
    EXPECT_EQ(host.calls().count("GetElementMemo", before), 2u);

    // With the switch off, reading loads every part at once.
    {
        Element::MemoLoadSwitch eager(false);
        before = mark();
        std::unique_ptr<TestElement> loaded = readTest(guid);
        EXPECT_EQ(host.calls().count("GetElementMemo", before), 1u);
        EXPECT_TRUE(loaded->PolygonMemo::isLoaded() && loaded->raw().isLoaded());
        EXPECT_TRUE(loaded->isUserDataLoaded());
    }
    std::unique_ptr<TestElement> all = readTest(guid);
    all->loadAllMemos();
    EXPECT_TRUE(all->PolygonMemo::isLoaded() && all->raw().isLoaded());
    EXPECT_TRUE(Element::isMemoLoadSuspended());
}

TEST_F(ElementMemos, AFailedFetchLeavesThePartUnloadedAndASaveLeavesTheHostsPart) {
    Creators creators{1};
    API_Guid guid = addSquareWall(host);
    const zavhost::StoredMemo hostMemo = host.project()->model.views.findElement(guid)->memo;
    std::unique_ptr<TestElement> wall = readTest(guid);
    {
        FailingMemoFetch failing(host);
        EXPECT_EQ(wall->getPolygon(), nullptr);
        EXPECT_FALSE(wall->PolygonMemo::isLoaded());
        EXPECT_FALSE(wall->raw().ensureLoaded(*wall));
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*wall, false, true); }));
    }
    EXPECT_EQ(host.project()->model.views.findElement(guid)->memo, hostMemo);
    // Tried again once the host answers.
    ASSERT_NE(wall->getPolygon(), nullptr);
    EXPECT_EQ(wall->getPolygon()->getVertexCount(), 4u);
}

TEST_F(ElementMemos, ACorruptPolygonOrOneThatCouldNotBeDrawnStaysUnloadedAndOutOfTheSavedMemo) {
    Creators creators{1};
    using Corrupt = std::function<void(zavhost::StoredElement&)>;
    auto point = [](zavhost::StoredElement& wall, size_t index) -> HostCoord2D& {
        std::string& bytes = wall.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes;
        return reinterpret_cast<HostCoord2D*>(bytes.data())[index];
    };
    auto ends = [](zavhost::StoredElement& wall) -> uint32_t* {
        return reinterpret_cast<uint32_t*>(
            wall.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes.data());
    };
    const struct {
        const char* what;
        Corrupt corrupt;
    } cases[] = {
        {"first contour starting at 1", [&](zavhost::StoredElement& wall) { ends(wall)[0] = 1; }},
        {"a one-point hole",
         [&](zavhost::StoredElement& wall) {
             setHostPolygon(wall, {{{0, 0}, {4, 0}, {4, 4}}, {{1, 1}}});
         }},
        {"NaN x", [&](zavhost::StoredElement& wall) { point(wall, 3).x = std::nan(""); }},
        {"infinite y", [&](zavhost::StoredElement& wall) { point(wall, 2).y = HUGE_VAL; }},
        {"NaN arc angle",
         [&](zavhost::StoredElement& wall) {
             HostPolygonArc arc{2, 3, std::nan("")};
             wall.memo.blocks[offsetof(API_ElementMemo, arcs)].bytes =
                 std::string(reinterpret_cast<const char*>(&arc), sizeof arc);
             PolygonCounts counts = countsOf(wall.record);
             counts.arcs = 1;
             setCounts(wall.record, counts);
         }},
        {"coordinates shorter than the counts",
         [&](zavhost::StoredElement& wall) {
             std::string& coordinates = wall.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes;
             coordinates.resize(coordinates.size() - 2 * sizeof(HostCoord2D));
         }},
        {"ends past the coordinates", [&](zavhost::StoredElement& wall) { ends(wall)[1] = 0x7FFFFFFF; }},
        {"trailing bytes after the coordinates",
         [&](zavhost::StoredElement& wall) {
             wall.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes.append(4, '\0');
         }},
    };
    for (const auto& c : cases) {
        API_Guid guid = addHostElement(host, 1, nullptr, [&](zavhost::StoredElement& wall) {
            setHostPolygon(wall, {{{0, 0}, {2, 0}, {2, 2}, {0, 2}}});
            wall.memo.blocks[offsetof(API_ElementMemo, gables)].bytes = "gable bytes";
            c.corrupt(wall);
        });
        const zavhost::StoredElement stored = *host.project()->model.views.findElement(guid);
        std::unique_ptr<TestElement> wall = readTest(guid);
        ASSERT_NE(wall, nullptr) << c.what;
        EXPECT_EQ(wall->getPolygon(), nullptr) << c.what;
        EXPECT_FALSE(wall->PolygonMemo::isLoaded()) << c.what;
        uint64_t mask = 0;
        ElementMemoPtr built = wall->buildMemo(mask);
        EXPECT_EQ(mask, uint64_t(MemoGables)) << c.what; // the other part is still written
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*wall, false, true); })) << c.what;
        const zavhost::StoredElement* saved = host.project()->model.views.findElement(guid);
        EXPECT_EQ(saved->memo, stored.memo) << c.what;
        EXPECT_EQ(countsOf(saved->record), countsOf(stored.record)) << c.what;
    }
}

TEST_F(ElementMemos, APolygonWithAHoleAndArcsRoundTripsThroughTheHost) {
    Creators creators{8};
    Plan* plan = Host::getPlan();
    TestElement slab(ElementLink(ElementLink::makeTypeId(8), plan));
    auto outline = std::make_unique<CadPolygon>(4, 1, true);
    outline->append(PolyPoint(CadPoint(0, 0)));
    outline->append(PolyPoint(CadPoint(6, 0), 0.5));
    outline->append(PolyPoint(CadPoint(6, 4)));
    outline->append(PolyPoint(CadPoint(0, 4)));
    auto hole = new CadPolygon(3, 0, true);
    hole->append(PolyPoint(CadPoint(1, 1)));
    hole->append(PolyPoint(CadPoint(2, 1)));
    hole->append(PolyPoint(CadPoint(1, 2), -1.0));
    outline->addHole(hole);
    slab.setPolygon(std::move(outline));
    slab.raw().setBytes("raw part");
    ASSERT_TRUE(change([&] { return plan->saveElement(slab, true, false); }));
    ASSERT_TRUE(slab.isValid());

    std::unique_ptr<TestElement> back = readTest(slab.getGuid().toAPI());
    ASSERT_NE(back, nullptr);
    const CadPolygon* read = back->getPolygon();
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->getVertexCount(), 4u);
    ASSERT_EQ(read->getHoleCount(), 1u);
    EXPECT_DOUBLE_EQ(read->getVertex(0).getX(), 6.0); // P2 first
    EXPECT_DOUBLE_EQ(read->getVertex(0).getArcAngle(), 0.5);
    EXPECT_DOUBLE_EQ(read->getHole(0).getVertex(1).getArcAngle(), -1.0);
    EXPECT_DOUBLE_EQ(read->getArea(true), slab.heldPolygon()->getArea(true));
    EXPECT_EQ(back->raw().ensureLoaded(*back), true);
    EXPECT_EQ(back->raw().bytes(), "raw part");
}
