// Lines, circles and arcs: the arc a circle's angles make, pens that touch only their own field,
// and new and host elements saved, reopened and read back by the factory unchanged, an arc
// keeping its type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "Environment/TempFolder.h"
#include "elements/Circle.h"
#include "elements/LineElement.h"
#include "elements/PolyLine.h"
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

TEST_F(LineWork, LinesCirclesAndArcsComeBackUnchangedAfterASaveAndReopen) {
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

    Element* elements[] = {&line, &circle, arc.get()};
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
