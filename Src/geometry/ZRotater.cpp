#include "geometry/ZRotater.h"

#include <cmath>

namespace tarnwick {

void ZRotater::setAngle(double angle, double tolerance) {
    m_angle = angle;
    m_active = std::fabs(angle) > tolerance && std::isfinite(angle);
    m_cos = m_active ? std::cos(angle) : 1.0;
    m_sin = m_active ? std::sin(angle) : 0.0;
}

void ZRotater::rotate(CadPoint& p) const {
    if (!m_active) return;
    const double x = p.getX();
    const double y = p.getY();
    p.setX(m_cos * x + m_sin * y);
    p.setY(m_cos * y - m_sin * x);
}

} // namespace tarnwick
