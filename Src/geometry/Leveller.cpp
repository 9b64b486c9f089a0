#include "geometry/Leveller.h"

#include <cmath>

namespace tarnwick {

Leveller::Leveller(const Vector3& normal, double planAngle, double tolerance) {
    const Vector3 up(0.0, 0.0, 1.0);
    const Vector3 n = normal.normalised();
    Matrix4x4 tilt;
    if (!normal.isZero(tolerance)) {
        const Vector3 axis = n.cross(up);
        if (!axis.isZero(tolerance)) tilt = Matrix4x4::rotation(axis, clampedAcos(n.dot(up)));
    }
    m_transform = std::fabs(planAngle) > tolerance ? Matrix4x4::rotationZ(planAngle) * tilt : tilt;
}

void Leveller::transformPolygon(CadPolygon& polygon) const {
    for (size_t i = 0; i < polygon.getVertexCount(); ++i) {
        PolyPoint& v = polygon.vertexRef(i);
        v.setPoint(m_transform.transform(v));
    }
    for (size_t h = 0; h < polygon.getHoleCount(); ++h)
        transformPolygon(polygon.getHole(h));
}

} // namespace tarnwick
