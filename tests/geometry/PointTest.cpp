#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/CadArc.h"
#include "geometry/Line.h"
#include "geometry/LinearEquation.h"
#include "geometry/Matrix4x4.h"
#include "geometry/PolyPoint.h"
#include "geometry/ZRotater.h"

using namespace tarnwick;

TEST(CadPoint, AngleStaysInRangeAndMovePolarRoundTrips) {
    std::mt19937 rng(31337);
    std::uniform_real_distribution<double> coord(-1e4, 1e4);
    for (int i = 0; i < 2000; ++i) {
        const CadPoint a(coord(rng), coord(rng), coord(rng));
        const CadPoint b(coord(rng), coord(rng));
        const double angle = a.getAngle(b);
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, kTwoPi);
        CadPoint moved(a);
        moved.movePolar(a.distance2D(b), angle);
        EXPECT_TRUE(moved.isEqual2D(b, 1e-8));
        EXPECT_EQ(moved.getZ(), a.getZ());
    }
    // directions just below the positive x axis round to 2pi: they must come back as 0
    for (double dy : {-1e-17, -1e-300, -0.0}) {
        const double angle = CadPoint(0, 0).getAngle(CadPoint(1, dy));
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, kTwoPi);
        EXPECT_FALSE(std::signbit(angle));
    }
    EXPECT_EQ(CadPoint(1, 1).getAngle(CadPoint(1, 1)), 0.0);
    EXPECT_NEAR(Line(CadPoint(0, 0), CadPoint(0, -1)).getAngle(), 1.5 * kPi, 1e-15);
}

TEST(CadPoint, EqualityUsesTheSharedTolerance) {
    const CadPoint p(1, 2, 3);
    EXPECT_TRUE(p == CadPoint(1 + 0.9e-5, 2, 3));
    EXPECT_FALSE(p == CadPoint(1 + 0.8e-5, 2 + 0.8e-5, 3)); // 3D distance, not per axis
    EXPECT_TRUE(p.isEqual2D(CadPoint(1 + 0.9e-5, 2 - 0.9e-5, 50)));
    EXPECT_FALSE(p.isEqual2D(CadPoint(1 + 1.1e-5, 2, 3)));
    HostCoord3D c3;
    p.getCoord3D(c3);
    EXPECT_EQ(CadPoint(c3).getZ(), 3.0);
    CadPoint q(9, 9, 9);
    q.assign2D(HostCoord2D{4, 5});
    EXPECT_EQ(q.getZ(), 0.0);
    std::unique_ptr<CadPoint> copy(PolyPoint(p, 0.5, 3).clone());
    EXPECT_EQ(static_cast<PolyPoint&>(*copy).getArcAngle(), 0.5);
}

TEST(PolyPoint, TangentArcTurnsTheShortWay) {
    const CadPoint start(0, 0), end(10, 0);
    PolyPoint left(CadPoint(11, 0.1));
    left.setTangentArc(start, end);
    EXPECT_GT(left.getArcAngle(), 0.0);
    EXPECT_LT(left.getArcAngle(), 0.5);
    PolyPoint right(CadPoint(11, -0.1));
    right.setTangentArc(start, end);
    EXPECT_NEAR(right.getArcAngle(), -left.getArcAngle(), 1e-15); // not near 4pi
    for (const CadPoint& p : {CadPoint(20, 0), CadPoint(-5, 0), CadPoint(10, 0), CadPoint(12, 5e-6)}) {
        PolyPoint onLine(p, 1.0);
        onLine.setTangentArc(start, end);
        EXPECT_EQ(onLine.getArcAngle(), 0.0);
    }
    // the arc really is tangent: its centre lies on the perpendicular at the line's end
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coord(-20, 20);
    for (int i = 0; i < 500; ++i) {
        PolyPoint p(CadPoint(coord(rng), coord(rng)));
        p.setTangentArc(start, end);
        if (!p.isArc()) continue;
        EXPECT_LE(std::fabs(p.getArcAngle()), kTwoPi);
        EXPECT_NEAR(CadArc(end, p).getCentre().getX(), 10.0, 1e-6);
    }
}

TEST(PolyPoint, ArcAroundCentreNeverGivesNaN) {
    const CadPoint centre(0, 0), end(1, 0);
    PolyPoint quarter(CadPoint(0, 1));
    quarter.setArcAroundCentre(centre, end);
    EXPECT_NEAR(quarter.getArcAngle(), kPi / 2, 1e-12);
    PolyPoint clockwise(CadPoint(0, -1));
    clockwise.setArcAroundCentre(centre, end);
    EXPECT_NEAR(clockwise.getArcAngle(), -kPi / 2, 1e-12);
    EXPECT_NEAR(CadArc(end, clockwise).getCentre().distance2D(centre), 0.0, 1e-12);
    PolyPoint far(CadPoint(-5, 0.5));
    far.setArcAroundCentre(centre, end);
    EXPECT_FALSE(std::isnan(far.getArcAngle()));
    EXPECT_NEAR(far.getArcAngle(), kPi, 1e-12);
    PolyPoint noRadius(CadPoint(3, 3), 2.0);
    noRadius.setArcAroundCentre(end, end);
    EXPECT_EQ(noRadius.getArcAngle(), 0.0);
}

TEST(ZRotater, TurnsTheDirectionOntoTheXAxisSoKeysOrderAlongTheLine) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<double> angle(0, kTwoPi), t(-100, 100);
    for (int round = 0; round < 200; ++round) {
        const double alpha = angle(rng);
        const CadPoint origin(t(rng), t(rng));
        const LinearEquation line(alpha, origin);
        const ZRotater rotater(alpha);
        std::vector<std::pair<double, double>> keyAndParameter;
        for (int i = 0; i < 8; ++i) {
            const double s = t(rng);
            CadPoint p(origin);
            p.movePolar(s, alpha);
            p.movePolar(t(rng), alpha + kPi / 2); // off the line: the projection brings it back
            CadPoint key = line.projectPoint(p);
            rotater.rotate(key);
            keyAndParameter.emplace_back(key.getX(), s);
        }
        std::sort(keyAndParameter.begin(), keyAndParameter.end());
        for (size_t i = 1; i < keyAndParameter.size(); ++i)
            EXPECT_LT(keyAndParameter[i - 1].second, keyAndParameter[i].second) << "alpha " << alpha;
    }
    CadPoint p(0, 1);
    ZRotater(kPi / 2).rotate(p);
    EXPECT_NEAR(p.getX(), 1.0, 1e-15);
    EXPECT_NEAR(p.getY(), 0.0, 1e-15);
    CadPoint still(3, 4);
    ZRotater(0.5e-5).rotate(still);
    EXPECT_EQ(still.getX(), 3.0);
}

TEST(LinearEquation, ClassifiesAndProjects) {
    const LinearEquation line(CadPoint(0, 0), CadPoint(2, 0));
    EXPECT_EQ(line.classifyPoint(CadPoint(1, -1)), LinearEquation::kRight);
    EXPECT_EQ(line.classifyPoint(CadPoint(1, 1)), LinearEquation::kLeft);
    EXPECT_EQ(line.classifyPoint(CadPoint(5, 0.5e-5)), LinearEquation::kOnLine);
    const CadPoint foot = LinearEquation(kPi / 4, CadPoint(1, 0)).projectPoint(CadPoint(0, 1, 7));
    EXPECT_NEAR(foot.getX(), 1.0, 1e-12);
    EXPECT_NEAR(foot.getY(), 0.0, 1e-12);
    EXPECT_EQ(foot.getZ(), 7.0);
    const LinearEquation degenerate(CadPoint(1, 1), CadPoint(1, 1));
    EXPECT_TRUE(degenerate.projectPoint(CadPoint(4, 5)).isEqual(CadPoint(4, 5)));
}

TEST(Line, IntersectsInPlan) {
    const Line a(CadPoint(0, 0), CadPoint(2, 2));
    EXPECT_TRUE(a.intersectsInPlan(Line(CadPoint(0, 2), CadPoint(2, 0))));
    EXPECT_TRUE(a.intersectsInPlan(Line(CadPoint(2, 2), CadPoint(3, 0)))); // touching at an end
    EXPECT_FALSE(a.intersectsInPlan(Line(CadPoint(3, 0), CadPoint(4, 0))));
    EXPECT_TRUE(a.intersectsInPlan(Line(CadPoint(1, 1), CadPoint(5, 5))));  // overlapping
    EXPECT_FALSE(a.intersectsInPlan(Line(CadPoint(0, 1), CadPoint(2, 3)))); // parallel
    const auto crossing = a.intersectInPlan(Line(CadPoint(0, 2), CadPoint(2, 0)));
    ASSERT_EQ(crossing.size(), 1u);
    EXPECT_EQ(crossing[0].getFirstCode(), kInside);
    const CadArc arc(CadPoint(0, 0), 1.0, kPi, 0.0); // upper half circle
    EXPECT_TRUE(Line(CadPoint(0, 0), CadPoint(0, 2)).intersectsInPlan(arc));
    EXPECT_FALSE(Line(CadPoint(0, -0.5), CadPoint(0, -2)).intersectsInPlan(arc));
    EXPECT_EQ(Line(CadPoint(-2, 0.5), CadPoint(2, 0.5)).intersectInPlan(arc).size(), 2u);
}

TEST(Matrix4x4, InverseRoundTripsAndSingularFallsBack) {
    std::mt19937 rng(8);
    std::uniform_real_distribution<double> v(-3, 3);
    for (int round = 0; round < 100; ++round) {
        const Matrix4x4 m = Matrix4x4::translation(CadPoint(v(rng), v(rng), v(rng))) *
                            Matrix4x4::rotation(Vector3(v(rng), v(rng), v(rng)), v(rng)) *
                            Matrix4x4::scaling(1 + std::fabs(v(rng)), 1, 2);
        bool ok = false;
        EXPECT_TRUE((m * m.inverse(&ok)).isIdentity());
        EXPECT_TRUE(ok);
        const CadPoint p(v(rng), v(rng), v(rng));
        EXPECT_TRUE(m.inverse().transform(m.transform(p)).isEqual(p, 1e-9));
    }
    Matrix4x4 near;
    near.set(2, 3, 0.9e-6);
    EXPECT_TRUE(near.isIdentity());
    near.set(2, 3, 1.1e-6);
    EXPECT_FALSE(near.isIdentity());
    bool ok = true;
    EXPECT_TRUE(Matrix4x4::scaling(1, 0, 1).inverse(&ok).isIdentity());
    EXPECT_FALSE(ok);
}

TEST(Vector3, ParallelSameSenseAndNormalised) {
    const Vector3 x(1, 0, 0);
    EXPECT_TRUE(x.isParallel(Vector3(-3, 0, 0)));
    EXPECT_FALSE(x.isSameSense(Vector3(-3, 0, 0)));
    EXPECT_TRUE(x.isSameSense(Vector3(3, 1e-7, 0)));
    EXPECT_FALSE(x.isParallel(Vector3(0, 0, 0)));
    EXPECT_FALSE(x.isParallel(Vector3(1, 1e-3, 0)));
    const Vector3 zero = Vector3().normalised();
    EXPECT_EQ(zero.getLength(), 0.0);
    EXPECT_NEAR(Vector3(3, 4, 12).normalised().getLength(), 1.0, 1e-15);
}
