#include "geometry/LinearEquation.h"

#include <cmath>

#include "geometry/Line.h"

namespace tarnwick {

LinearEquation::LinearEquation(double angle, const CadPoint& point) {
    setThrough(std::cos(angle), std::sin(angle), point);
}

LinearEquation::LinearEquation(const CadPoint& a, const CadPoint& b) {
    setThrough(b.getX() - a.getX(), b.getY() - a.getY(), a);
}

LinearEquation::LinearEquation(const Line& line) : LinearEquation(line.getStartPoint(), line.getEndPoint()) {}

void LinearEquation::setThrough(double dx, double dy, const CadPoint& point) {
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length)) {
        m_a = m_b = m_c = 0.0;
        return;
    }
    m_a = -dy / length;
    m_b = dx / length;
    m_c = -(m_a * point.getX() + m_b * point.getY());
}

uint32_t LinearEquation::classifyPoint(const CadPoint& p, double tolerance) const {
    const double v = getValue(p);
    if (v < -tolerance) return kRight;
    if (v > tolerance) return kLeft;
    return kOnLine;
}

CadPoint LinearEquation::projectPoint(const CadPoint& p) const {
    if (isDegenerate()) return p;
    const double v = getValue(p);
    return {p.getX() - v * m_a, p.getY() - v * m_b, p.getZ()};
}

} // namespace tarnwick
