#include "geometry/CadArc.h"

#include <cmath>

namespace tarnwick {

CadArc::CadArc(const CadPoint& centre, double radius, double sweep, double startAngle, const Vector3& axis)
    : m_centre(centre), m_radius(radius), m_sweep(sweep), m_startAngle(startAngle), m_axis(axis) {}

CadArc::CadArc(const CadPoint& from, const PolyPoint& to) : m_sweep(to.getArcAngle()) {
    const double dx = to.getX() - from.getX();
    const double dy = to.getY() - from.getY();
    const double chord = std::hypot(dx, dy);
    const double halfSin = std::sin(m_sweep / 2.0);
    const CadPoint mid((from.getX() + to.getX()) / 2.0, (from.getY() + to.getY()) / 2.0, from.getZ());
    if (chord <= 0.0 || std::fabs(halfSin) < 1e-12 || !std::isfinite(m_sweep)) {
        // no circle through the two points: keep the geometry finite
        m_centre = mid;
        m_radius = chord / 2.0;
        m_sweep = 0.0;
        m_startAngle = mid.getAngle(from);
        return;
    }
    // the centre lies left of the chord for 0 < sweep < pi, right of it for negative sweeps
    const double h = (chord / 2.0) * std::cos(m_sweep / 2.0) / halfSin;
    m_centre = CadPoint(mid.getX() - dy / chord * h, mid.getY() + dx / chord * h, from.getZ());
    m_radius = (chord / 2.0) / std::fabs(halfSin);
    m_startAngle = m_centre.getAngle(from);
}

CadPoint CadArc::getPointAt(double angle) const {
    return {m_centre.getX() + m_radius * std::cos(angle), m_centre.getY() + m_radius * std::sin(angle),
            m_centre.getZ()};
}

double CadArc::getLength() const {
    return std::fabs(m_sweep) * m_radius;
}

bool CadArc::containsAngle(double angle, double tolerance) const {
    if (std::fabs(m_sweep) >= kTwoPi - tolerance) return true;
    double rel = m_sweep >= 0.0 ? normaliseAngle(angle - m_startAngle) : normaliseAngle(m_startAngle - angle);
    if (rel > kTwoPi - tolerance) rel -= kTwoPi; // just before the start
    return rel >= -tolerance && rel <= std::fabs(m_sweep) + tolerance;
}

Cube CadArc::getBounds() const {
    Cube box(getStartPoint(), getStartPoint());
    box.extend(getPointAt(getEndAngle()));
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const double angle = quadrant * kPi / 2.0;
        if (containsAngle(angle, 0.0)) box.extend(getPointAt(angle));
    }
    return box;
}

uint32_t CadArc::getPosition(const CadPoint& p, double tolerance) const {
    if (p.isEqual2D(getStartPoint(), tolerance)) return kAtStart;
    if (p.isEqual2D(getPointAt(getEndAngle()), tolerance)) return kAtEnd;
    const double distance = m_centre.distance2D(p);
    if (std::fabs(distance - m_radius) > tolerance) return kOff;
    if (!(m_radius > 0.0)) return kOff; // zero radius: only the ends count
    // the centre of an arc whose radius is within the tolerance lies on it
    if (distance == 0.0) return kInside;
    // compare along the arc: the angular tolerance for a length tolerance
    return containsAngle(m_centre.getAngle(p), tolerance / distance) ? kInside : kOff;
}

CadArc& CadArc::operator+=(const CadPoint& offset) {
    m_centre += offset;
    return *this;
}

} // namespace tarnwick
