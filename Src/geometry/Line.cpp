#include "geometry/Line.h"

#include <cmath>

#include "geometry/CadArc.h"

namespace tarnwick {

Line& Line::operator+=(const CadPoint& offset) {
    m_start += offset;
    m_end += offset;
    return *this;
}

Line& Line::operator-=(const CadPoint& offset) {
    m_start -= offset;
    m_end -= offset;
    return *this;
}

uint32_t Line::getPosition(const CadPoint& p, double tolerance) const {
    if (!p.isFinite2D() || !m_start.isFinite2D() || !m_end.isFinite2D()) return kOff;
    if (p.isEqual2D(m_start, tolerance)) return kAtStart;
    if (p.isEqual2D(m_end, tolerance)) return kAtEnd;
    const double dx = m_end.getX() - m_start.getX();
    const double dy = m_end.getY() - m_start.getY();
    const double length = std::hypot(dx, dy);
    if (length <= tolerance) return kOff;
    const double px = p.getX() - m_start.getX();
    const double py = p.getY() - m_start.getY();
    const double along = (px * dx + py * dy) / length;
    const double across = (dx * py - dy * px) / length;
    if (!(std::fabs(across) <= tolerance && along >= 0.0 && along <= length)) return kOff;
    return kInside;
}

namespace {

// The point of the segment at parameter t, z interpolated.
CadPoint pointAt(const CadPoint& a, const CadPoint& b, double t) {
    return a + (b - a) * t;
}

void addIfOnBoth(std::vector<InterPoint>& out, const CadPoint& p, uint32_t first, uint32_t second) {
    if (!isOnGeometry(first) || !isOnGeometry(second)) return;
    for (const InterPoint& q : out)
        if (q.isEqual2D(p)) return;
    out.emplace_back(p, first, second);
}

} // namespace

std::vector<InterPoint> Line::intersectInPlan(const Line& other, double tolerance) const {
    std::vector<InterPoint> out;
    const double rx = m_end.getX() - m_start.getX();
    const double ry = m_end.getY() - m_start.getY();
    const double sx = other.m_end.getX() - other.m_start.getX();
    const double sy = other.m_end.getY() - other.m_start.getY();
    const double denom = rx * sy - ry * sx;
    const double lengths = std::hypot(rx, ry) * std::hypot(sx, sy);
    if (std::fabs(denom) > 1e-12 * lengths && lengths > 0.0) {
        const double qx = other.m_start.getX() - m_start.getX();
        const double qy = other.m_start.getY() - m_start.getY();
        const double t = (qx * sy - qy * sx) / denom;
        const CadPoint p = pointAt(m_start, m_end, t);
        addIfOnBoth(out, p, getPosition(p, tolerance), other.getPosition(p, tolerance));
        if (!out.empty()) return out;
    }
    // parallel, degenerate, or crossing just outside: any end lying on the other segment
    for (const CadPoint* p : {&m_start, &m_end})
        addIfOnBoth(out, *p, getPosition(*p, tolerance), other.getPosition(*p, tolerance));
    for (const CadPoint* p : {&other.m_start, &other.m_end})
        addIfOnBoth(out, *p, getPosition(*p, tolerance), other.getPosition(*p, tolerance));
    return out;
}

std::vector<InterPoint> Line::intersectInPlan(const CadArc& arc, double tolerance) const {
    std::vector<InterPoint> out;
    const CadPoint& c = arc.getCentre();
    const double dx = m_end.getX() - m_start.getX();
    const double dy = m_end.getY() - m_start.getY();
    const double length = std::hypot(dx, dy);
    if (length > 0.0) {
        const double ux = dx / length;
        const double uy = dy / length;
        // foot of the perpendicular from the centre onto the line
        const double along = (c.getX() - m_start.getX()) * ux + (c.getY() - m_start.getY()) * uy;
        const double across = (c.getY() - m_start.getY()) * ux - (c.getX() - m_start.getX()) * uy;
        const double r = arc.getRadius();
        if (std::fabs(across) <= r + tolerance) {
            const double half = std::sqrt(std::fmax(r * r - across * across, 0.0));
            for (double s : {along - half, along + half}) {
                const CadPoint p = pointAt(m_start, m_end, s / length);
                addIfOnBoth(out, p, getPosition(p, tolerance), arc.getPosition(p, tolerance));
            }
        }
    }
    const CadPoint arcEnds[2] = {arc.getStartPoint(), arc.getPointAt(arc.getEndAngle())};
    for (const CadPoint& p : arcEnds)
        addIfOnBoth(out, p, getPosition(p, tolerance), arc.getPosition(p, tolerance));
    for (const CadPoint* p : {&m_start, &m_end})
        addIfOnBoth(out, *p, getPosition(*p, tolerance), arc.getPosition(*p, tolerance));
    return out;
}

bool Line::intersectsInPlan(const Line& other, double tolerance) const {
    return !intersectInPlan(other, tolerance).empty();
}

bool Line::intersectsInPlan(const CadArc& arc, double tolerance) const {
    return !intersectInPlan(arc, tolerance).empty();
}

} // namespace tarnwick
