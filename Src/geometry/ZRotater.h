// Turns points about the z axis into a frame whose x axis runs along a given plan direction:
// rotate() turns by minus the angle, so that a point at that direction from the origin ends on
// the positive x axis and x' is the coordinate along the direction.
#pragma once

#include "geometry/CadPoint.h"

namespace tarnwick {

class ZRotater {
public:
    ZRotater() = default;
    explicit ZRotater(double angle, double tolerance = kTolerance) { setAngle(angle, tolerance); }

    // Active only when |angle| > tolerance; an inactive rotater leaves points alone.
    void setAngle(double angle, double tolerance = kTolerance);
    double getAngle() const { return m_angle; }
    bool isActive() const { return m_active; }
    // x' = c x + s y, y' = c y - s x with c = cos(angle), s = sin(angle); z unchanged.
    void rotate(CadPoint& p) const;

private:
    double m_angle = 0.0;
    double m_cos = 1.0;
    double m_sin = 0.0;
    bool m_active = false;
};

} // namespace tarnwick
