// Rotates polygons so that the plane of a given normal becomes horizontal, then turns them in
// plan by a given angle. Used to measure faces of 3D bodies with plan formulas.
#pragma once

#include "geometry/CadPolygon.h"
#include "geometry/Matrix4x4.h"
#include "geometry/Vector3.h"

namespace tarnwick {

class Leveller {
public:
    // A normal within the tolerance of the z axis (either sense) or of zero tilts nothing.
    Leveller(const Vector3& normal, double planAngle = 0.0, double tolerance = kTolerance);

    const Matrix4x4& getTransform() const { return m_transform; }
    CadPoint transformPoint(const CadPoint& p) const { return m_transform.transform(p); }
    // Every vertex of the contour and of the holes; arc angles stay.
    void transformPolygon(CadPolygon& polygon) const;

private:
    Matrix4x4 m_transform;
};

} // namespace tarnwick
