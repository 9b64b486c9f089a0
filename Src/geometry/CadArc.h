// A circular arc in a horizontal plane: centre, radius, start angle and signed sweep
// (positive = counter-clockwise seen from above). The axis is kept for the callers that pass it.
#pragma once

#include <cstdint>

#include "geometry/Cube.h"
#include "geometry/InterPoint.h"
#include "geometry/PolyPoint.h"
#include "geometry/Vector3.h"

namespace tarnwick {

class CadArc {
public:
    CadArc() = default;
    CadArc(const CadPoint& centre, double radius, double sweep, double startAngle,
           const Vector3& axis = Vector3(0.0, 0.0, 1.0));
    // The arc of the polygon edge from `from` to `to`, whose sweep is to's arc angle. A straight or
    // zero-length edge gives a zero sweep about the chord's midpoint through `from`.
    CadArc(const CadPoint& from, const PolyPoint& to);

    const CadPoint& getCentre() const { return m_centre; }
    double getRadius() const { return m_radius; }
    double getStartAngle() const { return m_startAngle; }
    double getSweep() const { return m_sweep; }
    double getSweepAngle() const { return m_sweep; }
    double getEndAngle() const { return m_startAngle + m_sweep; }
    const Vector3& getAxis() const { return m_axis; }

    CadPoint getPointAt(double angle) const;
    CadPoint getStartPoint() const { return getPointAt(m_startAngle); }
    // The end point as a vertex whose arc angle is the sweep, id 0.
    PolyPoint getEndPoint() const { return PolyPoint(getPointAt(getEndAngle()), m_sweep, 0); }
    double getLength() const;
    // The box of the arc itself, including the axis extremes it passes.
    Cube getBounds() const;
    // True when the plan direction from the centre lies within the sweep (ends included).
    bool containsAngle(double angle, double tolerance = kTolerance) const;
    // Plan position code of p: kAtStart, kAtEnd, kInside (on the arc between them) or kOff; kOff
    // for NaN, and between the ends of a zero radius.
    uint32_t getPosition(const CadPoint& p, double tolerance = kTolerance) const;

    CadArc& operator+=(const CadPoint& offset);

private:
    CadPoint m_centre;
    double m_radius = 0.0;
    double m_sweep = 0.0;
    double m_startAngle = 0.0;
    Vector3 m_axis{0.0, 0.0, 1.0};
};

} // namespace tarnwick
