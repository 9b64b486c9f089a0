#include "geometry/Projection.h"

#include <cmath>

namespace tarnwick {

namespace {

// Depths nearer than this are taken at this distance, so that no division by zero occurs.
constexpr double kNearestDepth = 1e-5;

Matrix4x4 threeRows(const double (&v)[12]) {
    Matrix4x4 m;
    for (int i = 0; i < 12; ++i)
        m.set(i / 4, i % 4, v[i]);
    return m;
}

} // namespace

std::shared_ptr<Projection> Projection::fromCameraRecord(const HostCameraRecord& record) {
    if (record.isPerspective != 0) return std::make_shared<PerspectiveProjection>(record);
    return std::make_shared<OrthogonalProjection>(record);
}

Matrix4x4 Projection::cameraFrame(const CadPoint& camera, const CadPoint& target, double roll) {
    Vector3 forward = Vector3(camera, target).normalised();
    if (forward.isZero(0.0)) forward = Vector3(0.0, 1.0, 0.0);
    Vector3 right = forward.cross(Vector3(0.0, 0.0, 1.0));
    right = right.isZero(kTolerance) ? Vector3(1.0, 0.0, 0.0) : right.normalised();
    Vector3 up = right.cross(forward);
    if (roll != 0.0 && std::isfinite(roll)) {
        const Matrix4x4 turn = Matrix4x4::rotation(forward, roll);
        right = turn.transform(right);
        up = turn.transform(up);
    }
    Matrix4x4 m;
    const Vector3 rows[3] = {right, up, forward};
    for (int r = 0; r < 3; ++r) {
        m.set(r, 0, rows[r].getX());
        m.set(r, 1, rows[r].getY());
        m.set(r, 2, rows[r].getZ());
        m.set(r, 3, -rows[r].dot(Vector3(camera)));
    }
    return m;
}

void Projection::setCamera(const CadPoint& position, const CadPoint& target) {
    m_camera = position;
    m_target = target;
    recompute();
}

PerspectiveProjection::PerspectiveProjection(const HostCameraRecord& record)
    : Projection(CadPoint(record.perspective.camera, record.perspective.cameraZ),
                 CadPoint(record.perspective.target, record.perspective.targetZ),
                 record.perspective.rollAngle, record.perspective.scale),
      m_viewCone(record.perspective.viewConeAngle) {
    const HostPerspectiveCamera& c = record.perspective;
    for (int i = 0; i < 10; ++i)
        m_further[i] = c.furtherValues[i];
    m_view = threeRows(c.viewMatrix);
}

double PerspectiveProjection::focalFactor() const {
    double f = 1.0;
    if (m_viewCone > 0.0 && m_viewCone < kPi) f = 1.0 / std::tan(m_viewCone / 2.0);
    const double scale = (m_scale > 0.0 && std::isfinite(m_scale)) ? m_scale : 1.0;
    return std::isfinite(f) && f > 0.0 ? f * scale : scale;
}

CadPoint PerspectiveProjection::transform(const CadPoint& model) const {
    const CadPoint c = m_view.transform(model);
    const double depth = c.getZ() < kNearestDepth ? kNearestDepth : c.getZ();
    const double f = focalFactor();
    return {c.getX() * f / depth, c.getY() * f / depth, c.getZ()};
}

CadPoint PerspectiveProjection::inverse(const CadPoint& view) const {
    const double depth = view.getZ() < kNearestDepth ? kNearestDepth : view.getZ();
    const double f = focalFactor();
    const CadPoint c(view.getX() * depth / f, view.getY() * depth / f, view.getZ());
    Matrix4x4 back;
    if (!m_view.inverse(back)) return c; // a record's matrix that maps space onto a plane
    return back.transform(c);
}

void PerspectiveProjection::recompute() {
    m_view = cameraFrame(m_camera, m_target, m_roll);
}

void PerspectiveProjection::toCameraRecord(HostCameraRecord& record) const {
    record.isPerspective = 1;
    HostPerspectiveCamera& c = record.perspective;
    c.camera = m_camera.getCoord2D();
    c.cameraZ = m_camera.getZ();
    c.target = m_target.getCoord2D();
    c.targetZ = m_target.getZ();
    c.viewConeAngle = m_viewCone;
    c.rollAngle = m_roll;
    for (int i = 0; i < 10; ++i)
        c.furtherValues[i] = m_further[i];
    for (int i = 0; i < 12; ++i)
        c.viewMatrix[i] = m_view.get(i / 4, i % 4);
    c.scale = m_scale;
}

OrthogonalProjection::OrthogonalProjection(const HostCameraRecord& record)
    : Projection(CadPoint(record.parallel.camera), CadPoint(record.parallel.target),
                 record.parallel.rollAngle, 1.0),
      m_inverse(record.parallel.inverseMatrix) {
    m_view = Matrix4x4(record.parallel.viewMatrix);
}

void OrthogonalProjection::setScale(double scale) {
    if (scale != 0.0 && std::isfinite(scale)) m_scale = scale;
}

CadPoint OrthogonalProjection::transform(const CadPoint& model) const {
    const CadPoint v = m_view.transform(model);
    return {v.getX() * m_scale, v.getY() * m_scale, v.getZ()};
}

CadPoint OrthogonalProjection::inverse(const CadPoint& view) const {
    return m_inverse.transform(CadPoint(view.getX() / m_scale, view.getY() / m_scale, view.getZ()));
}

void OrthogonalProjection::recompute() {
    m_view = cameraFrame(m_camera, m_target, m_roll);
    // an orthonormal frame always inverts; a non-finite camera leaves the identity
    (void)m_view.inverse(m_inverse);
}

void OrthogonalProjection::toCameraRecord(HostCameraRecord& record) const {
    record.isPerspective = 0;
    HostParallelCamera& c = record.parallel;
    m_view.toArray(c.viewMatrix);
    m_inverse.toArray(c.inverseMatrix);
    c.camera = m_camera.getCoord3D();
    c.target = m_target.getCoord3D();
    c.rollAngle = m_roll;
}

} // namespace tarnwick
