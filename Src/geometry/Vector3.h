// A direction or displacement in model space.
#pragma once

#include "geometry/CadPoint.h"

namespace tarnwick {

class Vector3 {
public:
    Vector3() = default;
    Vector3(double x, double y, double z) : m_x(x), m_y(y), m_z(z) {}
    explicit Vector3(const CadPoint& p) : m_x(p.getX()), m_y(p.getY()), m_z(p.getZ()) {}
    // The vector from a to b.
    Vector3(const CadPoint& a, const CadPoint& b)
        : m_x(b.getX() - a.getX()), m_y(b.getY() - a.getY()), m_z(b.getZ() - a.getZ()) {}

    double getX() const { return m_x; }
    double getY() const { return m_y; }
    double getZ() const { return m_z; }
    void set(double x, double y, double z) {
        m_x = x;
        m_y = y;
        m_z = z;
    }
    CadPoint toPoint() const { return {m_x, m_y, m_z}; }

    Vector3 operator+(const Vector3& o) const { return {m_x + o.m_x, m_y + o.m_y, m_z + o.m_z}; }
    Vector3 operator-(const Vector3& o) const { return {m_x - o.m_x, m_y - o.m_y, m_z - o.m_z}; }
    Vector3 operator-() const { return {-m_x, -m_y, -m_z}; }
    Vector3 operator*(double f) const { return {m_x * f, m_y * f, m_z * f}; }
    bool operator==(const Vector3& o) const { return isEqual(o); }

    double dot(const Vector3& o) const { return m_x * o.m_x + m_y * o.m_y + m_z * o.m_z; }
    Vector3 cross(const Vector3& o) const {
        return {m_y * o.m_z - m_z * o.m_y, m_z * o.m_x - m_x * o.m_z, m_x * o.m_y - m_y * o.m_x};
    }
    double getLength() const;
    bool isZero(double tolerance = kTolerance) const { return getLength() <= tolerance; }
    bool isEqual(const Vector3& o, double tolerance = kTolerance) const {
        return (*this - o).getLength() <= tolerance;
    }

    // The unit vector of the same direction; a zero vector comes back unchanged.
    Vector3 normalised() const;
    // Neither vector is zero within the tolerance and every cross-product component is within it.
    bool isParallel(const Vector3& o, double tolerance = kTolerance) const;
    // No component pair has a product below minus the tolerance.
    bool isSameSense(const Vector3& o, double tolerance = kTolerance) const;

private:
    double m_x = 0.0;
    double m_y = 0.0;
    double m_z = 0.0;
};

} // namespace tarnwick
