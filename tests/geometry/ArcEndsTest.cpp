// An arc's angle range at its ends, turning either way: just before its start and just past its
// end, within the tolerance and just outside it, as angles and as points on its circle.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/CadArc.h"

using namespace tarnwick;

namespace {

constexpr double Tolerance = 1e-5;
constexpr double Within = 0.5 * Tolerance;
constexpr double Outside = 2.0 * Tolerance;

struct Arc {
    const char* what;
    double start, sweep;
};

// Both turning directions, and starts on either side of the angle's wrap.
const Arc arcs[] = {
    {"counter-clockwise", 0.5, 1.0},
    {"clockwise", 0.5, -1.0},
    {"counter-clockwise from 0", 0.0, 1.0},
    {"clockwise from 0", 0.0, -1.0},
    {"counter-clockwise across the wrap", 6.0, 1.0},
    {"clockwise across the wrap", 0.2, -1.0},
};

// Beyond the end along the turn: + for a counter-clockwise arc, - for a clockwise one.
double past(const Arc& arc, double angle, double by) {
    return angle + (arc.sweep > 0.0 ? by : -by);
}

} // namespace

TEST(ArcEnds, AnglesJustBeforeTheStartAndJustPastTheEndCountOnlyWithinTheTolerance) {
    for (const Arc& a : arcs) {
        const CadArc arc(CadPoint(1.0, 2.0, 0.0), 10.0, a.sweep, a.start);
        const double end = a.start + a.sweep;
        struct Case {
            const char* where;
            double angle;
            bool contained;
        };
        const Case cases[] = {
            {"at the start", a.start, true},
            {"at the end", end, true},
            {"half way", a.start + a.sweep / 2.0, true},
            {"just before the start, within", past(a, a.start, -Within), true},
            {"just before the start, outside", past(a, a.start, -Outside), false},
            {"just past the end, within", past(a, end, Within), true},
            {"just past the end, outside", past(a, end, Outside), false},
            {"just inside the start", past(a, a.start, Outside), true},
            {"just inside the end", past(a, end, -Outside), true},
            {"a turn later, just before the start", past(a, a.start, -Within) + 2.0 * std::numbers::pi, true},
            {"a turn earlier, just past the end", past(a, end, Within) - 2.0 * std::numbers::pi, true},
            {"a turn later, just past the end, outside", past(a, end, Outside) + 2.0 * std::numbers::pi,
             false},
            {"opposite", a.start + a.sweep / 2.0 + std::numbers::pi, false},
        };
        for (const Case& c : cases)
            EXPECT_EQ(arc.containsAngle(c.angle, Tolerance), c.contained) << a.what << ": " << c.where;
        // With no tolerance only the range itself.
        EXPECT_FALSE(arc.containsAngle(past(a, a.start, -Within), 0.0)) << a.what;
        EXPECT_FALSE(arc.containsAngle(past(a, end, Within), 0.0)) << a.what;
        EXPECT_TRUE(arc.containsAngle(a.start, 0.0)) << a.what;
        EXPECT_TRUE(arc.containsAngle(end, 0.0)) << a.what;
    }
}

TEST(ArcEnds, PointsOnTheCircleNearTheEndsAreAtAnEndInsideOrOff) {
    const double radius = 10.0;
    // A length tolerance along the circle: an angle of tolerance / radius.
    const double within = Within / radius, outside = Outside / radius;
    for (const Arc& a : arcs) {
        const CadPoint centre(1.0, 2.0, 0.0);
        const CadArc arc(centre, radius, a.sweep, a.start);
        const double end = a.start + a.sweep;
        const auto at = [&](double angle) { return arc.getPointAt(angle); };
        struct Case {
            const char* where;
            CadPoint p;
            uint32_t code;
        };
        const Case cases[] = {
            {"the start", at(a.start), kAtStart},
            {"the end", at(end), kAtEnd},
            {"just before the start, within", at(past(a, a.start, -within)), kAtStart},
            {"just past the end, within", at(past(a, end, within)), kAtEnd},
            {"just before the start, outside", at(past(a, a.start, -outside)), kOff},
            {"just past the end, outside", at(past(a, end, outside)), kOff},
            {"just inside the start", at(past(a, a.start, outside)), kInside},
            {"just inside the end", at(past(a, end, -outside)), kInside},
            {"half way", at(a.start + a.sweep / 2.0), kInside},
            {"half way, off the circle",
             CadPoint(centre.getX() + (radius + Outside) * std::cos(a.start + a.sweep / 2.0),
                      centre.getY() + (radius + Outside) * std::sin(a.start + a.sweep / 2.0), 0.0),
             kOff},
        };
        for (const Case& c : cases)
            EXPECT_EQ(arc.getPosition(c.p, Tolerance), c.code) << a.what << ": " << c.where;
    }
}

TEST(ArcEnds, AnArcShortOfAFullTurnLeavesItsGapOpenUnlessTheToleranceClosesIt) {
    for (double sign : {1.0, -1.0}) {
        const double gap = 1e-3;
        const CadArc nearlyFull(CadPoint(), 1.0, sign * (2.0 * std::numbers::pi - gap), 1.0);
        const double inGap = 1.0 - sign * gap / 2.0;
        EXPECT_FALSE(nearlyFull.containsAngle(inGap, Tolerance)) << sign;
        EXPECT_TRUE(nearlyFull.containsAngle(inGap, gap)) << sign;
        const CadArc full(CadPoint(), 1.0, sign * (2.0 * std::numbers::pi - Within), 1.0);
        EXPECT_TRUE(full.containsAngle(1.0 - sign * Within / 2.0, Tolerance)) << sign;
    }
}
