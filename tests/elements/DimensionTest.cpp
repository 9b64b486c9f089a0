// Linear dimensions: directions snapped to horizontal and vertical, points ordered by their
// distance along any direction with ties kept in order, points counted by what their handle holds,
// points placed on element nodes, the arrow written only for which 0 and 1, the other kinds' pens and
// points, and each kind saved, reopened and read back by the factory with its points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "ElementTestSupport.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "elements/ArrowStyle.h"
#include "elements/Dimensions.h"
#include "elements/LinearDimension.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double pi = std::numbers::pi;

class Dimensions : public HostTest {
protected:
    Dimensions() {
        registerElementCreator(LinearDimension::TypeCode, &createLinearDimension);
        registerElementCreator(RadialDimension::TypeCode, &createRadialDimension);
        registerElementCreator(LevelDimension::TypeCode, &createLevelDimension);
        registerElementCreator(AngularDimension::TypeCode, &createAngularDimension);
    }
    ~Dimensions() override { releaseElementCreators(); }
};

std::unique_ptr<DimensionPoint> pointAt(double x, double y, uint32_t value) {
    auto point = std::make_unique<DimensionPoint>();
    point->setPosition(CadPoint(x, y, 0.0));
    point->getRecord().value = value;
    return point;
}

std::vector<uint32_t> valuesOf(LinearDimension& dimension) {
    std::vector<uint32_t> values;
    for (size_t i = 0; i < dimension.getPointCount(); ++i)
        values.push_back(dimension.getPoint(i)->getRecord().value);
    return values;
}

} // namespace

TEST_F(Dimensions, ADirectionSnapsToHorizontalOrVerticalOnlyWhenAsked) {
    struct Case {
        double x, y;
        bool snap;
        uint32_t orientation;
        double dx, dy;
    } cases[] = {
        {-3.0, 1e-6, true, 1, -1.0, 0.0}, {0.0, 2.0, true, 2, 0.0, 1.0},      {0.0, -2.0, true, 2, 0.0, -1.0},
        {1.0, 1.0, true, 0, 1.0, 1.0},    {-3.0, 1e-6, false, 0, -3.0, 1e-6},
    };
    for (const Case& c : cases) {
        LinearDimension dimension;
        dimension.setDirection(CadPoint(c.x, c.y, 0.0), c.snap, 1e-5);
        EXPECT_EQ(dimension.getOrientation(), c.orientation) << c.x << " " << c.y;
        EXPECT_EQ(dimension.getDirection().getX(), c.dx);
        EXPECT_EQ(dimension.getDirection().getY(), c.dy);
    }
    // A vector within the point tolerance of the origin changes nothing, snapped or not.
    for (const CadPoint& none : {CadPoint(), CadPoint(1e-6, 0.0, 0.0), CadPoint(-1e-6, 1e-6, 5.0)}) {
        for (bool snap : {true, false}) {
            LinearDimension dimension;
            dimension.setDirection(CadPoint(0.0, 2.0, 0.0), true, 1e-5);
            dimension.setDirection(none, snap, 1e-5);
            EXPECT_EQ(dimension.getOrientation(), 2u) << none.getX() << " " << snap;
            EXPECT_EQ(dimension.getDirection().getX(), 0.0);
            EXPECT_EQ(dimension.getDirection().getY(), 1.0);
        }
    }
}

TEST_F(Dimensions, PointsGoInOrderOfTheirDistanceAlongTheDirectionAtAnyAngle) {
    for (double degrees : {0.0, 45.0, 90.0, 135.0, 200.0}) {
        const double a = degrees * pi / 180.0;
        const CadPoint along(std::cos(a), std::sin(a), 0.0);
        const CadPoint across(-std::sin(a), std::cos(a), 0.0);
        LinearDimension dimension;
        dimension.setDirection(along, false, 1e-5);
        // Distances 2, -1, 2, 0.5 along, off the line by different amounts; the two at 2 coincide.
        const double distances[] = {2.0, -1.0, 2.0, 0.5};
        for (uint32_t i = 0; i < 4; ++i) {
            const double t = distances[i], off = i == 2 ? 0.0 : 0.3 * i;
            dimension.addPoint(
                pointAt(t * along.getX() + off * across.getX(), t * along.getY() + off * across.getY(), i),
                false);
        }
        EXPECT_EQ(valuesOf(dimension), (std::vector<uint32_t>{1, 3, 0, 2})) << degrees;
        CadPoint reference;
        dimension.getReferencePoint(reference);
        EXPECT_NEAR(reference.getX(), -along.getX(), 1e-9) << degrees; // on the line through the origin
        EXPECT_NEAR(reference.getY(), -along.getY(), 1e-9) << degrees;
        EXPECT_EQ(dimension.getDimensionRecord().pointCount, 4u);
    }
}

TEST_F(Dimensions, UnusablePointsAreIgnoredDefaultsComeFromTheDimensionAndPensAndFlagsKeepTheirWidth) {
    LinearDimension dimension;
    dimension.getDimensionRecord().fieldF4 = 0.75;
    dimension.getDimensionRecord().fieldF5 = 9;
    auto lost = pointAt(1.0, 0.0, 7);
    lost->setUnresolved(true);
    dimension.addPoint(std::move(lost), true);
    dimension.addPoint(nullptr, true);
    EXPECT_EQ(dimension.getPointCount(), 0u);
    dimension.addPoint(pointAt(1.0, 0.0, 7), true);
    EXPECT_EQ(dimension.getPoint(0)->getRecord().word368, 0.75);
    EXPECT_EQ(dimension.getPoint(0)->getRecord().word376, 9u);
    EXPECT_FALSE(dimension.DimensionMemo::isValid()); // one point
    dimension.getDimensionRecord().flagB3 = 5;
    EXPECT_EQ(dimension.setFlagB3(true), 5);
    EXPECT_EQ(dimension.setFlagB3(false), 7);
    EXPECT_EQ(dimension.getDimensionRecord().flagB3, 5);
    dimension.setPen(Pen(AttributeLink(uint32_t(0x00030004), AttrPen)), 0);
    EXPECT_EQ(dimension.getTextPen().getIndex(), 0x00030004u); // the text pen's both words
    EXPECT_EQ(dimension.getArrowPen().getIndex(), 4u);
}

TEST_F(Dimensions, ALinearDimensionsArrowIsWrittenForWhich0And1AndNoOther) {
    ArrowStyle arrow(5);
    arrow.setPen(Pen(AttributeLink(int16_t(6), AttrPen)));
    arrow.setSize(0.25);
    arrow.setExtraByte(0, 3);
    arrow.setExtraByte(1, 1);
    arrow.setExtraByte(2, 1);
    for (uint32_t which : {0u, 1u}) {
        LinearDimension dimension;
        dimension.setArrowStyle(arrow, which);
        const HostLinearDimension& record = dimension.getDimensionRecord();
        EXPECT_EQ(record.arrow.kind, 5u) << which;
        EXPECT_EQ(record.arrow.pen, 6u) << which;
        EXPECT_EQ(record.arrow.size, 0.25) << which;
        EXPECT_EQ(record.arrowExtra[0], 3u) << which;
        EXPECT_EQ(record.arrowExtra[1], 1u) << which;
        EXPECT_EQ(record.arrowExtra[2], 1u) << which;
        std::unique_ptr<ArrowStyle> back = dimension.getArrowStyle(which);
        ASSERT_NE(back, nullptr) << which;
        EXPECT_EQ(back->getKind(), 5u);
        EXPECT_EQ(back->getExtraByte(0), 3u);
    }
    LinearDimension dimension;
    const std::unique_ptr<API_Element> before = dimension.buildRecord();
    dimension.setArrowStyle(arrow, 2);
    EXPECT_EQ(std::memcmp(dimension.buildRecord()->raw, before->raw, sizeof before->raw), 0);
    EXPECT_EQ(dimension.getArrowStyle(2), nullptr);
}

TEST_F(Dimensions, PointsAreCountedByWholeRecordsAndGoThroughAProjectFile) {
    API_ElementMemo memo;
    memo.dimensionPoints = allocateHandle(1000); // two records and 88 bytes
    auto* records = reinterpret_cast<HostDimensionPoint*>(*memo.dimensionPoints);
    records[0].position = {4.0, 0.0};
    records[0].hostReference = 0xDEADBEEF;
    records[1].position = {1.0, 0.0};
    LinearDimension dimension;
    {
        ElementMemoStore store(&memo);
        store.setReleased(true);
        ASSERT_TRUE(dimension.readMemo(store));
    }
    freeHandle(memo.dimensionPoints);
    ASSERT_EQ(dimension.getPointCount(), 2u);
    EXPECT_EQ(dimension.getPoint(0)->getRecord().hostReference, 0u);
    dimension.setReferencePoint(CadPoint(0.0, 2.0, 0.0));
    EXPECT_EQ(dimension.getPoint(0)->getPosition().getX(), 1.0);

    TempFolder folder;
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(dimension, false, true); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("dimensions.zavproj")), hosterr::Ok);
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(dimension.getGuid(), plan));
    auto* read = dynamic_cast<LinearDimension*>(element.get());
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->getPointCount(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(std::memcmp(&read->getPoint(i)->getRecord(), &dimension.getPoint(i)->getRecord(),
                              sizeof(HostDimensionPoint)),
                  0)
            << i;
    EXPECT_EQ(
        std::memcmp(reinterpret_cast<const char*>(&read->getDimensionRecord()) + sizeof(HostElementHead),
                    reinterpret_cast<const char*>(&dimension.getDimensionRecord()) + sizeof(HostElementHead),
                    sizeof(HostLinearDimension) - sizeof(HostElementHead)),
        0);
    CadPoint reference;
    read->getReferencePoint(reference);
    EXPECT_EQ(reference.getX(), 1.0);
    EXPECT_EQ(reference.getY(), 2.0);
}

// Points that could not be drawn are refused as a polygon's coordinates are: the read answers
// false, nothing is loaded, and the stored points are not written over.
TEST_F(Dimensions, APointAtNoFinitePositionRefusesTheRead) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        bool accepted;
        size_t point;
        HostCoord2D position;
        double height = 0.0;
        HostCoord2D projection = {1.0, 0.0};
    } cases[] = {
        {"finite", true, 1, {1.0, 0.0}},
        {"NaN x", false, 1, {nan, 0.0}},
        {"NaN y", false, 0, {4.0, nan}},
        {"infinite x", false, 1, {inf, 0.0}},
        {"infinite y", false, 0, {4.0, inf}},
        {"minus infinite x", false, 0, {-inf, 0.0}},
        {"minus infinite y", false, 1, {1.0, -inf}},
        {"NaN height", false, 1, {1.0, 0.0}, nan},
        {"infinite projection", false, 1, {1.0, 0.0}, 0.0, {inf, 0.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        API_ElementMemo memo;
        memo.dimensionPoints = allocateHandle(2 * sizeof(HostDimensionPoint));
        auto* records = reinterpret_cast<HostDimensionPoint*>(*memo.dimensionPoints);
        records[0].position = {4.0, 0.0};
        records[0].projection = {4.0, 0.0};
        records[c.point].position = c.position;
        records[c.point].position3D = {c.position.x, c.position.y, c.height};
        records[c.point].projection = c.projection;
        const std::string stored(*memo.dimensionPoints, 2 * sizeof(HostDimensionPoint));
        LinearDimension dimension;
        dimension.appendPoint(pointAt(7.0, 7.0, 3));
        {
            ElementMemoStore store(&memo);
            store.setReleased(true);
            EXPECT_EQ(dimension.readMemo(store), c.accepted);
            EXPECT_EQ(dimension.isLoaded(), c.accepted);
            EXPECT_EQ(dimension.getPointCount(), c.accepted ? 2u : 0u);
            ASSERT_TRUE(dimension.writeMemo(store));
            ASSERT_NE(memo.dimensionPoints, nullptr);
            if (!c.accepted) {
                EXPECT_EQ(std::string(*memo.dimensionPoints,
                                      static_cast<size_t>(getHandleSize(memo.dimensionPoints))),
                          stored);
            }
        }
        freeHandle(memo.dimensionPoints);
    }
}

TEST_F(Dimensions, APointFindsTheElementsNodeNearItOrSaysItFoundNone) {
    const API_Guid guid = addHostElement(host, 19, nullptr, [](zavhost::StoredElement& e) {
        e.nodes = {{0.0, 0.0, 0.0}, {5.0, 0.0, 0.0}, {5.0, 3.0, 0.0}};
    });
    Plan* plan = Host::getPlan();
    auto linkOn = [&](uint32_t node) {
        ElementLink link(Guid(guid), plan);
        link.setParts(node, link.getPartCode());
        return link;
    };
    struct Case {
        uint32_t own;
        bool withNear;
        double x, y;
        uint32_t node;
        bool noNode, usable;
        double px, py; // the position kept
    } cases[] = {
        {1, true, 5.0, 3.0 + 1e-7, 3, false, true, 5.0, 3.0 + 1e-7}, // the link's node is elsewhere
        {2, true, 5.0, 0.0, 2, false, true, 5.0, 0.0},               // the link's own node
        {0, true, 9.0, 9.0, 0, true, true, 9.0, 9.0},                // no node there
        {3, false, 0.0, 0.0, 3, false, true, 5.0, 3.0},              // on the link's node
        {7, false, 0.0, 0.0, 7, false, false, 0.0, 0.0},             // a node the host does not know
    };
    for (const Case& c : cases) {
        const CadPoint near(c.x, c.y, 0.0);
        auto point = std::make_unique<DimensionPoint>(linkOn(c.own), c.withNear ? &near : nullptr, 42, 1e-5);
        const HostDimensionPoint& record = point->getRecord();
        EXPECT_EQ(record.nodeIndex, c.node) << c.own;
        EXPECT_EQ(record.noNode != 0, c.noNode) << c.own;
        EXPECT_EQ(point->isUsable(), c.usable) << c.own;
        EXPECT_EQ(record.position.x, c.px) << c.own;
        EXPECT_EQ(record.position.y, c.py) << c.own;
        EXPECT_EQ(record.projection.y, c.py);
        EXPECT_EQ(record.elementType, 19u);
        EXPECT_EQ(record.value, 42u);
        EXPECT_EQ(point->getElementLink(), linkOn(c.node));
        LinearDimension dimension;
        dimension.addPoint(std::move(point), false);
        EXPECT_EQ(dimension.getPointCount(), c.usable ? 1u : 0u);
    }
}

// The node walk is bounded, and the last node an element may hold is matched like any other.
TEST_F(Dimensions, APointOnTheLastNodeAnElementMayHoldIsMatched) {
    const API_Guid guid = addHostElement(host, 19);
    // A host that never refuses a node: node i lies at (i, 0).
    host.utilityCalls().add("NTOC", [](zavhost::SelectorCall& call) {
        HostSelectionRecord record;
        std::memcpy(&record, call.args[0], sizeof record);
        const HostCoord3D node{static_cast<double>(record.partIndex), 0.0, 0.0};
        std::memcpy(call.args[1], &node, sizeof node);
        return hosterr::Ok;
    });
    ElementLink link(Guid(guid), Host::getPlan());
    link.setParts(0, link.getPartCode());
    const uint32_t last = Element::MaxNodePoints;
    const CadPoint near(static_cast<double>(last), 0.0, 0.0);
    DimensionPoint point(link, &near, 0, 1e-5);
    EXPECT_EQ(point.getRecord().nodeIndex, last);
    EXPECT_EQ(point.getRecord().noNode, 0);
    EXPECT_TRUE(point.isUsable());
    EXPECT_EQ(point.getRecord().position.x, near.getX());
}

TEST_F(Dimensions, TheOtherKindsSetTheirPensAndPointsAndComeBackFromAProjectFile) {
    RadialDimension radial;
    radial.setPen(Pen(AttributeLink(int16_t(7), AttrPen)), 0);
    LevelDimension level;
    level.setPen(Pen(AttributeLink(int16_t(8), AttrPen)), 0);
    level.setReferencePoint(CadPoint(2.0, 3.0, 0.0));
    AngularDimension angular;
    HostAngularDimension& points = const_cast<HostAngularDimension&>(angular.getAngularRecord());
    for (int i = 0; i < 4; ++i)
        points.points[i].point = {1.0 + i, 1.0 - i};
    angular.setReferencePoint(CadPoint(4.0, 5.0, 0.0));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(angular.getAngularRecord().points[i].point.x, 4.0 + i) << i;
        EXPECT_EQ(angular.getAngularRecord().points[i].point.y, 5.0 - i) << i;
    }
    struct Case {
        Element* element;
        uint32_t role;
        uint32_t pen;
    } cases[] = {{&radial, 1, 7}, {&radial, 16, 7}, {&radial, 17, 7}, {&radial, 5, 0},
                 {&level, 16, 8}, {&level, 17, 0},  {&angular, 2, 0}};
    for (const Case& c : cases) {
        Pen pen;
        c.element->getPen(pen, c.role);
        EXPECT_EQ(pen.getIndex(), c.pen) << c.element->getElementID() << " " << c.role;
    }

    TempFolder folder;
    Element* elements[] = {&radial, &level, &angular};
    for (Element* element : elements)
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*element, false, true); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("kinds.zavproj")), hosterr::Ok);
    Plan* plan = Host::getPlan();
    for (Element* element : elements) {
        std::unique_ptr<Element> read = plan->get(ElementLink(element->getGuid(), plan));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->getElementID(), element->getElementID());
        EXPECT_EQ(std::memcmp(read->buildRecord()->raw + sizeof(HostElementHead),
                              element->buildRecord()->raw + sizeof(HostElementHead),
                              872 - sizeof(HostElementHead)),
                  0)
            << element->getElementID();
        CadPoint a, b;
        read->getReferencePoint(a);
        element->getReferencePoint(b);
        EXPECT_EQ(a.getX(), b.getX());
    }
}
