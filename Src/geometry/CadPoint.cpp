#include "geometry/CadPoint.h"

#include <cmath>

namespace tarnwick {

CadPoint& CadPoint::operator+=(const CadPoint& o) {
    m_x += o.m_x;
    m_y += o.m_y;
    m_z += o.m_z;
    return *this;
}

CadPoint& CadPoint::operator-=(const CadPoint& o) {
    m_x -= o.m_x;
    m_y -= o.m_y;
    m_z -= o.m_z;
    return *this;
}

CadPoint& CadPoint::operator*=(double f) {
    m_x *= f;
    m_y *= f;
    m_z *= f;
    return *this;
}

bool CadPoint::isEqual(const CadPoint& o, double tolerance) const {
    return distance(o) <= tolerance;
}

bool CadPoint::isEqual2D(const CadPoint& o, double tolerance) const {
    return std::fabs(m_x - o.m_x) <= tolerance && std::fabs(m_y - o.m_y) <= tolerance;
}

double CadPoint::distance(const CadPoint& o) const {
    return std::sqrt((m_x - o.m_x) * (m_x - o.m_x) + (m_y - o.m_y) * (m_y - o.m_y) +
                     (m_z - o.m_z) * (m_z - o.m_z));
}

double CadPoint::distance2D(const CadPoint& o) const {
    return std::hypot(o.m_x - m_x, o.m_y - m_y);
}

double CadPoint::getAngle(const CadPoint& o) const {
    return planAngle(o.m_x - m_x, o.m_y - m_y);
}

void CadPoint::movePolar(double distance, double angle) {
    m_x += distance * std::cos(angle);
    m_y += distance * std::sin(angle);
}

void CadPoint::rotate(double angle, const CadPoint& centre) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dx = m_x - centre.m_x;
    const double dy = m_y - centre.m_y;
    m_x = centre.m_x + c * dx - s * dy;
    m_y = centre.m_y + s * dx + c * dy;
}

} // namespace tarnwick
