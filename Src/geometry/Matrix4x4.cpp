#include "geometry/Matrix4x4.h"

#include <cmath>
#include <utility>

namespace tarnwick {

CadPoint Vector4::toPoint() const {
    const double w = (m_v[3] == 0.0 || !std::isfinite(m_v[3])) ? 1.0 : m_v[3];
    return {m_v[0] / w, m_v[1] / w, m_v[2] / w};
}

Matrix4x4::Matrix4x4() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m_m[r][c] = r == c ? 1.0 : 0.0;
}

Matrix4x4::Matrix4x4(const double (&values)[16]) {
    for (int i = 0; i < 16; ++i)
        m_m[i / 4][i % 4] = values[i];
}

Matrix4x4 Matrix4x4::translation(const CadPoint& offset) {
    Matrix4x4 m;
    m.m_m[0][3] = offset.getX();
    m.m_m[1][3] = offset.getY();
    m.m_m[2][3] = offset.getZ();
    return m;
}

Matrix4x4 Matrix4x4::rotationZ(double angle) {
    return rotation(Vector3(0.0, 0.0, 1.0), angle);
}

Matrix4x4 Matrix4x4::rotation(const Vector3& axis, double angle) {
    const Vector3 u = axis.normalised();
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    const double x = u.getX(), y = u.getY(), z = u.getZ();
    Matrix4x4 m;
    m.m_m[0][0] = t * x * x + c;
    m.m_m[0][1] = t * x * y - s * z;
    m.m_m[0][2] = t * x * z + s * y;
    m.m_m[1][0] = t * x * y + s * z;
    m.m_m[1][1] = t * y * y + c;
    m.m_m[1][2] = t * y * z - s * x;
    m.m_m[2][0] = t * x * z - s * y;
    m.m_m[2][1] = t * y * z + s * x;
    m.m_m[2][2] = t * z * z + c;
    return m;
}

Matrix4x4 Matrix4x4::scaling(double fx, double fy, double fz) {
    Matrix4x4 m;
    m.m_m[0][0] = fx;
    m.m_m[1][1] = fy;
    m.m_m[2][2] = fz;
    return m;
}

void Matrix4x4::toArray(double (&values)[16]) const {
    for (int i = 0; i < 16; ++i)
        values[i] = m_m[i / 4][i % 4];
}

Matrix4x4 Matrix4x4::operator*(const Matrix4x4& o) const {
    Matrix4x4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m_m[i][k] * o.m_m[k][j];
            r.m_m[i][j] = sum;
        }
    return r;
}

Vector4 Matrix4x4::operator*(const Vector4& v) const {
    Vector4 r;
    for (int i = 0; i < 4; ++i)
        r[i] = m_m[i][0] * v[0] + m_m[i][1] * v[1] + m_m[i][2] * v[2] + m_m[i][3] * v[3];
    return r;
}

CadPoint Matrix4x4::transform(const CadPoint& p) const {
    return (*this * Vector4(p)).toPoint();
}

Vector3 Matrix4x4::transform(const Vector3& v) const {
    return {m_m[0][0] * v.getX() + m_m[0][1] * v.getY() + m_m[0][2] * v.getZ(),
            m_m[1][0] * v.getX() + m_m[1][1] * v.getY() + m_m[1][2] * v.getZ(),
            m_m[2][0] * v.getX() + m_m[2][1] * v.getY() + m_m[2][2] * v.getZ()};
}

bool Matrix4x4::isEqual(const Matrix4x4& o, double tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(std::fabs(m_m[r][c] - o.m_m[r][c]) <= tolerance)) return false;
    return true;
}

bool Matrix4x4::inverse(Matrix4x4& result) const {
    result = Matrix4x4();
    // Gauss-Jordan with partial pivoting on [A | I]. Row operations scale each column as a whole,
    // so a pivot measured against its own column's size does not depend on units (a tiny uniform
    // scale is invertible, a translation in kilometres does not hide a dependent rotation row).
    double a[4][8];
    double columnSize[4] = {0.0, 0.0, 0.0, 0.0};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            if (!std::isfinite(m_m[r][c])) return false;
            a[r][c] = m_m[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
            columnSize[c] = std::fmax(columnSize[c], std::fabs(m_m[r][c]));
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (!(std::fabs(a[pivot][col]) > 1e-12 * columnSize[col])) return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double p = a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0) continue;
            const double f = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    Matrix4x4 inv;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            inv.m_m[r][c] = a[r][c + 4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(inv.m_m[r][c])) return false; // overflows past the largest double
    result = inv;
    return true;
}

} // namespace tarnwick
