#include "geometry/PolyEdge.h"

#include <cmath>

namespace tarnwick {

PolyEdge PolyEdge::reversed() const {
    PolyPoint end(m_start, -m_end.getArcAngle(), m_end.getId());
    return PolyEdge(m_end, end);
}

PolyEdge& PolyEdge::operator+=(const CadPoint& offset) {
    m_start += offset;
    m_end += offset;
    return *this;
}

void PolyEdge::movePolar(double distance, double angle) {
    m_start.movePolar(distance, angle);
    m_end.movePolar(distance, angle);
}

void PolyEdge::setHeight(double z) {
    m_start.setZ(z);
    m_end.setZ(z);
}

double PolyEdge::getPlanLength() const {
    if (!isArc()) return m_start.distance2D(m_end);
    const CadArc arc = getArc();
    return arc.getSweep() == 0.0 ? m_start.distance2D(m_end) : arc.getLength();
}

void PolyEdge::extendTo(const CadPoint& p, bool lengthenOnly, double tolerance) {
    extend(p, true, lengthenOnly, tolerance);
}

void PolyEdge::extendReversedTo(const CadPoint& p, bool lengthenOnly, double tolerance) {
    extend(p, false, lengthenOnly, tolerance);
}

void PolyEdge::extend(const CadPoint& p, bool atEnd, bool lengthenOnly, double tolerance) {
    const CadArc arc = getArc();
    if (isArc(tolerance) && arc.getSweep() != 0.0) {
        const CadPoint& c = arc.getCentre();
        if (c.distance2D(p) <= tolerance) return;
        const double angle = c.getAngle(p);
        const double sweep = arc.getSweep();
        const double fixedAngle = atEnd ? arc.getStartAngle() : arc.getEndAngle();
        // the new sweep runs in the old sense from the fixed end to the projected point
        double turn =
            atEnd == (sweep > 0.0) ? normaliseAngle(angle - fixedAngle) : normaliseAngle(fixedAngle - angle);
        if (turn <= tolerance / arc.getRadius()) return; // onto the fixed end: keep the edge
        if (lengthenOnly && turn < std::fabs(sweep)) return;
        const double newSweep = sweep > 0.0 ? turn : -turn;
        const CadPoint moved = arc.getPointAt(angle);
        if (atEnd) {
            m_end.set(moved.getX(), moved.getY(), m_end.getZ());
        } else {
            m_start.set(moved.getX(), moved.getY(), m_start.getZ());
        }
        m_end.setArcAngle(newSweep);
        return;
    }
    const double dx = m_end.getX() - m_start.getX();
    const double dy = m_end.getY() - m_start.getY();
    const double length2 = dx * dx + dy * dy;
    if (length2 <= tolerance * tolerance) {
        // no direction to project onto: the moved end takes the point's plan position
        if (atEnd) {
            m_end.set(p.getX(), p.getY(), m_end.getZ());
        } else {
            m_start.set(p.getX(), p.getY(), m_start.getZ());
        }
        return;
    }
    const double t = ((p.getX() - m_start.getX()) * dx + (p.getY() - m_start.getY()) * dy) / length2;
    if (lengthenOnly && (atEnd ? t < 1.0 : t > 0.0)) return;
    const CadPoint moved = m_start + (m_end - m_start) * t;
    if (atEnd) {
        m_end.setPoint(moved);
    } else {
        m_start.setPoint(moved);
    }
}

void PolyEdge::offset(double distance) {
    const CadArc arc = getArc();
    if (isArc() && arc.getSweep() != 0.0) {
        const CadPoint& c = arc.getCentre();
        const double r = arc.getRadius();
        // left of a counter-clockwise arc is towards its centre
        double newRadius = arc.getSweep() > 0.0 ? r - distance : r + distance;
        if (newRadius < 0.0) newRadius = 0.0;
        const double f = newRadius / r;
        const double zs = m_start.getZ();
        const double ze = m_end.getZ();
        m_start.setPoint(c + (m_start - c) * f);
        m_end.setPoint(c + (m_end - c) * f);
        m_start.setZ(zs);
        m_end.setZ(ze);
        if (newRadius == 0.0) m_end.setArcAngle(0.0); // collapsed onto the centre
        return;
    }
    const double angle = getAngle() + kPi / 2.0;
    m_start.movePolar(distance, angle);
    m_end.movePolar(distance, angle);
}

void PolyEdge::lengthenBy(double amount) {
    const CadArc arc = getArc();
    if (isArc() && arc.getSweep() != 0.0) {
        const double r = arc.getRadius();
        const double sweep = arc.getSweep();
        const double newSweep = sweep + (sweep > 0.0 ? amount : -amount) / r;
        const CadPoint moved = arc.getPointAt(arc.getStartAngle() + newSweep);
        m_end.set(moved.getX(), moved.getY(), m_end.getZ());
        m_end.setArcAngle(newSweep);
        return;
    }
    m_end.movePolar(amount, getAngle());
}

} // namespace tarnwick
