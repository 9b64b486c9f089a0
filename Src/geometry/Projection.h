// The camera of the 3D window, built from and written back to the host's camera record.
#pragma once

#include <memory>

#include "geometry/Matrix4x4.h"
#include "platform/api/CameraRecord.h"

namespace tarnwick {

class Projection {
public:
    Projection(const Projection&) = default;
    Projection& operator=(const Projection&) = default;
    virtual ~Projection() = default;

    // Model to view: x right and y up on the picture, z the depth along the view direction.
    virtual CadPoint transform(const CadPoint& model) const = 0;
    // View to model: the inverse of transform; a singular view matrix leaves the point as it is.
    virtual CadPoint inverse(const CadPoint& view) const = 0;
    // Rebuilds the transforms from the camera values.
    virtual void recompute() = 0;
    // Writes the mode byte and this projection's part of the record; other bytes stay.
    virtual void toCameraRecord(HostCameraRecord& record) const = 0;

    // A perspective projection when the record's mode byte is not 0, else a parallel one.
    static std::shared_ptr<Projection> fromCameraRecord(const HostCameraRecord& record);

    CadPoint getCameraPosition() const { return m_camera; }
    const CadPoint& getTarget() const { return m_target; }
    // From the camera point towards the target point.
    Vector3 getViewDirection() const { return Vector3(m_camera, m_target); }
    double getRollAngle() const { return m_roll; }
    double getScale() const { return m_scale; }
    // Places the camera and recomputes the transforms.
    void setCamera(const CadPoint& position, const CadPoint& target);

protected:
    Projection(const CadPoint& camera, const CadPoint& target, double roll, double scale)
        : m_camera(camera), m_target(target), m_roll(roll), m_scale(scale) {}
    // Rows right, up and forward (the view direction), turned by roll about the view direction,
    // translated so that the camera point is the origin. A zero direction looks along +y.
    static Matrix4x4 cameraFrame(const CadPoint& camera, const CadPoint& target, double roll);

    CadPoint m_camera;
    CadPoint m_target;
    double m_roll = 0.0;
    double m_scale = 1.0;
    Matrix4x4 m_view;
};

class PerspectiveProjection : public Projection {
public:
    // The values are taken as the record holds them; the transform is the record's matrix.
    explicit PerspectiveProjection(const HostCameraRecord& record);

    CadPoint transform(const CadPoint& model) const override;
    CadPoint inverse(const CadPoint& view) const override;
    void recompute() override;
    void toCameraRecord(HostCameraRecord& record) const override;

    double getViewConeAngle() const { return m_viewCone; }

private:
    // Picture-plane factor: 1 / tan(cone / 2) times the scale; 1 for unusable values.
    double focalFactor() const;

    double m_viewCone = 0.0;
    double m_further[10] = {};
};

class OrthogonalProjection : public Projection {
public:
    // The scale is not part of the record and starts at 1.
    explicit OrthogonalProjection(const HostCameraRecord& record);

    CadPoint transform(const CadPoint& model) const override;
    CadPoint inverse(const CadPoint& view) const override;
    void recompute() override;
    void toCameraRecord(HostCameraRecord& record) const override;

    // A scale of 0 is refused.
    void setScale(double scale);

private:
    Matrix4x4 m_inverse;
};

} // namespace tarnwick
