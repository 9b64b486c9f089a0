// The plan line a*x + b*y + c = 0, with (a, b) the unit normal pointing left of the direction.
#pragma once

#include <cstdint>

#include "geometry/CadPoint.h"

namespace tarnwick {

class Line;

class LinearEquation {
public:
    enum Side : uint32_t { kRight = 1, kOnLine = 2, kLeft = 4 };

    // The line through the point with that direction angle.
    LinearEquation(double angle, const CadPoint& point);
    // The line through a towards b; degenerate when they coincide in plan.
    LinearEquation(const CadPoint& a, const CadPoint& b);
    explicit LinearEquation(const Line& line);

    double getA() const { return m_a; }
    double getB() const { return m_b; }
    double getC() const { return m_c; }
    bool isDegenerate() const { return m_a == 0.0 && m_b == 0.0; }

    // a*x + b*y + c: the signed plan distance, positive on the left.
    double getValue(const CadPoint& p) const { return m_a * p.getX() + m_b * p.getY() + m_c; }
    // kRight (1) when the value is below -tolerance, kLeft (4) above it, else kOnLine (2).
    uint32_t classifyPoint(const CadPoint& p, double tolerance = kTolerance) const;
    // The foot of the perpendicular from p (z kept); p itself for a degenerate line.
    CadPoint projectPoint(const CadPoint& p) const;

private:
    void setThrough(double dx, double dy, const CadPoint& point);

    double m_a = 0.0;
    double m_b = 0.0;
    double m_c = 0.0;
};

} // namespace tarnwick
