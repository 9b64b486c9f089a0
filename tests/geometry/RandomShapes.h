// Random polygons for the geometry tests, and a dense straight-edged copy of a polygon's contour
// that gives an independent reference for areas and point positions.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/CadPolygon.h"

namespace geometry_test {

using tarnwick::CadArc;
using tarnwick::CadPoint;
using tarnwick::CadPolygon;
using tarnwick::PolyPoint;

inline double uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

// A counter-clockwise star-shaped contour of 3..10 vertices, some edges arcs of up to maxArc.
inline CadPolygon* randomPolygon(std::mt19937& rng, double maxArc = 0.6) {
    const int n = std::uniform_int_distribution<int>(3, 10)(rng);
    const CadPoint centre(uniform(rng, -50, 50), uniform(rng, -50, 50), uniform(rng, -5, 5));
    std::vector<double> angles(n);
    for (double& a : angles)
        a = uniform(rng, 0.0, tarnwick::kTwoPi);
    std::sort(angles.begin(), angles.end());
    auto* polygon = new CadPolygon(n);
    for (int i = 0; i < n; ++i) {
        CadPoint p = centre;
        p.movePolar(uniform(rng, 2.0, 10.0), angles[i]);
        const double arc = uniform(rng, 0.0, 1.0) < 0.4 ? uniform(rng, -maxArc, maxArc) : 0.0;
        polygon->append(new PolyPoint(p, arc, 0));
    }
    return polygon;
}

// The points along the contour's edges (arcs subdivided), the first of each edge included.
inline std::vector<CadPoint> densePoints(const CadPolygon& polygon, int perArc = 256) {
    std::vector<CadPoint> out;
    for (size_t i = 0; i < polygon.getEdgeCount(); ++i) {
        const auto edge = polygon.getEdge(i);
        out.push_back(edge.getStartPoint());
        if (!edge.isArc()) continue;
        const CadArc arc = edge.getArc();
        for (int k = 1; k < perArc; ++k)
            out.push_back(arc.getPointAt(arc.getStartAngle() + arc.getSweep() * k / perArc));
    }
    return out;
}

inline double shoelace(const std::vector<CadPoint>& pts) {
    double twice = 0.0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const CadPoint& a = pts[i];
        const CadPoint& b = pts[(i + 1) % pts.size()];
        twice += a.getX() * b.getY() - b.getX() * a.getY();
    }
    return twice / 2.0;
}

inline bool rayCastInside(const std::vector<CadPoint>& pts, const CadPoint& p) {
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const CadPoint& a = pts[i];
        const CadPoint& b = pts[j];
        if ((a.getY() > p.getY()) != (b.getY() > p.getY()) &&
            p.getX() < a.getX() + (p.getY() - a.getY()) / (b.getY() - a.getY()) * (b.getX() - a.getX()))
            inside = !inside;
    }
    return inside;
}

inline double distanceToOutline(const std::vector<CadPoint>& pts, const CadPoint& p) {
    double best = 1e300;
    for (size_t i = 0; i < pts.size(); ++i) {
        const CadPoint& a = pts[i];
        const CadPoint& b = pts[(i + 1) % pts.size()];
        const double dx = b.getX() - a.getX(), dy = b.getY() - a.getY();
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.getX() - a.getX()) * dx + (p.getY() - a.getY()) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(a.getX() + t * dx - p.getX(), a.getY() + t * dy - p.getY()));
    }
    return best;
}

} // namespace geometry_test
