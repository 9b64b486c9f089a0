#include "geometry/PolyPoint.h"

#include <cmath>

namespace tarnwick {

bool PolyPoint::isArc(double tolerance) const {
    return std::fabs(m_arcAngle) > tolerance;
}

void PolyPoint::setTangentArc(const CadPoint& lineStart, const CadPoint& lineEnd, double tolerance) {
    m_arcAngle = 0.0;
    const double lx = lineEnd.getX() - lineStart.getX();
    const double ly = lineEnd.getY() - lineStart.getY();
    const double px = getX() - lineEnd.getX();
    const double py = getY() - lineEnd.getY();
    const double lineLength = std::hypot(lx, ly);
    if (lineLength <= tolerance || std::hypot(px, py) <= tolerance) return;
    // distance of this point from the line through lineEnd
    if (std::fabs(lx * py - ly * px) / lineLength <= tolerance) return;
    const double turn = normaliseSignedAngle(planAngle(px, py) - planAngle(lx, ly));
    m_arcAngle = 2.0 * turn;
}

void PolyPoint::setArcAroundCentre(const CadPoint& centre, const CadPoint& lineEnd) {
    m_arcAngle = 0.0;
    const double radius = centre.distance2D(lineEnd);
    if (radius <= 0.0) return;
    const double chord = lineEnd.distance2D(*this);
    const double angle = 2.0 * clampedAsin(chord / (2.0 * radius));
    // the side of the line centre -> lineEnd, as a distance so that the tolerance applies
    const double side = ((lineEnd.getX() - centre.getX()) * (getY() - centre.getY()) -
                         (lineEnd.getY() - centre.getY()) * (getX() - centre.getX())) /
                        radius;
    m_arcAngle = side < -kTolerance ? -angle : angle;
}

} // namespace tarnwick
