// A plane through a point with a normal.
#pragma once

#include <cstdint>

#include "geometry/Vector3.h"

namespace tarnwick {

class Plane {
public:
    enum Side : uint32_t { kBelow = 1, kOnPlane = 4, kAbove = 16 };

    Plane() = default; // the horizontal plane through the origin
    // A zero normal is kept; every point then counts as on the plane.
    Plane(const CadPoint& point, const Vector3& normal) : m_point(point), m_normal(normal.normalised()) {}

    const CadPoint& getPoint() const { return m_point; }
    const Vector3& getNormal() const { return m_normal; }
    // Signed distance along the unit normal.
    double getDistance(const CadPoint& p) const { return m_normal.dot(Vector3(m_point, p)); }
    // kBelow, kOnPlane or kAbove (the side the normal points to).
    uint32_t getPosition(const CadPoint& p, double tolerance = kTolerance) const;
    CadPoint projectPoint(const CadPoint& p) const { return p - (m_normal * getDistance(p)).toPoint(); }

private:
    CadPoint m_point;
    Vector3 m_normal{0.0, 0.0, 1.0};
};

} // namespace tarnwick
