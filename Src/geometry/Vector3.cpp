#include "geometry/Vector3.h"

#include <cmath>

namespace tarnwick {

double Vector3::getLength() const {
    return std::sqrt(m_x * m_x + m_y * m_y + m_z * m_z);
}

Vector3 Vector3::normalised() const {
    const double length = getLength();
    if (length == 0.0 || !std::isfinite(length)) return *this;
    return {m_x / length, m_y / length, m_z / length};
}

bool Vector3::isParallel(const Vector3& o, double tolerance) const {
    if (isZero(tolerance) || o.isZero(tolerance)) return false;
    const Vector3 c = cross(o);
    return std::fabs(c.m_x) <= tolerance && std::fabs(c.m_y) <= tolerance && std::fabs(c.m_z) <= tolerance;
}

bool Vector3::isSameSense(const Vector3& o, double tolerance) const {
    return m_x * o.m_x >= -tolerance && m_y * o.m_y >= -tolerance && m_z * o.m_z >= -tolerance;
}

} // namespace tarnwick
