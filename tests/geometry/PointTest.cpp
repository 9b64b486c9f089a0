#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/CadArc.h"
#include "geometry/CadPolygon.h"
#include "geometry/Line.h"
#include "geometry/LinearEquation.h"
#include "geometry/Matrix4x4.h"

using namespace tarnwick;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(CadPoint, AnglesStayInRangeAndEqualityUsesTheTolerance) {
    // directions just below the positive x axis round to 2pi: they must come back as +0
    for (double dy : {-1e-17, -1e-300, -0.0}) {
        const double angle = CadPoint(0, 0).getAngle(CadPoint(1, dy));
        EXPECT_EQ(angle, 0.0);
        EXPECT_FALSE(std::signbit(angle));
    }
    EXPECT_EQ(CadPoint(1, 1).getAngle(CadPoint(1, 1)), 0.0);
    EXPECT_NEAR(CadPoint(0, 0).getAngle(CadPoint(0, -1)), 1.5 * kPi, 1e-15);
    const CadPoint p(1, 2, 3);
    EXPECT_TRUE(p == CadPoint(1 + 0.9e-5, 2, 3));
    EXPECT_FALSE(p == CadPoint(1 + 0.8e-5, 2 + 0.8e-5, 3)); // 3D distance, not per axis
    EXPECT_TRUE(p.isEqual2D(CadPoint(1 + 0.9e-5, 2 - 0.9e-5, 50)));
    EXPECT_FALSE(p.isEqual2D(CadPoint(1 + 1.1e-5, 2, 3)));
    CadPoint q(9, 9, 9);
    q.assign2D(HostCoord2D{4, 5});
    EXPECT_EQ(q.getZ(), 0.0);
}

TEST(CadPoint, CloneIsOwnedAndKeepsTheKind) {
    const PolyPoint vertex(CadPoint(1, 2), 0.5, 3);
    const CadPoint& asPoint = vertex;
    std::unique_ptr<CadPoint> copy = asPoint.clone();
    ASSERT_NE(dynamic_cast<PolyPoint*>(copy.get()), nullptr);
    EXPECT_EQ(static_cast<PolyPoint&>(*copy).getArcAngle(), 0.5);
    std::unique_ptr<InterPoint> crossing = InterPoint(CadPoint(4, 5), kAtStart, kInside).clone();
    EXPECT_EQ(crossing->getSecondCode(), kInside);
    EXPECT_EQ(std::unique_ptr<PolyPoint>(vertex.clone())->getId(), 3u);
}

TEST(PolyPoint, TangentArcTurnsTheShortWayAndIsTangent) {
    const CadPoint start(0, 0), end(10, 0);
    const struct {
        CadPoint p;
        double arc;
    } cases[] = {{{11, 1}, 2 * std::atan(1.0)},
                 {{11, -1}, -2 * std::atan(1.0)},
                 {{9, 1}, 2 * (kPi - std::atan(1.0))},
                 {{9, -1}, -2 * (kPi - std::atan(1.0))},
                 {{20, 0}, 0.0},
                 {{-5, 0}, 0.0},
                 {{10, 0}, 0.0},
                 {{12, 5e-6}, 0.0}};
    for (const auto& c : cases) {
        PolyPoint p(c.p, 1.0);
        p.setTangentArc(start, end);
        EXPECT_NEAR(p.getArcAngle(), c.arc, 1e-12) << c.p.getX() << " " << c.p.getY();
        const CadArc arc(end, p);
        EXPECT_TRUE(!p.isArc() || std::fabs(arc.getCentre().getX() - 10.0) < 1e-9); // on the normal at end
    }
}

TEST(PolyPoint, ArcAroundCentreSignUsesTheTolerance) {
    const CadPoint centre(0, 0), end(1, 0);
    const struct {
        CadPoint p;
        double arc;
    } cases[] = {
        {{0, 1}, kPi / 2},    {{0, -1}, -kPi / 2},           {{-5, 0.5}, kPi}, // farther than the diameter
        {{-1, 1e-12}, kPi},   {{-1, -1e-12}, kPi},                             // collinear: counter-clockwise
        {{-1, -0.9e-5}, kPi}, {{-1, -1.1e-5}, -kPi + 2e-10}, {{1, 0}, 0.0},
    };
    for (const auto& c : cases) {
        PolyPoint p(c.p);
        p.setArcAroundCentre(centre, end);
        EXPECT_NEAR(p.getArcAngle(), c.arc, 1e-9) << c.p.getX() << " " << c.p.getY();
    }
    PolyPoint noRadius(CadPoint(3, 3), 2.0);
    noRadius.setArcAroundCentre(end, end);
    EXPECT_EQ(noRadius.getArcAngle(), 0.0);
}

TEST(LinearEquation, ClassifiesAndProjects) {
    const LinearEquation line(CadPoint(0, 0), CadPoint(2, 0));
    EXPECT_EQ(line.classifyPoint(CadPoint(1, -1)), LinearEquation::kRight);
    EXPECT_EQ(line.classifyPoint(CadPoint(1, 1)), LinearEquation::kLeft);
    EXPECT_EQ(line.classifyPoint(CadPoint(5, 0.5e-5)), LinearEquation::kOnLine);
    const CadPoint foot = LinearEquation(kPi / 4, CadPoint(1, 0)).projectPoint(CadPoint(0, 1, 7));
    EXPECT_TRUE(foot.isEqual(CadPoint(1, 0, 7), 1e-12));
    EXPECT_TRUE(
        LinearEquation(CadPoint(1, 1), CadPoint(1, 1)).projectPoint(CadPoint(4, 5)).isEqual(CadPoint(4, 5)));
}

TEST(Vector3, ParallelSameSenseAndNormalised) {
    const Vector3 x(1, 0, 0);
    EXPECT_TRUE(x.isParallel(Vector3(-3, 0, 0)));
    EXPECT_FALSE(x.isSameSense(Vector3(-3, 0, 0)));
    EXPECT_TRUE(x.isSameSense(Vector3(3, 1e-7, 0)));
    EXPECT_FALSE(x.isParallel(Vector3(0, 0, 0)));
    EXPECT_FALSE(x.isParallel(Vector3(1, 1e-3, 0)));
    EXPECT_EQ(Vector3().normalised().getLength(), 0.0);
}

// Random products, inverses and singular matrices are left to the oracle tests.
TEST(Matrix4x4, InverseAtTheEdgesOfTheRangeAndOfNonFiniteMatrices) {
    const struct {
        Matrix4x4 m;
        bool invertible;
    } cases[] = {
        {Matrix4x4::scaling(1e-301, 1e-301, 1e-301), true},
        {Matrix4x4::scaling(1e300, 1e-300, 1), true},
        {Matrix4x4::scaling(1, 0, 1), false},
        {Matrix4x4::scaling(1, 1e-20, 1) * Matrix4x4::rotation(Vector3(1, 2, 3), 1.0), false},
        {Matrix4x4::scaling(1e-320, 1, 1), false}, // its inverse overflows
        {Matrix4x4::scaling(kNaN, 1, 1), false},
        {Matrix4x4::translation(CadPoint(kInf, 0, 0)), false},
    };
    for (const auto& c : cases) {
        Matrix4x4 inverse = Matrix4x4::scaling(2, 2, 2);
        EXPECT_EQ(c.m.inverse(inverse), c.invertible) << c.m.get(0, 0) << " " << c.m.get(1, 1);
        if (c.invertible) {
            const CadPoint p(0.5, -2, 3);
            const CadPoint back = inverse.transform(c.m.transform(p));
            EXPECT_TRUE(back.isEqual(p, 1e-6)) << back.getX() << " " << back.getY() << " " << back.getZ();
        } else {
            EXPECT_TRUE(inverse.isIdentity(0.0));
        }
    }
    Matrix4x4 near;
    near.set(2, 3, 0.9e-6);
    EXPECT_TRUE(near.isIdentity());
    near.set(2, 3, 1.1e-6);
    EXPECT_FALSE(near.isIdentity());
}

// NaN is never on, inside or crossing anything; infinity neither.
TEST(Geometry, NonFiniteCoordinatesAreNeverOnAnything) {
    // lengths that overflow give NaN inside the test
    EXPECT_EQ(Line(CadPoint(-1e308, 0), CadPoint(1e308, 0)).getPosition(CadPoint(0, 5)), kOff);
    const CadPolygon square(Cube(0, 0, 0, 4, 4, 0), 0.0);
    const Line line(CadPoint(0, 0), CadPoint(4, 4));
    const CadArc arc(CadPoint(0, 0), 1.0, kTwoPi, 0.0);
    for (const CadPoint& p :
         {CadPoint(kNaN, 1), CadPoint(1, kNaN), CadPoint(kNaN, kNaN), CadPoint(kInf, 0)}) {
        EXPECT_EQ(line.getPosition(p), kOff);
        EXPECT_EQ(Line(p, CadPoint(4, 0)).getPosition(CadPoint(4, 0)), kOff); // no segment at all
        EXPECT_EQ(arc.getPosition(p), kOff);
        EXPECT_EQ(square.getPosition(p), CadPolygon::kOutside);
        EXPECT_FALSE(square.contains(p));
        CadPolygon copy(square);
        EXPECT_FALSE(copy.insertPoint(0, p));
        for (const Line& crossing : {Line(CadPoint(0, 4), p), Line(p, CadPoint(4, 0)), Line(p, p)}) {
            EXPECT_FALSE(line.intersectsInPlan(crossing));
            EXPECT_FALSE(crossing.intersectsInPlan(line));
            EXPECT_FALSE(crossing.intersectsInPlan(arc));
        }
        EXPECT_FALSE(line.intersectsInPlan(CadArc(p, 1.0, 1.0, 0.0)));
        EXPECT_FALSE(line.intersectsInPlan(CadArc(CadPoint(0, 0), p.getX() + p.getY(), 1.0, 0.0)));
    }
}
