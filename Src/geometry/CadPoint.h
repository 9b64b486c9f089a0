// A point in model space (metres). Comparisons use the shared tolerance unless one is passed.
#pragma once

#include <cmath>
#include <memory>

#include "geometry/Tolerance.h"
#include "platform/api/HostRecords.h"

namespace tarnwick {

class CadPoint {
public:
    CadPoint() = default;
    CadPoint(double x, double y, double z = 0.0) : m_x(x), m_y(y), m_z(z) {}
    explicit CadPoint(const HostCoord2D& c, double z = 0.0) : m_x(c.x), m_y(c.y), m_z(z) {}
    explicit CadPoint(const HostCoord3D& c) : m_x(c.x), m_y(c.y), m_z(c.z) {}
    CadPoint(const CadPoint&) = default;
    CadPoint& operator=(const CadPoint&) = default;
    virtual ~CadPoint() = default;

    // A copy of the same kind; a subclass answers its own type by overriding newCopy and hiding
    // clone with a typed one.
    std::unique_ptr<CadPoint> clone() const { return std::unique_ptr<CadPoint>(newCopy()); }

    double getX() const { return m_x; }
    double getY() const { return m_y; }
    double getZ() const { return m_z; }
    double& getX() { return m_x; }
    double& getY() { return m_y; }
    double& getZ() { return m_z; }
    void setX(double x) { m_x = x; }
    void setY(double y) { m_y = y; }
    void setZ(double z) { m_z = z; }
    void set(double x, double y, double z) {
        m_x = x;
        m_y = y;
        m_z = z;
    }
    // The coordinates only; whatever a subclass adds stays.
    void setPoint(const CadPoint& p) { set(p.m_x, p.m_y, p.m_z); }

    void getCoord2D(HostCoord2D& c) const {
        c.x = m_x;
        c.y = m_y;
    }
    void getCoord3D(HostCoord3D& c) const {
        c.x = m_x;
        c.y = m_y;
        c.z = m_z;
    }
    HostCoord2D getCoord2D() const { return {m_x, m_y}; }
    HostCoord3D getCoord3D() const { return {m_x, m_y, m_z}; }
    // Takes x and y; z becomes 0.
    void assign2D(const HostCoord2D& c) { set(c.x, c.y, 0.0); }

    CadPoint operator+(const CadPoint& o) const { return {m_x + o.m_x, m_y + o.m_y, m_z + o.m_z}; }
    CadPoint operator-(const CadPoint& o) const { return {m_x - o.m_x, m_y - o.m_y, m_z - o.m_z}; }
    CadPoint operator-() const { return {-m_x, -m_y, -m_z}; }
    CadPoint operator*(double f) const { return {m_x * f, m_y * f, m_z * f}; }
    CadPoint& operator+=(const CadPoint& o);
    CadPoint& operator-=(const CadPoint& o);
    CadPoint& operator*=(double f);

    bool isEqual(const CadPoint& o, double tolerance = kTolerance) const;
    // |dx| and |dy| both within the tolerance.
    bool isEqual2D(const CadPoint& o, double tolerance = kTolerance) const;
    bool operator==(const CadPoint& o) const { return isEqual(o); }
    bool operator!=(const CadPoint& o) const { return !isEqual(o); }

    // x and y are numbers: NaN or infinity is never on, inside or crossing anything in plan.
    bool isFinite2D() const { return std::isfinite(m_x) && std::isfinite(m_y); }

    double distance(const CadPoint& o) const;
    double distance2D(const CadPoint& o) const;
    // Plan direction from this point towards o, in [0, 2pi); 0 when the points coincide in plan.
    double getAngle(const CadPoint& o) const;
    void movePolar(double distance, double angle);
    // Rotates in plan about centre by angle (counter-clockwise for a positive angle).
    void rotate(double angle, const CadPoint& centre);
    void rotate(double angle) { rotate(angle, CadPoint()); }

protected:
    virtual CadPoint* newCopy() const { return new CadPoint(*this); }

private:
    double m_x = 0.0;
    double m_y = 0.0;
    double m_z = 0.0;
};

inline CadPoint operator*(double f, const CadPoint& p) {
    return p * f;
}

} // namespace tarnwick
