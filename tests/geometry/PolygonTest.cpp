#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>

#include "RandomShapes.h"
#include "geometry/CadPolygon.h"

using namespace tarnwick;
using namespace geometry_test;

namespace {

CadPolygon square(double size, bool withHole) {
    CadPolygon polygon(Cube(0, 0, 0, size, size, 0), 0.0);
    if (withHole)
        polygon.addHole(new CadPolygon(Cube(size / 4, size / 4, 0, size * 3 / 4, size * 3 / 4, 0), 0.0));
    return polygon;
}

// A vertex type of a caller, to check that copies keep the kind.
struct TaggedPoint : PolyPoint {
    using PolyPoint::PolyPoint;
    int tag = 7;
    TaggedPoint* clone() const override { return new TaggedPoint(*this); }
};

} // namespace

TEST(CadPolygon, AreaMatchesDenseOutlineAndFlipsWithOrientation) {
    std::mt19937 rng(20240511);
    for (int round = 0; round < 300; ++round) {
        std::unique_ptr<CadPolygon> polygon(randomPolygon(rng));
        const double area = polygon->getArea();
        EXPECT_NEAR(area, shoelace(densePoints(*polygon, 1024)), 1e-3 * std::fabs(area) + 1e-6);
        CadPolygon reversed(*polygon);
        reversed.reverse();
        EXPECT_NEAR(reversed.getArea(), -area, 1e-9 * std::fabs(area) + 1e-9);
        reversed.reverse();
        for (size_t i = 0; i < polygon->getVertexCount(); ++i)
            EXPECT_NEAR(reversed.getVertex(i).getArcAngle(), polygon->getVertex(i).getArcAngle(), 1e-15);
    }
}

TEST(CadPolygon, AreaIsZeroUnlessValidAndHolesReduceIt) {
    CadPolygon polygon(2, 0, true);
    EXPECT_EQ(polygon.getArea(), 0.0);
    polygon.append(new PolyPoint(CadPoint(0, 0)));
    polygon.append(new PolyPoint(CadPoint(2, 0)));
    EXPECT_FALSE(polygon.isValid());
    EXPECT_EQ(polygon.getArea(), 0.0);
    polygon.vertexRef(1).setArcAngle(kPi); // a half disc of radius 1 below the chord
    EXPECT_TRUE(polygon.isValid());
    EXPECT_NEAR(polygon.getArea(), kPi / 2, 1e-12);

    const CadPolygon holed = square(4, true);
    EXPECT_DOUBLE_EQ(holed.getArea(), 16 - 4);
    EXPECT_DOUBLE_EQ(holed.getArea(false, true), 16);
    CadPolygon clockwise(holed);
    clockwise.reverse();
    EXPECT_DOUBLE_EQ(clockwise.getArea(), -12);
    clockwise.getHole(0).clearVertices();
    EXPECT_FALSE(clockwise.isValid(true));
    EXPECT_TRUE(clockwise.isValid(false));
}

TEST(CadPolygon, PositionAgreesWithDenseOutline) {
    std::mt19937 rng(77);
    for (int round = 0; round < 60; ++round) {
        std::unique_ptr<CadPolygon> polygon(randomPolygon(rng, 1.5));
        const std::vector<CadPoint> outline = densePoints(*polygon, 256);
        const auto box = polygon->getBounds();
        for (int k = 0; k < 60; ++k) {
            const CadPoint p(uniform(rng, box->getMin().getX() - 1, box->getMax().getX() + 1),
                             uniform(rng, box->getMin().getY() - 1, box->getMax().getY() + 1));
            if (distanceToOutline(outline, p) < 2e-3) continue;
            const uint32_t code = polygon->getPosition(p);
            EXPECT_EQ(code, rayCastInside(outline, p) ? CadPolygon::kInterior : CadPolygon::kOutside);
            EXPECT_EQ(polygon->contains(p), code != CadPolygon::kOutside);
        }
        // every vertex and every arc midpoint lies on the boundary
        for (size_t i = 0; i < polygon->getVertexCount(); ++i) {
            EXPECT_EQ(polygon->getPosition(polygon->getVertex(i)), CadPolygon::kOnBoundary);
            const CadArc arc = polygon->getEdge(i).getArc();
            EXPECT_EQ(polygon->getPosition(arc.getPointAt(arc.getStartAngle() + arc.getSweep() / 2)),
                      CadPolygon::kOnBoundary);
        }
    }
}

TEST(CadPolygon, PositionWithHoles) {
    const CadPolygon polygon = square(4, true);
    EXPECT_EQ(polygon.getPosition(CadPoint(0.5, 0.5)), CadPolygon::kInterior);
    EXPECT_EQ(polygon.getPosition(CadPoint(2, 2)), CadPolygon::kOutside); // inside the hole
    EXPECT_EQ(polygon.getPosition(CadPoint(1, 2)), CadPolygon::kOnBoundary);
    EXPECT_EQ(polygon.getPosition(CadPoint(4, 2 + 5e-6)), CadPolygon::kOnBoundary);
    EXPECT_EQ(polygon.getPosition(CadPoint(4 + 2e-5, 2)), CadPolygon::kOutside);
    EXPECT_FALSE(polygon.contains(CadPoint(2, 2)));
    EXPECT_TRUE(polygon.contains(CadPoint(0, 0)));
    EXPECT_EQ(CadPolygon().getPosition(CadPoint()), CadPolygon::kOutside);
}

TEST(CadPolygon, BoundsHoldEveryVertexAndArcAndAreTight) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 200; ++round) {
        std::unique_ptr<CadPolygon> polygon(randomPolygon(rng, 3.0));
        const auto box = polygon->getBounds();
        ASSERT_TRUE(box);
        double touched[4] = {1e300, 1e300, 1e300, 1e300};
        for (const CadPoint& p : densePoints(*polygon, 1024)) {
            EXPECT_TRUE(box->contains(p, 1e-9));
            touched[0] = std::min(touched[0], p.getX() - box->getMin().getX());
            touched[1] = std::min(touched[1], p.getY() - box->getMin().getY());
            touched[2] = std::min(touched[2], box->getMax().getX() - p.getX());
            touched[3] = std::min(touched[3], box->getMax().getY() - p.getY());
        }
        for (double gap : touched)
            EXPECT_LT(gap, 1e-3);
    }
    // a half circle bulging below its chord
    CadPolygon arc(2, 0, false);
    arc.append(new PolyPoint(CadPoint(-1, 0)));
    arc.append(new PolyPoint(CadPoint(1, 0), kPi));
    const auto box = arc.getBounds();
    EXPECT_NEAR(box->getMin().getY(), -1.0, 1e-12);
    EXPECT_NEAR(box->getMax().getY(), 0.0, 1e-12);
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
    copy += CadPoint(1, 1);
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
    EXPECT_EQ(assigned.getTotalCount(true), 5u);
}

TEST(CadPolygon, MovingByAPointAndBackIsTheIdentity) {
    std::mt19937 rng(9);
    for (int round = 0; round < 50; ++round) {
        std::unique_ptr<CadPolygon> polygon(randomPolygon(rng));
        polygon->addHole(randomPolygon(rng));
        const CadPolygon before(*polygon);
        const CadPoint offset(uniform(rng, -1e3, 1e3), uniform(rng, -1e3, 1e3), uniform(rng, -10, 10));
        *polygon += offset;
        *polygon -= offset;
        for (size_t i = 0; i < polygon->getVertexCount(); ++i)
            EXPECT_TRUE(polygon->getVertex(i).isEqual(before.getVertex(i), 1e-9));
        EXPECT_TRUE(polygon->getHole(0).getVertex(1).isEqual(before.getHole(0).getVertex(1), 1e-9));
    }
}

TEST(CadPolygon, VertexAccessWrapsAndAnEmptyPolygonThrows) {
    CadPolygon polygon = square(1, false);
    EXPECT_EQ(&polygon.getVertex(5), &polygon.getVertex(1));
    EXPECT_EQ(&polygon.vertexRef(4), &polygon.vertexRef(0));
    EXPECT_THROW(polygon.getHole(0), std::out_of_range);
    EXPECT_THROW(polygon.removeVertex(4), std::out_of_range);
    CadPolygon empty;
    try {
        empty.getVertex(0);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_THROW(empty.vertexRef(3), std::out_of_range);
    EXPECT_EQ(empty.getEdgeMeasureSum(), 0.0);
}

TEST(CadPolygon, FindInsertCleanUpAndRenumber) {
    CadPolygon polygon = square(4, true);
    uint32_t contour = 99;
    EXPECT_EQ(polygon.findVertex(CadPoint(3, 3, 7), kTolerance, &contour), 2u);
    EXPECT_EQ(contour, 1u);
    EXPECT_EQ(polygon.findVertex(CadPoint(2, 2)), CadPolygon::kNotFound);

    // a point on a quarter-circle edge splits it into two arcs of the same circle
    CadPolygon round(Cube(-1, -1, 0, 1, 1, 0), 0.0);
    for (size_t i = 0; i < 4; ++i)
        round.vertexRef(i).setArcAngle(kPi / 2);
    const double area = round.getArea();
    CadPoint onArc(std::sqrt(2.0), 0.0);
    EXPECT_TRUE(round.insertPoint(1, onArc));
    EXPECT_EQ(round.getVertexCount(), 5u);
    EXPECT_NEAR(round.getVertex(2).getArcAngle() + round.getVertex(3).getArcAngle(), kPi / 2, 1e-12);
    EXPECT_NEAR(round.getArea(), area, 1e-9);
    EXPECT_NEAR(round.getEdgeMeasureSum(), 2 * kPi * std::sqrt(2.0), 1e-9);
    EXPECT_FALSE(round.insertPoint(0, onArc)); // now a vertex
    EXPECT_FALSE(round.insertPoint(0, CadPoint(0, 0)));
    EXPECT_TRUE(polygon.insertPoint(0, CadPoint(2, 1))); // on the hole
    EXPECT_EQ(polygon.getHole(0).getVertexCount(), 5u);

    CadPolygon messy(6);
    for (const CadPoint& p : {CadPoint(0, 0), CadPoint(0, 0), CadPoint(1, 0), CadPoint(1, 1),
                              CadPoint(1, 1 + 1e-7), CadPoint(0, 0)})
        messy.append(new PolyPoint(p));
    messy.vertexRef(5).setArcAngle(0.3);
    messy.addHole(new CadPolygon(1));
    messy.cleanUp();
    EXPECT_EQ(messy.getVertexCount(), 3u);
    EXPECT_EQ(messy.getVertex(0).getArcAngle(), 0.3); // the closing edge keeps its arc
    EXPECT_EQ(messy.getHoleCount(), 0u);

    polygon.renumberVertexIds(0);
    EXPECT_EQ(polygon.getVertex(0).getId(), 1u);
    EXPECT_EQ(polygon.getHole(0).getVertex(0).getId(), 5u);
    EXPECT_EQ(polygon.getVertexIdCounter(), 9u);
}

TEST(CadPolygon, RotatedBoxAndPerimeter) {
    const CadPolygon box(Cube(1, -1, 0, -1, 1, 0), kPi / 4); // corners given in any order
    ASSERT_EQ(box.getVertexCount(), 4u);
    EXPECT_NEAR(box.getVertex(0).getX(), 0.0, 1e-12);
    EXPECT_NEAR(box.getVertex(0).getY(), -std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(box.getArea(), 4.0, 1e-12);
    EXPECT_NEAR(box.getEdgeMeasureSum(), 8.0, 1e-12);
    CadPolygon open(box);
    open.setClosed(false);
    EXPECT_NEAR(open.getEdgeMeasureSum(), 6.0, 1e-12);
}
