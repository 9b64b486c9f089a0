// Multi-plane roofs: the pivot polygon with its pivot records through the host and a project file,
// a pivot polygon with arcs over an outline without, the host's split into plane roofs asked once,
// and the factory by roof class.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <numbers>
#include <utility>

#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "construction/ConstructionFactory.h"
#include "construction/PolyRoof.h"
#include "elements/ElementTestSupport.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/ElementGeometry.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/PolyRoofParts.h"
#include "platform/host/RecordFields.h"
#include "project/Drawing.h"
#include "project/MemoStore.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

using Contour = std::vector<HostCoord2D>;
using Key = std::pair<double, double>;

const Contour rectangle{{0, 0}, {4, 0}, {4, 3}, {0, 3}};

// The pivot record the host keeps for a coordinate: its own bytes, told apart by position.
PivotPoint::Data recordFor(const HostCoord2D& point) {
    PivotPoint::Data data;
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(point.x * 16 + point.y * 4 + static_cast<double>(i));
    return data;
}

zavhost::StoredBlock blockOf(const void* data, size_t size, bool pointer = false) {
    zavhost::StoredBlock block;
    block.isPointer = pointer;
    block.bytes.assign(static_cast<const char*>(data), size);
    return block;
}

class PolyRoofs : public HostTest {
protected:
    PolyRoofs() { registerConstructionElementCreators(); }
    ~PolyRoofs() override { releaseElementCreators(); }

    zavhost::StoredElement* stored(const API_Guid& guid) {
        return host.project()->model.views.editElement(guid);
    }

    // A multi-plane roof on the rectangle, with the pivot polygon (and its records) when given.
    API_Guid addRoof(const Contour& pivot = {}, bool withRecords = true) {
        return addHostElement(host, Shelter::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            setHostPolygon(e, {rectangle});
            HostPolyRoofElement part = zavhost::partOf<HostPolyRoofElement>(e.record);
            part.shelter.roofClass = HostPolyRoofClass;
            part.shelter.coordinateCount = static_cast<uint32_t>(rectangle.size() + 1);
            part.shelter.endCount = 1;
            part.shelter.arcCount = 0;
            if (!pivot.empty()) {
                Contour closed(1, HostCoord2D{0, 0});
                std::vector<uint8_t> records(PivotPoint::DataSize, 0);
                for (size_t i = 0; i <= pivot.size(); ++i) {
                    closed.push_back(pivot[i % pivot.size()]);
                    const PivotPoint::Data data = recordFor(closed.back());
                    records.insert(records.end(), data.begin(), data.end());
                }
                const uint32_t ends[] = {0, static_cast<uint32_t>(pivot.size() + 1)};
                e.memo.blocks[offsetof(API_ElementMemo, pivotCoordinates)] =
                    blockOf(closed.data(), closed.size() * sizeof(HostCoord2D));
                e.memo.blocks[offsetof(API_ElementMemo, pivotEnds)] = blockOf(ends, sizeof ends);
                if (withRecords)
                    e.memo.blocks[offsetof(API_ElementMemo, pivotRecords)] =
                        blockOf(records.data(), records.size(), true);
                part.pivotCoordinateCount = static_cast<uint32_t>(pivot.size() + 1);
                part.pivotEndCount = 1;
            }
            zavhost::setPart(e.record, part);
        });
    }

    std::unique_ptr<PolyRoof> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* roof = dynamic_cast<PolyRoof*>(element.get());
        if (roof == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<PolyRoof>(roof);
    }

    // Each vertex of the pivot polygon by its plan point, with its record (zeros for a plain one).
    static std::map<Key, PivotPoint::Data> recordsOf(const CadPolygon& polygon) {
        std::map<Key, PivotPoint::Data> records;
        for (size_t i = 0; i < polygon.getVertexCount(); ++i) {
            const PolyPoint& vertex = polygon.getVertex(i);
            auto* pivot = dynamic_cast<const PivotPoint*>(&vertex);
            records[{vertex.getX(), vertex.getY()}] =
                pivot != nullptr ? pivot->getPivotData() : PivotPoint::Data{};
        }
        return records;
    }
};

TEST_F(PolyRoofs, PivotRecordsTravelWholeThroughTheHostAndAProjectFile) {
    const Contour pivot{{1, 1}, {3, 1}, {3, 2}};
    const API_Guid guid = addRoof(pivot);
    std::unique_ptr<PolyRoof> roof = read(guid);
    ASSERT_NE(roof, nullptr);
    ASSERT_NE(roof->getPivotPolygon(), nullptr);
    std::map<Key, PivotPoint::Data> expected;
    for (const HostCoord2D& point : pivot)
        expected[{point.x, point.y}] = recordFor(point);
    EXPECT_EQ(recordsOf(*roof->getPivotPolygon()), expected);
    EXPECT_EQ(roof->getPivotPolygonCounts(), (PolygonCounts{4, 1, 0}));

    // Saved with every part, kept by the host and a project file, and read back the same.
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*roof, false, true); }));
    TempFolder folder;
    ASSERT_EQ(host.saveAndReopenProject(folder.path("pivot.zavproj")), hosterr::Ok);
    std::unique_ptr<PolyRoof> again = read(guid);
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->getPivotPolygon(), nullptr);
    EXPECT_EQ(recordsOf(*again->getPivotPolygon()), expected);
    ASSERT_NE(again->getOutline(), nullptr);
    EXPECT_EQ(again->getOutline()->getVertexCount(), rectangle.size());

    // No pivot arrays are made for a polygon without a coordinate.
    const int64_t handles = BMLiveHandleCount();
    {
        ElementMemoStore empty;
        PolygonParts parts;
        EXPECT_FALSE(again->PivotPolygonMemo::allocateHostParts(empty, PolygonCounts{0, 1, 0}, parts));
        EXPECT_EQ(BMLiveHandleCount(), handles);
    }

    // Plain vertices write no record block; a block shorter than the coordinates is refused.
    auto plain = std::make_unique<CadPolygon>(3, 0, true);
    for (const HostCoord2D& point : pivot)
        plain->append(PolyPoint(CadPoint(point.x, point.y, 0.0)));
    again->setPivotPolygon(std::move(plain));
    uint64_t mask = 0;
    ElementMemoPtr memo = again->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_NE(memo->pivotCoordinates, nullptr);
    EXPECT_EQ(memo->pivotRecords, nullptr);
    EXPECT_NE(mask & MemoPivotPolygon, 0u);
    zavhost::StoredBlock& records = stored(guid)->memo.blocks[offsetof(API_ElementMemo, pivotRecords)];
    records.bytes.resize(3 * PivotPoint::DataSize);
    std::unique_ptr<PolyRoof> shortened = read(guid);
    ASSERT_NE(shortened, nullptr);
    EXPECT_EQ(shortened->getPivotPolygon(), nullptr);
}

TEST_F(PolyRoofs, AUsersMoveTakesThePivotPolygonAndThePlanesAlong) {
    const API_Guid guid = addRoof({{1, 1}, {3, 1}, {3, 2}});
    zavhost::StoredElement* element = stored(guid);
    element->roofPlanes.push_back(zavhost::makeRoofPlane(*element, 0.5));
    HostEditTransformation move;
    move.target = {10, 20, 0};
    move.matrix[0] = move.matrix[4] = move.matrix[8] = 1.0;
    zavhost::transformGeometry(*element, move);
    std::unique_ptr<PolyRoof> roof = read(guid);
    ASSERT_NE(roof, nullptr);
    ASSERT_NE(roof->getPivotPolygon(), nullptr);
    EXPECT_EQ(recordsOf(*roof->getPivotPolygon()).count({11, 21}), 1u);
    EXPECT_EQ(recordsOf(*roof->getPivotPolygon()).at({13, 22}), recordFor({3, 2}));
    ASSERT_EQ(roof->getRoofCount(), 1u);
    ASSERT_NE(roof->getRoof(0)->getOutline(), nullptr);
    EXPECT_EQ(recordsOf(*roof->getRoof(0)->getOutline()), recordsOf(*roof->getOutline()));
    EXPECT_EQ(recordsOf(*roof->getOutline()).count({14, 23}), 1u);
}

TEST_F(PolyRoofs, APivotPolygonWithArcsIsWrittenOverAnOutlineWithout) {
    const API_Guid guid = addRoof();
    std::unique_ptr<PolyRoof> roof = read(guid);
    ASSERT_NE(roof, nullptr);
    EXPECT_EQ(roof->getPivotPolygon(), nullptr);
    auto pivot = std::make_unique<CadPolygon>(3, 0, true);
    pivot->append(PolyPoint(CadPoint(1, 1, 0)));
    pivot->append(new PivotPoint(PolyPoint(CadPoint(3, 1, 0), std::numbers::pi / 2), recordFor({3, 1})));
    pivot->append(PolyPoint(CadPoint(3, 2, 0)));
    roof->setPivotPolygon(std::move(pivot));

    uint64_t mask = 0;
    ElementMemoPtr memo = roof->buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->arcs, nullptr);
    EXPECT_NE(memo->pivotArcs, nullptr);
    EXPECT_NE(mask & MemoPivotPolygon, 0u);
    EXPECT_EQ(zavhost::partOf<HostPolyRoofElement>(*roof->buildRecord()).pivotArcCount, 1u);

    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*roof, false, true); }));
    std::unique_ptr<PolyRoof> again = read(guid);
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->getPivotPolygon(), nullptr);
    const CadPolygon& read = *again->getPivotPolygon();
    ASSERT_EQ(read.getVertexCount(), 3u);
    size_t arcs = 0;
    for (size_t i = 0; i < read.getVertexCount(); ++i)
        arcs += read.getVertex(i).isArc() ? 1 : 0;
    EXPECT_EQ(arcs, 1u);
    EXPECT_EQ(recordsOf(read).at({3, 1}), recordFor({3, 1}));
    EXPECT_EQ(recordsOf(read).at({1, 1}), PivotPoint::Data{});

    // The host refuses pivot counts past its memo's pivot polygon, and pivot records in a handle.
    for (bool countsPast : {true, false}) {
        SCOPED_TRACE(countsPast);
        std::unique_ptr<API_Element> record = again->buildRecord();
        ElementMemoPtr sent = again->buildMemo(mask);
        ASSERT_NE(sent, nullptr);
        if (countsPast) {
            HostPolyRoofElement part = zavhost::partOf<HostPolyRoofElement>(*record);
            part.pivotCoordinateCount += 5;
            zavhost::setPart(*record, part);
        } else {
            GSHandle handle = allocateHandle(getPtrSize(sent->pivotRecords));
            freePtr(sent->pivotRecords);
            sent->pivotRecords = reinterpret_cast<GSPtr>(handle);
        }
        GSErrCode err = hosterr::Ok;
        (void)change(
            [&] { return (err = ACAPChangeElement(record.get(), nullptr, sent.get(), mask, false)) == 0; });
        EXPECT_EQ(err, hosterr::BadParameter);
    }
}

TEST_F(PolyRoofs, TheHostSplitsTheRoofOnceIntoItsPlaneRoofs) {
    struct Case {
        const char* name;
        std::vector<double> slopes;
        bool foreign; // a plane the host hands as a slab
        size_t count;
        double slope;
    };
    const Case cases[] = {
        {"two planes", {0.5, 0.7}, false, 2, 0.6},
        {"no planes", {}, false, 0, 0.0},
        {"a foreign record among them", {0.5}, true, 1, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const API_Guid guid = addRoof();
        zavhost::StoredElement* element = stored(guid);
        for (double slope : c.slopes)
            element->roofPlanes.push_back(zavhost::makeRoofPlane(*element, slope));
        if (c.foreign) {
            zavhost::StoredRoofPlane slab = zavhost::makeRoofPlane(*element, 0.9);
            slab.record.head.typeCode = HostSlabTypeCode;
            element->roofPlanes.insert(element->roofPlanes.begin(), slab);
        }
        std::unique_ptr<PolyRoof> roof = read(guid);
        ASSERT_NE(roof, nullptr);
        const size_t before = mark();
        EXPECT_EQ(roof->getRoofCount(), c.count);
        EXPECT_EQ(roof->getRoof(c.count), nullptr);
        EXPECT_NEAR(roof->getSlopeAngle(), c.slope, 1e-12);
        EXPECT_EQ(roof->getRoofCount(), c.count);
        EXPECT_EQ(host.calls().count("ConvertPolyRoof", before), 1u) << host.calls().texts(before);
        if (c.count > 0) {
            Roof* first = roof->getRoof(0);
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->getPartId().main, c.foreign ? 2u : 1u);
            ASSERT_NE(first->getOutline(), nullptr);
            EXPECT_EQ(first->getOutline()->getVertexCount(), rectangle.size());
        }
        // A copy asks again, also of the project reopened.
        PolyRoof copy(*roof);
        EXPECT_EQ(copy.getRoofCount(), c.count);
        EXPECT_EQ(host.calls().count("ConvertPolyRoof", before), 2u);
        TempFolder folder;
        ASSERT_EQ(host.saveAndReopenProject(folder.path("planes.zavproj")), hosterr::Ok);
        std::unique_ptr<PolyRoof> reopened = read(guid);
        ASSERT_NE(reopened, nullptr);
        EXPECT_NEAR(reopened->getSlopeAngle(), c.slope, 1e-12);
    }
}

TEST_F(PolyRoofs, WithoutTheHostsSplitTheRoofHasNoPlanesAndKeepsThat) {
    const API_Guid guid = addRoof();
    zavhost::StoredElement* element = stored(guid);
    element->roofPlanes.push_back(zavhost::makeRoofPlane(*element, 0.5));
    std::unique_ptr<PolyRoof> roof = read(guid);
    ASSERT_NE(roof, nullptr);
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "ConvertPolyRoof"));
    installHostTable(&partial);
    EXPECT_EQ(roof->getRoofCount(), 0u);
    EXPECT_EQ(roof->getSlopeAngle(), 0.0);
    installHostTable(&full);
    EXPECT_EQ(roof->getRoofCount(), 0u);
    EXPECT_EQ(PolyRoof(*roof).getRoofCount(), 1u);
}

TEST_F(PolyRoofs, TheFactoryMakesAMultiPlaneRoofOfRoofClassOneOnly) {
    for (uint32_t roofClass : {HostSingleRoofClass, HostPolyRoofClass, 2u}) {
        SCOPED_TRACE(roofClass);
        API_Element record;
        record.head.typeCode = Shelter::TypeCode;
        HostPolyRoofElement part = zavhost::partOf<HostPolyRoofElement>(record);
        part.shelter.roofClass = roofClass;
        zavhost::setPart(record, part);
        ElementLink link(ElementLink::makeTypeId(Shelter::TypeCode), nullptr);
        std::unique_ptr<Element> made = createElement(record, link, nullptr);
        auto* poly = dynamic_cast<PolyRoof*>(made.get());
        EXPECT_EQ(poly != nullptr, roofClass == HostPolyRoofClass);
        EXPECT_EQ(dynamic_cast<Roof*>(made.get()) != nullptr, roofClass == HostSingleRoofClass);
        if (poly != nullptr) {
            EXPECT_EQ(poly->getLink().getSubKind(), HostPolyRoofClass);
        }
    }
    // A new one starts from the host's default roof, as a multi-plane roof.
    PolyRoof fresh;
    EXPECT_EQ(fresh.getShelterRecord().roofClass, HostPolyRoofClass);
    EXPECT_EQ(zavhost::partOf<HostShelterElement>(*fresh.buildRecord()).roofClass, HostPolyRoofClass);
}

} // namespace
