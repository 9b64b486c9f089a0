// Degenerate input (zero-length edges, coincident points, zero radius) never raises an invalid
// operation or a division by zero, and never hands out NaN or infinity.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "geometry/CadPolygon.h"
#include "geometry/Leveller.h"
#include "geometry/Line.h"
#include "geometry/LinearEquation.h"
#include "geometry/Plane.h"
#include "geometry/Projection.h"

using namespace tarnwick;

namespace {

bool finite(const CadPoint& p) {
    return std::isfinite(p.getX()) && std::isfinite(p.getY()) && std::isfinite(p.getZ());
}

class NoFloatingPointTrouble : public ::testing::Test {
protected:
    void SetUp() override { std::feclearexcept(FE_ALL_EXCEPT); }
    void TearDown() override {
        EXPECT_FALSE(std::fetestexcept(FE_INVALID)) << "invalid floating-point operation";
        EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO)) << "division by zero";
    }
};

} // namespace

TEST_F(NoFloatingPointTrouble, ZeroLengthEdges) {
    const CadPoint p(1, 2, 3);
    for (double arc : {0.0, 1.0, -kPi, kTwoPi}) {
        PolyEdge edge(p, PolyPoint(p, arc));
        EXPECT_EQ(edge.getPlanLength(), 0.0);
        EXPECT_TRUE(finite(edge.getArcCentre()));
        edge.offset(1.0);
        edge.lengthenBy(2.0);
        edge.extendTo(CadPoint(5, 5));
        edge.extendReversedTo(CadPoint(-5, 5), true);
        EXPECT_TRUE(finite(edge.getStartPoint()) && finite(edge.getEndPoint()));
        EXPECT_TRUE(std::isfinite(edge.getEndPoint().getArcAngle()));
        const CadArc a = edge.getArc();
        EXPECT_TRUE(finite(a.getBounds().getMin()) && finite(a.getBounds().getMax()));
        EXPECT_EQ(a.getPosition(CadPoint(9, 9)), kOff);
    }
    PolyPoint tangent(p);
    tangent.setTangentArc(p, p);
    EXPECT_EQ(tangent.getArcAngle(), 0.0);
    EXPECT_FALSE(Line(p, p).intersectsInPlan(Line(CadPoint(0, 0), CadPoint(0, 1))));
    EXPECT_TRUE(Line(p, p).intersectsInPlan(Line(p, p)));
    EXPECT_EQ(Line(p, p).intersectInPlan(CadArc(p, 0.0, 1.0, 0.0)).size(), 1u);
}

TEST_F(NoFloatingPointTrouble, CoincidentVerticesAndZeroRadius) {
    CadPolygon polygon(4);
    for (int i = 0; i < 4; ++i)
        polygon.append(new PolyPoint(CadPoint(1, 1), i % 2 ? 1.0 : 0.0));
    EXPECT_EQ(polygon.getArea(), 0.0);
    EXPECT_EQ(polygon.getEdgeMeasureSum(), 0.0);
    EXPECT_EQ(polygon.getPosition(CadPoint(1, 1)), CadPolygon::kOnBoundary);
    EXPECT_EQ(polygon.getPosition(CadPoint(2, 1)), CadPolygon::kOutside);
    EXPECT_FALSE(polygon.insertPoint(0, CadPoint(1, 1)));
    const auto box = polygon.getBounds();
    EXPECT_TRUE(finite(box->getMin()) && finite(box->getMax()));
    polygon.cleanUp();
    EXPECT_EQ(polygon.getVertexCount(), 1u);
    polygon.reverse();

    const CadArc point(CadPoint(0, 0), 0.0, kPi, 0.0);
    EXPECT_EQ(point.getPosition(CadPoint(0, 0)), kAtStart);
    EXPECT_EQ(point.getLength(), 0.0);
    EXPECT_EQ(point.getPosition(CadPoint(0, 0), 0.0), kAtStart);
    PolyPoint around(CadPoint(1, 0));
    around.setArcAroundCentre(CadPoint(0, 0), CadPoint(0, 0));
    EXPECT_EQ(around.getArcAngle(), 0.0);
}

TEST_F(NoFloatingPointTrouble, ZeroVectorsAndEmptyRecords) {
    CadPolygon polygon(Cube(0, 0, 0, 1, 1, 0), 0.0);
    Leveller(Vector3(), 0.0).transformPolygon(polygon);
    Leveller(Vector3(0, 0, -1), 1.0).transformPolygon(polygon);
    EXPECT_NEAR(polygon.getArea(true), 1.0, 1e-12);
    Leveller(Vector3(1, 0, 0), 0.0).transformPolygon(polygon);
    EXPECT_TRUE(finite(polygon.getVertex(2)));

    EXPECT_EQ(Plane(CadPoint(), Vector3()).getPosition(CadPoint(1, 2, 3)), Plane::kOnPlane);
    EXPECT_EQ(Plane(CadPoint(), Vector3(0, 0, 2)).getPosition(CadPoint(1, 2, 3)), Plane::kAbove);
    EXPECT_EQ(LinearEquation(CadPoint(), CadPoint()).classifyPoint(CadPoint(1, 1)), LinearEquation::kOnLine);

    for (uint8_t mode : {0, 1}) {
        HostCameraRecord zeroed;
        zeroed.isPerspective = mode;
        const auto projection = Projection::fromCameraRecord(zeroed);
        EXPECT_TRUE(finite(projection->transform(CadPoint(1, 2, 3))));
        EXPECT_TRUE(finite(projection->inverse(CadPoint(1, 2, 0))));
        projection->setCamera(CadPoint(), CadPoint()); // camera on its target
        EXPECT_TRUE(finite(projection->transform(CadPoint(1, 2, 3))));
    }
    Cube box(1, 1, 1, 2, 2, 2);
    box /= 0.0;
    EXPECT_TRUE(finite(box.getMax()));
}
