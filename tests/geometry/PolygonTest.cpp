#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "geometry/CadPolygon.h"

using namespace tarnwick;

namespace {

CadPolygon square(double size, bool withHole) {
    CadPolygon polygon(Cube(0, 0, 0, size, size, 0), 0.0);
    if (withHole)
        polygon.addHole(new CadPolygon(Cube(size / 4, size / 4, 0, size * 3 / 4, size * 3 / 4, 0), 0.0));
    return polygon;
}

CadPolygon fromPoints(std::initializer_list<CadPoint> points, bool closed = true) {
    CadPolygon polygon(points.size(), 0, closed);
    for (const CadPoint& p : points)
        polygon.append(PolyPoint(p));
    return polygon;
}

// A vertex type of a caller, to check that copies keep the kind.
struct TaggedPoint : PolyPoint {
    using PolyPoint::PolyPoint;
    int tag = 7;

protected:
    TaggedPoint* newCopy() const override { return new TaggedPoint(*this); }
};

} // namespace

TEST(CadPolygon, AreaIsZeroUnlessValidAndHolesReduceIt) {
    CadPolygon polygon = fromPoints({{0, 0}, {2, 0}});
    EXPECT_FALSE(polygon.isValid());
    EXPECT_EQ(polygon.getArea(), 0.0);
    polygon.vertexRef(1).setArcAngle(kPi); // a half disc of radius 1 below the chord
    EXPECT_TRUE(polygon.isValid());
    EXPECT_NEAR(polygon.getArea(), kPi / 2, 1e-12);
    CadPolygon holed = square(4, true);
    EXPECT_DOUBLE_EQ(holed.getArea(), 16 - 4);
    EXPECT_DOUBLE_EQ(holed.getArea(false, true), 16);
    holed.reverse();
    EXPECT_DOUBLE_EQ(holed.getArea(), -12);
    holed.getHole(0).clearVertices();
    EXPECT_FALSE(holed.isValid(true));
    EXPECT_TRUE(holed.isValid(false));
}

TEST(CadPolygon, PositionWithHoles) {
    const CadPolygon polygon = square(4, true);
    const struct {
        CadPoint p;
        uint32_t code;
    } cases[] = {{{0.5, 0.5}, CadPolygon::kInterior},
                 {{2, 2}, CadPolygon::kOutside}, // in the hole
                 {{1, 2}, CadPolygon::kOnBoundary},
                 {{0, 0}, CadPolygon::kOnBoundary},
                 {{5, 0}, CadPolygon::kOutside}}; // collinear with an edge, beyond its end
    for (const auto& c : cases) {
        EXPECT_EQ(polygon.getPosition(c.p), c.code) << c.p.getX() << " " << c.p.getY();
        EXPECT_EQ(polygon.contains(c.p), c.code != CadPolygon::kOutside);
    }
    EXPECT_EQ(CadPolygon().getPosition(CadPoint()), CadPolygon::kOutside);
    CadPolygon halfDisc = fromPoints({{-1, 0}, {1, 0}}, false); // a half circle bulging below
    halfDisc.vertexRef(1).setArcAngle(kPi);
    EXPECT_NEAR(halfDisc.getBounds()->getMin().getY(), -1.0, 1e-12);
    EXPECT_EQ(halfDisc.getPosition(CadPoint(0, -0.5)), CadPolygon::kInterior);
    EXPECT_FALSE(CadPolygon().getBounds());
}

TEST(CadPolygon, CopiesAreDeepAndKeepTheVertexKind) {
    CadPolygon original = square(4, true);
    original.append(new TaggedPoint(CadPoint(9, 9), 0.25, 5));
    original.setSecondFlag(true);
    original.setVertexIdCounter(12);
    CadPolygon copy(original);
    copy.vertexRef(0).setX(100);
    copy.getHole(0).vertexRef(0).setArcAngle(1.0);
    EXPECT_EQ(original.getVertex(0).getX(), 0.0);
    EXPECT_EQ(original.getHole(0).getVertex(0).getArcAngle(), 0.0);
    ASSERT_NE(dynamic_cast<const TaggedPoint*>(&copy.getVertex(4)), nullptr);
    EXPECT_EQ(copy.getVertex(4).getId(), 5u);
    EXPECT_TRUE(copy.getSecondFlag());
    EXPECT_EQ(copy.getVertexIdCounter(), 12u);
    CadPolygon assigned;
    assigned = copy;
    CadPolygon& same = assigned;
    assigned = same; // self-assignment keeps the vertices
    EXPECT_EQ(assigned.getTotalCount(), 9u);
    EXPECT_EQ(assigned.clone()->getHole(0).getVertexCount(), 4u);
    EXPECT_EQ(assigned.getTotalCount(true), 5u);
}

TEST(CadPolygon, VertexAccessWrapsAndAnEmptyPolygonThrows) {
    CadPolygon polygon = square(1, false);
    EXPECT_EQ(&polygon.getVertex(5), &polygon.getVertex(1));
    EXPECT_THROW(polygon.getHole(0), std::out_of_range);
    EXPECT_THROW(polygon.removeVertex(4), std::out_of_range);
    CadPolygon empty;
    try {
        (void)empty.getVertex(0);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_EQ(empty.getEdgeMeasureSum(), 0.0);
}

TEST(CadPolygon, InsertPointSplitsEdgesAndArcs) {
    CadPolygon polygon = square(4, true);
    uint32_t contour = 99;
    EXPECT_EQ(polygon.findVertex(CadPoint(3, 3, 7), kTolerance, &contour), 2u);
    EXPECT_EQ(contour, 1u);
    EXPECT_EQ(polygon.findVertex(CadPoint(2, 2)), CadPolygon::kNotFound);
    EXPECT_TRUE(polygon.insertPoint(0, CadPoint(2, 1))); // on the hole
    EXPECT_EQ(polygon.getHole(0).getVertexCount(), 5u);
    polygon.renumberVertexIds(0);
    EXPECT_EQ(polygon.getHole(0).getVertex(0).getId(), 5u);
    EXPECT_EQ(polygon.getVertexIdCounter(), 9u);

    // a point on a quarter-circle edge splits it into two arcs of the same circle
    CadPolygon round(Cube(-1, -1, 0, 1, 1, 0), 0.0);
    for (size_t i = 0; i < 4; ++i)
        round.vertexRef(i).setArcAngle(kPi / 2);
    const double area = round.getArea();
    const CadPoint onArc(std::sqrt(2.0), 0.0);
    EXPECT_TRUE(round.insertPoint(1, onArc));
    EXPECT_NEAR(round.getVertex(2).getArcAngle() + round.getVertex(3).getArcAngle(), kPi / 2, 1e-12);
    EXPECT_NEAR(round.getArea(), area, 1e-9);
    EXPECT_NEAR(round.getEdgeMeasureSum(), 2 * kPi * std::sqrt(2.0), 1e-9);
    EXPECT_FALSE(round.insertPoint(0, onArc)); // now a vertex
    EXPECT_FALSE(round.insertPoint(0, CadPoint(0, 0)));
    // a collinear point beyond an edge's end is on no edge
    CadPolygon open = fromPoints({{0, 0}, {4, 0}}, false);
    EXPECT_FALSE(open.insertPoint(0, CadPoint(6, 0)));
    EXPECT_FALSE(open.insertPoint(0, CadPoint(-1, 0)));
}

TEST(CadPolygon, CleanUpDropsRepeatsAndEmptyHoles) {
    const struct {
        std::vector<CadPoint> points;
        size_t expected;
    } cases[] = {
        {{{0, 0}, {0, 0}, {1, 0}, {1, 1}, {1, 1 + 1e-7}, {0, 0}}, 3},
        {{{0, 0}, {0, 0}, {0, 0}}, 1},
        {{{0, 0}, {1, 0}, {1, 0}, {1, 0}, {0, 1}, {0, 1}}, 3},
        {{{0, 0}, {1e-5 * 0.6, 0}, {1e-5 * 1.2, 0}}, 2}, // each compared with the last one kept
        {{}, 0},
    };
    for (const auto& c : cases) {
        CadPolygon polygon(c.points.size());
        for (size_t i = 0; i < c.points.size(); ++i)
            polygon.append(
                PolyPoint(c.points[i], i + 1 == c.points.size() ? 0.3 : 0.0, static_cast<uint32_t>(i)));
        polygon.addHole(new CadPolygon(square(1, false)));
        polygon.addHole(new CadPolygon(1));
        polygon.addHole(new CadPolygon(fromPoints({{2, 2}, {2, 2}, {2, 2}})));
        polygon.cleanUp();
        EXPECT_EQ(polygon.getVertexCount(), c.expected) << c.points.size();
        ASSERT_EQ(polygon.getHoleCount(), 1u);
        EXPECT_EQ(polygon.getHole(0).getVertexCount(), 4u);
        for (size_t i = 1; i < polygon.getVertexCount(); ++i)
            EXPECT_FALSE(polygon.getVertex(i).isEqual(polygon.getVertex(i - 1)));
    }
    CadPolygon closing = fromPoints({{0, 0}, {1, 0}, {1, 1}, {0, 0}});
    closing.vertexRef(3).setArcAngle(0.3);
    closing.cleanUp();
    EXPECT_EQ(closing.getVertexCount(), 3u);
    EXPECT_EQ(closing.getVertex(0).getArcAngle(), 0.3); // the closing edge keeps its arc
}

TEST(CadPolygon, RotatedBoxAndPerimeter) {
    const CadPolygon box(Cube(1, -1, 0, -1, 1, 0), kPi / 4); // corners given in any order
    ASSERT_EQ(box.getVertexCount(), 4u);
    EXPECT_TRUE(box.getVertex(0).isEqual(CadPoint(0, -std::sqrt(2.0)), 1e-12));
    EXPECT_NEAR(box.getArea(), 4.0, 1e-12);
    EXPECT_NEAR(box.getEdgeMeasureSum(), 8.0, 1e-12);
    CadPolygon open(box);
    open.setClosed(false);
    EXPECT_NEAR(open.getEdgeMeasureSum(), 6.0, 1e-12);
}
