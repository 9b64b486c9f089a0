// Line work and hotspots: the arc a circle's angles make, pens that touch only their own field,
// new and host elements saved, reopened and read back by the factory unchanged (an arc keeping
// its type, polyline arcs, spline directions), and spline vertices counted by what their handles
// hold.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "elements/Circle.h"
#include "elements/Hotspot.h"
#include "elements/LineElement.h"
#include "elements/PolyLine.h"
#include "elements/Spline.h"
#include "project/Pen.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double pi = std::numbers::pi;

class LineWork : public HostTest {
protected:
    LineWork() {
        registerElementCreator(LineElement::TypeCode, &createLine);
        registerElementCreator(Circle::TypeCode, &createCircle);
        registerElementCreator(Circle::ArcTypeCode, &createCircle);
        registerElementCreator(PolyLine::TypeCode, &createPolyLine);
        registerElementCreator(Spline::TypeCode, &createSpline);
        registerElementCreator(Hotspot::TypeCode, &createHotspot);
    }
    ~LineWork() override { releaseElementCreators(); }

    std::unique_ptr<Element> read(const Guid& guid) {
        Plan* plan = Host::getPlan();
        return plan->get(ElementLink(guid, plan));
    }
};

template <class Record> std::string bytesPast(const Record& record) {
    return std::string(reinterpret_cast<const char*>(&record) + sizeof(HostElementHead),
                       sizeof record - sizeof(HostElementHead));
}

GSErrCode failingMemo(const API_Guid*, API_ElementMemo*, uint64_t) {
    return hosterr::Failed;
}

// Open, with a clockwise quarter turn into its third vertex.
std::unique_ptr<CadPolygon> zigzag() {
    auto polygon = std::make_unique<CadPolygon>(3, 0, false);
    polygon->append(PolyPoint(CadPoint(0.0, 0.0, 0.0)));
    polygon->append(PolyPoint(CadPoint(2.0, 0.0, 0.0)));
    polygon->append(PolyPoint(CadPoint(3.0, 1.0, 0.0), -pi / 2));
    polygon->append(PolyPoint(CadPoint(1.0, 4.0, 0.0)));
    return polygon;
}

} // namespace

TEST_F(LineWork, ACirclesAnglesGiveTheSweepOfItsArc) {
    struct Case {
        double begin, end;
        bool reflected;
        double sweep;
        bool full;
    } cases[] = {
        {0.0, pi / 2, false, pi / 2, false},
        {0.0, pi / 2, true, -3 * pi / 2, false},
        {pi / 2, 0.0, false, 3 * pi / 2, false},
        {1.0, 1.0 + 1e-6, false, 1e-6, true},
        {2.0, 2.0, true, 0.0, true},
    };
    for (const Case& c : cases) {
        Circle circle;
        circle.setReferencePoint(CadPoint(1.0, 2.0, 0.0));
        circle.setRadius(2.0);
        circle.setBeginAngle(c.begin);
        circle.setEndAngle(c.end);
        circle.setReflected(c.reflected);
        const CadArc arc = circle.getArc();
        EXPECT_NEAR(arc.getSweep(), c.sweep, 1e-12) << c.begin << " " << c.end;
        EXPECT_DOUBLE_EQ(arc.getStartAngle(), c.begin);
        EXPECT_EQ(circle.isFullCircle(), c.full);
        std::unique_ptr<CadPolygon> outline = circle.getOutline();
        ASSERT_EQ(outline->getVertexCount(), 2u);
        EXPECT_EQ(outline->isClosed(), c.full);
        EXPECT_NEAR(outline->getVertex(1).getArcAngle(), c.sweep, 1e-12);
        EXPECT_NEAR(outline->getVertex(0).getX(), 1.0 + 2.0 * std::cos(c.begin), 1e-12);
    }
}

TEST_F(LineWork, APenRoleTouchesOnlyItsOwnField) {
    LineElement line;
    const HostLineElement before = line.getLineRecord();
    line.setPen(Pen(AttributeLink(uint32_t(0x00020007), AttrPen)), 0);
    HostLineElement expected = before;
    expected.penValue = 0x00020007; // both words, as the host keeps them
    EXPECT_EQ(bytesPast(line.getLineRecord()), bytesPast(expected));
    line.setPen(Pen(AttributeLink(int16_t(5), AttrPen)), 17);
    expected.arrow.pen = 5;
    EXPECT_EQ(bytesPast(line.getLineRecord()), bytesPast(expected));
    line.setPen(Pen(AttributeLink(int16_t(9), AttrPen)), 8);
    EXPECT_EQ(bytesPast(line.getLineRecord()), bytesPast(expected));
    Pen pen;
    line.getPen(pen, 1);
    EXPECT_EQ(pen.getIndex(), 0x00020007u);
    line.getPen(pen, 6);
    EXPECT_EQ(pen.getIndex(), 0u);
}

TEST_F(LineWork, LinesCirclesArcsAndHotspotsComeBackUnchangedAfterASaveAndReopen) {
    TempFolder folder;
    const API_Guid arcGuid =
        addHostElement(host, Circle::ArcTypeCode, nullptr, [](zavhost::StoredElement& e) {
            HostCircleElement arc;
            std::memcpy(static_cast<void*>(&arc), e.record.raw, sizeof arc);
            arc.radius = 3.0;
            arc.axisRatio = 1.0;
            arc.beginAngle = 0.25;
            arc.endAngle = 1.5;
            arc.word224 = 0.5;
            std::memcpy(e.record.raw, &arc, sizeof arc);
        });
    std::unique_ptr<Element> arc = read(Guid(arcGuid));
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->getElementID(), ElementLink::makeTypeId(Circle::TypeCode));
    arc->setReferencePoint(CadPoint(4.0, 5.0, 0.0));

    LineElement line;
    EXPECT_EQ(line.getLineRecord().penValue, 1u); // the host's defaults
    line.setReferencePoint(CadPoint(1.0, 1.0, 0.0));
    line.setEndPoint(CadPoint(4.0, 5.0, 0.0));
    line.setFlag(true);
    EXPECT_DOUBLE_EQ(line.getLength(), 5.0);
    Circle circle(CadArc(CadPoint(2.0, 0.0, 0.0), 1.5, pi, 0.5));
    EXPECT_DOUBLE_EQ(circle.getCircleRecord().axisRatio, 1.0);

    Hotspot hotspot;
    hotspot.setReferencePoint(CadPoint(-2.0, 7.5, 0.0));
    hotspot.setPen(Pen(AttributeLink(int16_t(12), AttrPen)), 0);

    Element* elements[] = {&line, &circle, arc.get(), &hotspot};
    for (Element* element : elements)
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*element, false, false); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("linework.zavproj")), hosterr::Ok);

    auto reread = [&](Element& element) { return read(element.getGuid()); };
    auto line2 = reread(line);
    auto* readLine = dynamic_cast<LineElement*>(line2.get());
    ASSERT_NE(readLine, nullptr);
    EXPECT_EQ(bytesPast(readLine->getLineRecord()), bytesPast(line.getLineRecord()));
    for (Element* element : {static_cast<Element*>(&circle), arc.get()}) {
        auto again = reread(*element);
        auto* readCircle = dynamic_cast<Circle*>(again.get());
        ASSERT_NE(readCircle, nullptr);
        const auto& mine = dynamic_cast<Circle&>(*element).getCircleRecord();
        EXPECT_EQ(bytesPast(readCircle->getCircleRecord()), bytesPast(mine));
        EXPECT_EQ(readCircle->getCircleRecord().head.typeCode, mine.head.typeCode);
    }
    EXPECT_EQ(host.project()->model.views.findElement(arcGuid)->record.head.typeCode, Circle::ArcTypeCode);
    auto spot = reread(hotspot);
    auto* readSpot = dynamic_cast<Hotspot*>(spot.get());
    ASSERT_NE(readSpot, nullptr);
    EXPECT_EQ(bytesPast(readSpot->getHotspotRecord()), bytesPast(hotspot.getHotspotRecord()));
    EXPECT_EQ(readSpot->getHotspotRecord().pen, 12u);
}

TEST_F(LineWork, APolylineKeepsItsVerticesAndArcsThroughAProjectFileAndOneNeverReadKeepsTheHosts) {
    TempFolder folder;
    PolyLine made(zigzag());
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(made, false, true); }));
    HostPolyLineElement record;
    std::memcpy(static_cast<void*>(&record), made.buildRecord()->raw, sizeof record);
    ASSERT_EQ(host.saveAndReopenProject(folder.path("polyline.zavproj")), hosterr::Ok);
    auto readBack = [&] {
        std::unique_ptr<Element> element = read(made.getGuid());
        return std::unique_ptr<PolyLine>(dynamic_cast<PolyLine*>(element.release()));
    };
    std::unique_ptr<PolyLine> polyline = readBack();
    ASSERT_NE(polyline, nullptr);
    const HostPolyLineElement& kept = polyline->getPolyLineRecord();
    EXPECT_EQ(kept.coordinateCount, 4u); // one-based, open: no repeated point
    EXPECT_EQ(kept.arcCount, 1u);
    EXPECT_EQ(bytesPast(kept), bytesPast(record));
    std::unique_ptr<CadPolygon> outline = polyline->getOutline();
    ASSERT_NE(outline, nullptr);
    const std::unique_ptr<CadPolygon> expected = zigzag();
    ASSERT_EQ(outline->getVertexCount(), expected->getVertexCount());
    EXPECT_FALSE(outline->isClosed());
    for (size_t i = 0; i < expected->getVertexCount(); ++i) {
        EXPECT_EQ(outline->getVertex(i).getX(), expected->getVertex(i).getX()) << i;
        EXPECT_EQ(outline->getVertex(i).getY(), expected->getVertex(i).getY()) << i;
        EXPECT_DOUBLE_EQ(outline->getVertex(i).getArcAngle(), expected->getVertex(i).getArcAngle()) << i;
    }

    std::unique_ptr<PolyLine> blind = readBack();
    HostFunctionTable table = host.functionTable();
    table.GetElementMemo = &failingMemo;
    installHostTable(&table);
    blind->setPen(Pen(AttributeLink(int16_t(6), AttrPen)), 1);
    EXPECT_EQ(blind->getOutline(), nullptr);
    EXPECT_FALSE(change([&] { return Host::getPlan()->saveElement(*blind, false, true); }));
    EXPECT_TRUE(change([&] { return Host::getPlan()->saveElement(*blind, false, false); }));
    installHostTable(&host.functionTable());
    polyline = readBack();
    EXPECT_EQ(polyline->getPolyLineRecord().penValue, 6u);
    EXPECT_EQ(polyline->getPolyLineRecord().coordinateCount, record.coordinateCount);
    ASSERT_NE(polyline->getOutline(), nullptr);
    EXPECT_EQ(polyline->getOutline()->getVertexCount(), 4u);
}

TEST_F(LineWork, OpenAndClosedSplinesKeepTheirDirectionsUnlessDirectionFree) {
    TempFolder folder;
    struct Case {
        bool closed, directionFree;
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    std::unique_ptr<Spline> made[4];
    for (size_t c = 0; c < 4; ++c) {
        auto polygon = std::make_unique<CadPolygon>(3, 0, cases[c].closed);
        for (int i = 0; i < 3; ++i)
            polygon->append(new SplinePoint(CadPoint(i, i * i + c, 0.0), 0.5 + i, 1.5 + i, 0.25 * i));
        made[c] = std::make_unique<Spline>(std::move(polygon));
        made[c]->setClosed(cases[c].closed);
        made[c]->setDirectionFree(cases[c].directionFree);
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*made[c], false, true); })) << c;
    }
    ASSERT_EQ(host.saveAndReopenProject(folder.path("splines.zavproj")), hosterr::Ok);
    for (size_t c = 0; c < 4; ++c) {
        const auto& stored = host.project()->model.views.findElement(made[c]->getGuid().toAPI())->memo;
        EXPECT_EQ(stored.blocks.count(offsetof(API_ElementMemo, splineDirections)),
                  cases[c].directionFree ? 0u : 1u);
        EXPECT_EQ(stored.blocks.at(0).bytes.size(), 3 * sizeof(HostCoord2D)) << c; // no repeated point
        std::unique_ptr<Element> element = read(made[c]->getGuid());
        auto* spline = dynamic_cast<Spline*>(element.get());
        ASSERT_NE(spline, nullptr);
        EXPECT_EQ(spline->isClosed(), cases[c].closed);
        std::unique_ptr<CadPolygon> outline = spline->getOutline();
        ASSERT_NE(outline, nullptr);
        ASSERT_EQ(outline->getVertexCount(), 3u) << c;
        EXPECT_EQ(outline->isClosed(), cases[c].closed);
        for (size_t i = 0; i < 3; ++i) {
            const auto& vertex = dynamic_cast<const SplinePoint&>(outline->getVertex(i));
            EXPECT_EQ(vertex.getY(), double(i * i + c));
            EXPECT_EQ(vertex.getDirection().second, cases[c].directionFree ? 0.0 : 1.5 + i) << c << " " << i;
        }
        HostSplineRecord record;
        std::memcpy(static_cast<void*>(&record), spline->buildRecord()->raw, sizeof record);
        EXPECT_EQ(record.counts.coordinates, 3u);
        EXPECT_EQ(record.counts.subPolygons, 1u);
        CadPoint end = spline->getEndPoint();
        EXPECT_EQ(end.getX(), 2.0);
    }
}

TEST_F(LineWork, SplineVerticesAreCountedByTheirHandleAndDirectionsReadOnlyAsFarAsTheyGo) {
    API_ElementMemo memo;
    memo.coordinates = allocateHandle(40); // two points and half of a third
    memo.splineDirections = allocateHandle(sizeof(HostSplineDirection));
    auto* points = reinterpret_cast<HostCoord2D*>(*memo.coordinates);
    points[0] = {1.0, 2.0};
    points[1] = {3.0, 4.0};
    reinterpret_cast<HostSplineDirection*>(*memo.splineDirections)[0] = {7.0, 8.0, 9.0};
    Spline spline;
    {
        ElementMemoStore store(&memo);
        store.setReleased(true);
        ASSERT_TRUE(spline.readMemo(store));
    }
    freeHandle(memo.coordinates);
    freeHandle(memo.splineDirections);
    const CadPolygon* polygon = spline.heldPolygon();
    ASSERT_EQ(polygon->getVertexCount(), 2u);
    EXPECT_EQ(dynamic_cast<const SplinePoint&>(polygon->getVertex(0)).getDirection().third, 9.0);
    EXPECT_EQ(dynamic_cast<const SplinePoint&>(polygon->getVertex(1)).getDirection().first, 0.0);
    CadPoint start;
    spline.getReferencePoint(start);
    EXPECT_EQ(start.getY(), 2.0);
    EXPECT_EQ(Spline().getEndPoint().getX(), 0.0); // no vertices: the origin
}
