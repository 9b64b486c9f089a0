// Independent answers for the geometry tests: random shapes from fixed seeds, closed forms worked
// in long double, and Boost.Geometry over long double coordinates.
#pragma once

#include <boost/geometry.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "geometry/CadPolygon.h"

namespace geometry_test {

using namespace tarnwick;
namespace bg = boost::geometry;
using LD = long double;
using BPoint = bg::model::d2::point_xy<LD>;
using BSegment = bg::model::segment<BPoint>;
using BRing = bg::model::ring<BPoint, false, false>; // counter-clockwise, open

struct Random {
    std::mt19937 rng;
    explicit Random(uint32_t seed) : rng(seed) {}
    double operator()(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    bool chance(double p) { return (*this)(0.0, 1.0) < p; }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    CadPoint point(double extent, double zExtent = 0.0) {
        return {(*this)(-extent, extent), (*this)(-extent, extent), (*this)(-zExtent, zExtent + 1e-300)};
    }
};

inline BPoint bp(const CadPoint& p) {
    return {p.getX(), p.getY()};
}

// The circle of the edge a -> b with that sweep, worked out from the chord in long double.
struct Circle {
    LD cx, cy, r, start;
    Circle(const CadPoint& a, const CadPoint& b, LD sweep) {
        const LD dx = (LD)b.getX() - a.getX(), dy = (LD)b.getY() - a.getY(), chord = std::hypot(dx, dy);
        const LD h = chord / 2 / std::tan(sweep / 2); // towards the left of the chord
        cx = ((LD)a.getX() + b.getX()) / 2 - dy / chord * h;
        cy = ((LD)a.getY() + b.getY()) / 2 + dx / chord * h;
        r = std::hypot((LD)a.getX() - cx, (LD)a.getY() - cy);
        start = std::atan2((LD)a.getY() - cy, (LD)a.getX() - cx);
    }
    explicit Circle(const CadArc& arc)
        : cx(arc.getCentre().getX()), cy(arc.getCentre().getY()), r(arc.getRadius()),
          start(arc.getStartAngle()) {}
    BPoint at(LD angle) const { return {cx + r * std::cos(angle), cy + r * std::sin(angle)}; }
};

inline bool isArcEdge(const PolyEdge& e) {
    return e.isArc() && e.getStartPoint().distance2D(e.getEndPoint()) > 0.0;
}

inline CadPoint cp(const BPoint& p) {
    return {static_cast<double>(p.x()), static_cast<double>(p.y())};
}

// The point at the fraction t of an edge, moved by `left` to the left of the travel there.
inline BPoint nearEdge(const PolyEdge& e, LD t, LD left) {
    const CadPoint &a = e.getStartPoint(), &b = e.getEndPoint();
    if (!isArcEdge(e)) {
        const LD dx = (LD)b.getX() - a.getX(), dy = (LD)b.getY() - a.getY(), n = std::hypot(dx, dy);
        return {a.getX() + dx * t - dy / n * left, a.getY() + dy * t + dx / n * left};
    }
    const Circle c(a, b, e.getArcAngle());
    const LD angle = c.start + e.getArcAngle() * t, r = c.r - (e.getArcAngle() > 0 ? left : -left);
    return {c.cx + r * std::cos(angle), c.cy + r * std::sin(angle)};
}

// Distance from p to an arc of `sweep` from `start` on circle c: radial where the foot lies in
// the sweep, else to the nearer end.
inline LD arcDistance(const Circle& c, LD sweep, LD px, LD py) {
    const LD d = std::hypot(px - c.cx, py - c.cy);
    LD rel = std::atan2(py - c.cy, px - c.cx) - c.start;
    if (sweep < 0) rel = -rel;
    rel = std::fmod(rel + 8 * std::numbers::pi_v<LD>, 2 * std::numbers::pi_v<LD>);
    if (rel <= std::fabs(sweep)) return std::fabs(d - c.r);
    const BPoint a = c.at(c.start), b = c.at(c.start + sweep);
    return std::min(std::hypot(px - a.x(), py - a.y()), std::hypot(px - b.x(), py - b.y()));
}

// The code that p at that distance from a segment or arc must get; 0 where the tolerance leaves
// it open.
inline uint32_t expectedCode(const CadPoint& p, const CadPoint& start, const CadPoint& end, LD distance,
                             LD offFrom) {
    if (p.isEqual2D(start)) return kAtStart;
    if (p.isEqual2D(end)) return kAtEnd;
    if (distance <= 0.9 * kTolerance) return kInside;
    return distance >= offFrom ? uint32_t{kOff} : 0u;
}

// Distance from p to a contour's outline, arcs exact.
inline LD outlineDistance(const CadPolygon& polygon, const CadPoint& p) {
    LD best = 1e300L;
    for (size_t i = 0; i < polygon.getVertexCount(); ++i) {
        const PolyEdge e = polygon.getEdge(i);
        best = std::min(best,
                        isArcEdge(e)
                            ? arcDistance(Circle(e.getStartPoint(), e.getEndPoint(), e.getArcAngle()),
                                          e.getArcAngle(), p.getX(), p.getY())
                            : (LD)bg::distance(bp(p), BSegment(bp(e.getStartPoint()), bp(e.getEndPoint()))));
    }
    return best;
}

// The contour with every arc subdivided into perArc chords.
inline BRing densified(const CadPolygon& polygon, int perArc) {
    BRing ring;
    for (size_t i = 0; i < polygon.getVertexCount(); ++i) {
        const PolyEdge e = polygon.getEdge(i);
        ring.push_back(bp(e.getStartPoint()));
        if (!isArcEdge(e)) continue;
        const Circle c(e.getStartPoint(), e.getEndPoint(), e.getArcAngle());
        for (int k = 1; k < perArc; ++k)
            ring.push_back(c.at(c.start + (LD)e.getArcAngle() * k / perArc));
    }
    return ring;
}

// A counter-clockwise star-shaped contour of 3..10 vertices about centre, radii in [size/5, size],
// some edges arcs of up to maxArc either way.
inline std::unique_ptr<CadPolygon> randomPolygon(Random& random, double maxArc, double size = 10.0,
                                                 const CadPoint& centre = CadPoint()) {
    const int n = random.pick(3, 10);
    std::vector<double> angles(n);
    for (double& a : angles)
        a = random(0.0, kTwoPi);
    std::sort(angles.begin(), angles.end());
    auto polygon = std::make_unique<CadPolygon>(n);
    for (double angle : angles) {
        CadPoint p = centre;
        p.movePolar(random(size / 5, size), angle);
        polygon->append(PolyPoint(p, random.chance(0.4) ? random(-maxArc, maxArc) : 0.0));
    }
    return polygon;
}

} // namespace geometry_test
