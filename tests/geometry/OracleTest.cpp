// Randomized comparisons with Boost.Geometry and closed forms in long double, fixed seeds.
#include <gtest/gtest.h>

#include <array>

#include "Oracle.h"
#include "geometry/Leveller.h"
#include "geometry/Line.h"
#include "geometry/Matrix4x4.h"
#include "geometry/Projection.h"
#include "geometry/ZRotater.h"

using namespace geometry_test;

namespace {

using LMatrix = std::array<std::array<LD, 4>, 4>;

LMatrix product(const Matrix4x4& a, const Matrix4x4& b) {
    LMatrix p{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                p[i][j] += (LD)a.get(i, k) * b.get(k, j);
    return p;
}

// v turned by angle about the unit axis k (Rodrigues).
std::array<LD, 3> turned(std::array<LD, 3> v, std::array<LD, 3> k, LD angle) {
    const LD c = std::cos(angle), s = std::sin(angle), d = k[0] * v[0] + k[1] * v[1] + k[2] * v[2];
    const std::array<LD, 3> x{k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                              k[0] * v[1] - k[1] * v[0]};
    return {v[0] * c + x[0] * s + k[0] * d * (1 - c), v[1] * c + x[1] * s + k[1] * d * (1 - c),
            v[2] * c + x[2] * s + k[2] * d * (1 - c)};
}

std::array<LD, 3> unit(LD x, LD y, LD z) {
    const LD n = std::sqrt(x * x + y * y + z * z);
    return {x / n, y / n, z / n};
}

void expectNear(const CadPoint& p, LD x, LD y, LD z, LD tolerance) {
    EXPECT_NEAR(p.getX(), x, tolerance);
    EXPECT_NEAR(p.getY(), y, tolerance);
    EXPECT_NEAR(p.getZ(), z, tolerance);
}

} // namespace

TEST(Oracle, AreaIsTheChordPolygonPlusCircularSegments) {
    Random random(20240511);
    for (int round = 0; round < 3000; ++round) {
        const auto polygon = randomPolygon(random, 2.0, random(0.01, 100), random.point(1e4));
        BRing chords;
        LD segments = 0;
        for (size_t i = 0; i < polygon->getVertexCount(); ++i) {
            const PolyEdge e = polygon->getEdge(i);
            chords.push_back(bp(e.getStartPoint()));
            if (!isArcEdge(e)) continue;
            const LD sweep = e.getArcAngle(), r = Circle(e.getStartPoint(), e.getEndPoint(), sweep).r;
            segments += r * r / 2 * (sweep - std::sin(sweep));
        }
        const LD expected = (LD)bg::area(chords) + segments;
        const double area = polygon->getArea();
        EXPECT_NEAR(area, expected, 1e-9 * std::fabs(expected) + 1e-9) << round;
        CadPolygon reversed(*polygon);
        reversed.reverse();
        EXPECT_NEAR(reversed.getArea(), -area, 1e-9 * std::fabs(area)) << round;
        reversed.addHole(new CadPolygon(*polygon));
        EXPECT_NEAR(reversed.getArea(), 0.0, 1e-9 * std::fabs(area)) << round;
    }
}

TEST(Oracle, PositionAgainstExactDistancesAndBoostWithin) {
    Random random(77);
    int checked[3] = {};
    for (int round = 0; round < 300; ++round) {
        const auto polygon = randomPolygon(random, 1.5);
        const BRing ring = densified(*polygon, 48);
        if (!bg::is_valid(ring)) continue;
        for (int k = 0; k < 40; ++k) {
            // half of the points lie on or just off an edge, at distances around the tolerance
            const double offsets[5] = {0, 3e-6, -3e-6, 3e-5, -3e-5};
            const CadPoint p =
                k % 2 ? cp(nearEdge(polygon->getEdge(random.pick(0, 9)), random(0, 1), offsets[k % 5]))
                      : random.point(11);
            const LD distance = outlineDistance(*polygon, p);
            const uint32_t code = polygon->getPosition(p);
            if (distance <= 0.5 * kTolerance) {
                EXPECT_EQ(code, CadPolygon::kOnBoundary) << round << " " << k;
                ++checked[0];
            } else if (distance >= 2 * kTolerance) {
                EXPECT_NE(code, CadPolygon::kOnBoundary) << round << " " << k;
                if (distance < 2e-3) continue; // the chords of the densified ring are that close
                EXPECT_EQ(code, bg::within(bp(p), ring) ? CadPolygon::kInterior : CadPolygon::kOutside)
                    << round;
                ++checked[code == CadPolygon::kInterior ? 1 : 2];
            }
        }
    }
    for (int n : checked)
        EXPECT_GT(n, 500);
}

TEST(Oracle, SegmentPositionIsTheDistanceToTheSegment) {
    Random random(5150);
    for (int round = 0; round < 20000; ++round) {
        const Line line(random.point(100), random.point(100));
        // on the line and beyond its ends, near it, or anywhere
        const double t = random(-0.5, 1.5);
        CadPoint p = line.getStartPoint() + (line.getEndPoint() - line.getStartPoint()) * t;
        p.movePolar(std::array<double, 4>{0, 4e-6, 3e-5, random(0, 50)}[round % 4],
                    line.getAngle() + kPi / 2);
        const LD distance = bg::distance(bp(p), BSegment(bp(line.getStartPoint()), bp(line.getEndPoint())));
        const uint32_t code = line.getPosition(p);
        const uint32_t expected =
            expectedCode(p, line.getStartPoint(), line.getEndPoint(), distance, 1.5 * kTolerance);
        EXPECT_TRUE(expected == 0 || code == expected) << round << ": " << code << " not " << expected;
    }
}

TEST(Oracle, SegmentIntersectionsAgreeWithBoost) {
    Random random(1999);
    int crossings = 0;
    for (int round = 0; round < 20000; ++round) {
        const CadPoint a = random.point(10), b = random.point(10);
        Line other(random.point(10), random.point(10));
        if (round % 3 == 0) // collinear with the first, overlapping or not
            other = Line(a + (b - a) * random(-1, 2), a + (b - a) * random(-1, 2));
        const Line line(a, b);
        const BSegment s1(bp(a), bp(b)), s2(bp(other.getStartPoint()), bp(other.getEndPoint()));
        const LD gap = bg::distance(s1, s2);
        const auto points = line.intersectInPlan(other);
        EXPECT_TRUE(gap < 2 * kTolerance || points.empty()) << round;
        if (gap > 1e-9) continue;
        ASSERT_FALSE(points.empty()) << round;
        for (const InterPoint& p : points) {
            EXPECT_LE((LD)bg::distance(bp(p), s1), kTolerance) << round;
            EXPECT_LE((LD)bg::distance(bp(p), s2), kTolerance) << round;
        }
        std::vector<BPoint> expected;
        bg::intersection(s1, s2, expected);
        if (expected.size() != 1 || points.size() != 1) continue;
        EXPECT_NEAR(points[0].getX(), expected[0].x(), 1e-6) << round;
        EXPECT_NEAR(points[0].getY(), expected[0].y(), 1e-6) << round;
        ++crossings;
    }
    EXPECT_GT(crossings, 2000);
}

TEST(Oracle, ArcPositionIncludingArcsBelowTheTolerance) {
    Random random(31);
    for (int round = 0; round < 20000; ++round) {
        const double radius = std::pow(10.0, random(-6, 2)), sweep = random(-kTwoPi, kTwoPi);
        const CadArc arc(random.point(100), radius, sweep, random(-10, 10));
        const Circle c(arc);
        const double angle = arc.getStartAngle() + sweep * random(-0.2, 1.2);
        const double off = radius * std::array<double, 4>{1, 0.5, 1.5, 0}[round % 4] +
                           std::array<double, 3>{0, 0.7e-5, -0.7e-5}[round % 3];
        const CadPoint p = arc.getCentre() + CadPoint(off * std::cos(angle), off * std::sin(angle));
        const LD distance = arcDistance(c, sweep, p.getX(), p.getY());
        const uint32_t code = arc.getPosition(p);
        const uint32_t expected =
            expectedCode(p, arc.getStartPoint(), arc.getEndPoint(), distance, 3 * kTolerance);
        EXPECT_TRUE(expected == 0 || code == expected)
            << round << ": " << code << " not " << expected << " r " << radius;
    }
}

TEST(Oracle, BoundsAreTheEnvelopeOfTheExactOutline) {
    Random random(4242);
    for (int round = 0; round < 3000; ++round) {
        const auto polygon = randomPolygon(random, 3.0);
        polygon->addHole(randomPolygon(random, 3.0, 2.0, random.point(20)).release());
        bg::model::box<BPoint> expected;
        bg::assign_inverse(expected);
        for (const CadPolygon* contour : {polygon.get(), &polygon->getHole(0)})
            for (size_t i = 0; i < contour->getVertexCount(); ++i) {
                const PolyEdge e = contour->getEdge(i);
                bg::expand(expected, bp(e.getStartPoint()));
                if (!isArcEdge(e)) continue;
                // the quarter points of the circle that the sweep passes
                const Circle c(e.getStartPoint(), e.getEndPoint(), e.getArcAngle());
                for (int q = -8; q <= 8; ++q) {
                    const LD rel = q * std::numbers::pi_v<LD> / 2 - c.start;
                    if (e.getArcAngle() > 0 ? rel > 0 && rel < e.getArcAngle()
                                            : rel < 0 && rel > e.getArcAngle())
                        bg::expand(expected, c.at(q * std::numbers::pi_v<LD> / 2));
                }
            }
        const auto box = polygon->getBounds();
        ASSERT_TRUE(box);
        EXPECT_NEAR(box->getMin().getX(), expected.min_corner().x(), 1e-9) << round;
        EXPECT_NEAR(box->getMin().getY(), expected.min_corner().y(), 1e-9) << round;
        EXPECT_NEAR(box->getMax().getX(), expected.max_corner().x(), 1e-9) << round;
        EXPECT_NEAR(box->getMax().getY(), expected.max_corner().y(), 1e-9) << round;
    }
}

TEST(Oracle, OffsetMovesEdgesToTheirLeft) {
    Random random(11);
    for (int round = 0; round < 5000; ++round) {
        const double sweep = round % 3 ? random(-3, 3) : 0.0, d = random(-1, 1);
        PolyEdge edge(random.point(20), PolyPoint(random.point(20), sweep));
        if (isArcEdge(edge) && std::fabs(d) >= Circle(edge.getStartPoint(), edge.getEndPoint(), sweep).r)
            continue; // collapses onto the centre
        const BPoint expected = nearEdge(edge, 0.5, d);
        edge.offset(d);
        EXPECT_NEAR(edge.getArcAngle(), sweep, 1e-12);
        EXPECT_NEAR(nearEdge(edge, 0.5, 0).x(), expected.x(), 1e-9) << round;
        EXPECT_NEAR(nearEdge(edge, 0.5, 0).y(), expected.y(), 1e-9) << round;
    }
}

TEST(Oracle, MatrixProductsTransformsAndInverses) {
    Random random(8);
    for (int round = 0; round < 5000; ++round) {
        double values[2][16];
        const double scale = std::pow(2.0, random.pick(-500, 500));
        for (auto& m : values)
            for (double& v : m)
                v = random(-3, 3) * scale;
        const Matrix4x4 a(values[0]), b(values[1]);
        const LMatrix expected = product(a, b);
        const Matrix4x4 ab = a * b;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_NEAR(ab.get(r, c) / (scale * scale), expected[r][c] / (scale * scale), 1e-13);
        const LD v[3] = {random(-5, 5), random(-5, 5), random(-5, 5)};
        const Vector3 direction = a.transform(Vector3(v[0], v[1], v[2]));
        const CadPoint point = a.transform(CadPoint(v[0], v[1], v[2]));
        LD d[4];
        for (int r = 0; r < 4; ++r)
            d[r] = a.get(r, 0) * v[0] + a.get(r, 1) * v[1] + a.get(r, 2) * v[2];
        expectNear(direction.toPoint(), d[0], d[1], d[2], 1e-13 * scale);
        const LD w = d[3] + a.get(3, 3);
        expectNear(point, (d[0] + a.get(0, 3)) / w, (d[1] + a.get(1, 3)) / w, (d[2] + a.get(2, 3)) / w,
                   1e-9 * (std::fabs(point.getX()) + std::fabs(point.getY()) + std::fabs(point.getZ()) + 1));

        // an invertible matrix: A A^-1 = I, in long double
        Matrix4x4 inverse;
        ASSERT_TRUE(a.inverse(inverse)) << round;
        const LMatrix identity = product(a, inverse);
        LD worst = 0;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::fabs(identity[r][c] - (r == c)));
        EXPECT_LT(worst, 1e-6) << round;
        // a row that is a combination of two others makes it singular, however it rounds
        const double k = random(-2, 2);
        for (int c = 0; c < 4; ++c)
            values[0][12 + c] = values[0][c] * k + values[0][4 + c];
        EXPECT_FALSE(Matrix4x4(values[0]).inverse(inverse)) << round;
        EXPECT_TRUE(inverse.isIdentity(0.0));
    }
}

TEST(Oracle, RotationsTurnCounterClockwiseAboutTheirAxis) {
    Random random(99);
    for (int round = 0; round < 5000; ++round) {
        const std::array<LD, 3> axis = unit(random(-1, 1), random(-1, 1), random(-1, 1));
        const double angle = random(-10, 10);
        const CadPoint p = random.point(100, 100);
        const std::array<LD, 3> expected = turned({p.getX(), p.getY(), p.getZ()}, axis, angle);
        expectNear(Matrix4x4::rotation(Vector3(axis[0] * 3, axis[1] * 3, axis[2] * 3), angle).transform(p),
                   expected[0], expected[1], expected[2], 1e-11);
        const std::array<LD, 3> plan = turned({p.getX(), p.getY(), p.getZ()}, {0, 0, 1}, angle);
        expectNear(Matrix4x4::rotationZ(angle).transform(p), plan[0], plan[1], plan[2], 1e-11);
        CadPoint q(p);
        q.rotate(angle, CadPoint(0, 0, 50));
        expectNear(q, plan[0], plan[1], p.getZ(), 1e-11);
        // ZRotater turns the other way: the direction at angle lands on +x
        CadPoint r(p);
        ZRotater(angle).rotate(r);
        const std::array<LD, 3> back = turned({p.getX(), p.getY(), p.getZ()}, {0, 0, 1}, -angle);
        expectNear(r, back[0], back[1], p.getZ(), 1e-11);
    }
}

TEST(Oracle, LevellingTurnsTheNormalUpAboutTheLevelAxis) {
    Random random(303);
    for (int round = 0; round < 5000; ++round) {
        const Vector3 normal(random(-1, 1), random(-1, 1), random(-1, 1));
        const double planAngle = round % 2 ? random(-4, 4) : 0.0;
        const Matrix4x4 m = Leveller(normal, planAngle).getTransform();
        const Vector3 up = m.transform(normal.normalised());
        expectNear(up.toPoint(), 0, 0, 1, 1e-12);
        // the level line of the face (normal x z) keeps its direction up to the plan turn
        const Vector3 level = normal.cross(Vector3(0, 0, 1)).normalised();
        const std::array<LD, 3> expected = turned({level.getX(), level.getY(), 0}, {0, 0, 1}, planAngle);
        expectNear(m.transform(level).toPoint(), expected[0], expected[1], 0, 1e-12);
        // a rotation: lengths and handedness stay
        const Vector3 x = m.transform(Vector3(1, 0, 0)), y = m.transform(Vector3(0, 1, 0));
        expectNear(x.cross(y).toPoint(), m.get(0, 2), m.get(1, 2), m.get(2, 2), 1e-12);
        EXPECT_NEAR(x.getLength(), 1.0, 1e-12);
    }
}

TEST(Oracle, ProjectionsPutRightOnPlusXAndUpOnPlusY) {
    Random random(352);
    for (int round = 0; round < 4000; ++round) {
        const bool perspective = round % 2;
        HostCameraRecord record;
        record.isPerspective = perspective;
        record.perspective.viewConeAngle = random(0.2, 2.5);
        record.perspective.scale = random(0.5, 3);
        const double roll = round % 4 < 2 ? 0.0 : random(-3, 3);
        (perspective ? record.perspective.rollAngle : record.parallel.rollAngle) = roll;
        const auto projection = Projection::fromCameraRecord(record);
        const double scale = perspective ? record.perspective.scale : random(0.5, 3);
        if (!perspective) static_cast<OrthogonalProjection&>(*projection).setScale(scale);
        const CadPoint camera = random.point(50, 50), target = random.point(50, 50);
        projection->setCamera(camera, target);
        // the picture axes: right is level, up has the same sense as z, then both turn by roll
        const std::array<LD, 3> f = unit((LD)target.getX() - camera.getX(), (LD)target.getY() - camera.getY(),
                                         (LD)target.getZ() - camera.getZ());
        std::array<LD, 3> right = unit(f[1], -f[0], 0);
        std::array<LD, 3> up{right[1] * f[2] - right[2] * f[1], right[2] * f[0] - right[0] * f[2],
                             right[0] * f[1] - right[1] * f[0]};
        EXPECT_GT(up[2], 0) << round;
        right = turned(right, f, roll);
        up = turned(up, f, roll);
        const LD x = random(-5, 5), y = random(-5, 5), depth = random(1, 100);
        const CadPoint p(camera.getX() + right[0] * x + up[0] * y + f[0] * depth,
                         camera.getY() + right[1] * x + up[1] * y + f[1] * depth,
                         camera.getZ() + right[2] * x + up[2] * y + f[2] * depth);
        const LD factor =
            perspective ? scale / std::tan(record.perspective.viewConeAngle / 2) / depth : scale;
        const CadPoint view = projection->transform(p);
        expectNear(view, x * factor, y * factor, depth, 1e-9 * (1 + factor));
        EXPECT_TRUE(projection->inverse(view).isEqual(p, 1e-8)) << round;
    }
}
