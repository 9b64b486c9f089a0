// An axis-aligned box of two corners. The corners are kept as given (the first need not be the
// minimum) until normalise() orders them.
#pragma once

#include "geometry/CadPoint.h"
#include "platform/api/HostRecords.h"

namespace tarnwick {

class Cube {
public:
    Cube() = default; // both corners at the origin
    Cube(const CadPoint& first, const CadPoint& second) : m_min(first), m_max(second) {}
    Cube(double x1, double y1, double z1, double x2, double y2, double z2)
        : m_min(x1, y1, z1), m_max(x2, y2, z2) {}
    explicit Cube(const HostBox2D& box) : m_min(box.xMin, box.yMin, 0.0), m_max(box.xMax, box.yMax, 0.0) {}
    explicit Cube(const HostBox3D& box)
        : m_min(box.xMin, box.yMin, box.zMin), m_max(box.xMax, box.yMax, box.zMax) {}

    bool isEqual(const Cube& o, double tolerance = kTolerance) const;
    bool operator==(const Cube& o) const { return isEqual(o); }
    bool operator!=(const Cube& o) const { return !isEqual(o); }

    Cube operator+(const CadPoint& offset) const { return {m_min + offset, m_max + offset}; }
    Cube operator-(const CadPoint& offset) const { return {m_min - offset, m_max - offset}; }
    Cube& operator+=(const CadPoint& offset);
    Cube& operator-=(const CadPoint& offset);
    Cube operator*(double f) const { return {m_min * f, m_max * f}; }
    Cube& operator*=(double f);
    // Multiplies by 1 / d; a divisor of 0 leaves the box as it is.
    Cube operator/(double d) const;
    Cube& operator/=(double d);

    HostBox2D getPlanBox() const { return {m_min.getX(), m_min.getY(), m_max.getX(), m_max.getY()}; }
    HostBox3D getHostBox() const;

    const CadPoint& getMin() const { return m_min; }
    const CadPoint& getMax() const { return m_max; }
    const CadPoint& getFirstCorner() const { return m_min; }
    const CadPoint& getSecondCorner() const { return m_max; }
    void setMin(const CadPoint& p) { m_min = p; }
    void setMax(const CadPoint& p) { m_max = p; }
    void setFirstCorner(const CadPoint& p) { m_min = p; }
    void setSecondCorner(const CadPoint& p) { m_max = p; }

    CadPoint getCentre() const { return (m_min + m_max) * 0.5; }
    // One of nine plan reference points of the normalised box: column = index mod 3 from the left,
    // row = index div 3 from the bottom; 0 is the minimum corner, 4 the centre, 8 the plan maximum.
    // std::out_of_range above 8.
    CadPoint getGridPoint(unsigned index) const;
    double getXSize() const;
    double getYSize() const;
    double getZSize() const;

    // Translates the box so that its normalised minimum corner lands on p.
    void moveTo(const CadPoint& p);
    void moveCentreTo(const CadPoint& p);
    // Puts the smaller value of each axis into the first corner.
    void normalise();
    // The smallest normalised box holding both boxes (or the box and the point).
    void merge(const Cube& o);
    void extend(const CadPoint& p);
    // min -= margin and max += margin on every axis, of the normalised box.
    void inflate(double margin);
    bool contains(const CadPoint& p, double tolerance = kTolerance) const;

private:
    CadPoint m_min;
    CadPoint m_max;
};

} // namespace tarnwick
