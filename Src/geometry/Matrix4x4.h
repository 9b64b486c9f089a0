// Homogeneous 4x4 transformations acting on column vectors: p' = M p.
#pragma once

#include "geometry/CadPoint.h"
#include "geometry/Vector3.h"

namespace tarnwick {

class Vector4 {
public:
    Vector4() = default;
    Vector4(double x, double y, double z, double w) : m_v{x, y, z, w} {}
    explicit Vector4(const CadPoint& p) : m_v{p.getX(), p.getY(), p.getZ(), 1.0} {}

    double operator[](int i) const { return m_v[i & 3]; }
    double& operator[](int i) { return m_v[i & 3]; }
    double getW() const { return m_v[3]; }
    // The point after the homogeneous division; a w of 0 is taken as 1.
    CadPoint toPoint() const;

private:
    double m_v[4] = {0.0, 0.0, 0.0, 1.0};
};

class Matrix4x4 {
public:
    static constexpr double kIdentityTolerance = 1e-6;

    Matrix4x4(); // the identity
    // Sixteen values row by row.
    explicit Matrix4x4(const double (&values)[16]);

    static Matrix4x4 translation(const CadPoint& offset);
    static Matrix4x4 rotationZ(double angle);
    // Rotation by angle about a unit axis through the origin.
    static Matrix4x4 rotation(const Vector3& axis, double angle);
    static Matrix4x4 scaling(double fx, double fy, double fz);

    double get(int row, int column) const { return m_m[row & 3][column & 3]; }
    void set(int row, int column, double value) { m_m[row & 3][column & 3] = value; }
    void toArray(double (&values)[16]) const;

    Matrix4x4 operator*(const Matrix4x4& o) const;
    Vector4 operator*(const Vector4& v) const;
    CadPoint transform(const CadPoint& p) const;
    // Directions take the linear part only.
    Vector3 transform(const Vector3& v) const;

    bool isEqual(const Matrix4x4& o, double tolerance = kIdentityTolerance) const;
    bool isIdentity(double tolerance = kIdentityTolerance) const { return isEqual(Matrix4x4(), tolerance); }
    // The inverse into result; false, with result the identity, when the matrix is singular at
    // double precision (a pivot below 1e-12 of its column's largest value) or holds NaN or infinity.
    [[nodiscard]] bool inverse(Matrix4x4& result) const;

private:
    double m_m[4][4];
};

} // namespace tarnwick
