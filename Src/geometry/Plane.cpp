#include "geometry/Plane.h"

namespace tarnwick {

uint32_t Plane::getPosition(const CadPoint& p, double tolerance) const {
    const double d = getDistance(p);
    if (d < -tolerance) return kBelow;
    if (d > tolerance) return kAbove;
    return kOnPlane;
}

} // namespace tarnwick
