#include "geometry/Cube.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tarnwick {

bool Cube::isEqual(const Cube& o, double tolerance) const {
    return m_min.isEqual(o.m_min, tolerance) && m_max.isEqual(o.m_max, tolerance);
}

Cube& Cube::operator+=(const CadPoint& offset) {
    m_min += offset;
    m_max += offset;
    return *this;
}

Cube& Cube::operator-=(const CadPoint& offset) {
    m_min -= offset;
    m_max -= offset;
    return *this;
}

Cube& Cube::operator*=(double f) {
    m_min *= f;
    m_max *= f;
    return *this;
}

Cube Cube::operator/(double d) const {
    Cube copy(*this);
    copy /= d;
    return copy;
}

Cube& Cube::operator/=(double d) {
    if (d == 0.0) return *this;
    return *this *= 1.0 / d;
}

HostBox3D Cube::getHostBox() const {
    return {m_min.getX(), m_min.getY(), m_min.getZ(), m_max.getX(), m_max.getY(), m_max.getZ()};
}

CadPoint Cube::getGridPoint(unsigned index) const {
    if (index > 8) throw std::out_of_range("invalid vector<T> subscript");
    Cube box(*this);
    box.normalise();
    const double column = index % 3;
    const double row = index / 3;
    return box.m_min + CadPoint(box.getXSize() * column / 2.0, box.getYSize() * row / 2.0, 0.0);
}

double Cube::getXSize() const {
    return std::fabs(m_max.getX() - m_min.getX());
}
double Cube::getYSize() const {
    return std::fabs(m_max.getY() - m_min.getY());
}
double Cube::getZSize() const {
    return std::fabs(m_max.getZ() - m_min.getZ());
}

void Cube::moveTo(const CadPoint& p) {
    const CadPoint low(std::min(m_min.getX(), m_max.getX()), std::min(m_min.getY(), m_max.getY()),
                       std::min(m_min.getZ(), m_max.getZ()));
    *this += p - low;
}

void Cube::moveCentreTo(const CadPoint& p) {
    *this += p - getCentre();
}

void Cube::normalise() {
    if (m_min.getX() > m_max.getX()) std::swap(m_min.getX(), m_max.getX());
    if (m_min.getY() > m_max.getY()) std::swap(m_min.getY(), m_max.getY());
    if (m_min.getZ() > m_max.getZ()) std::swap(m_min.getZ(), m_max.getZ());
}

void Cube::merge(const Cube& o) {
    normalise();
    extend(o.m_min);
    extend(o.m_max);
}

void Cube::extend(const CadPoint& p) {
    normalise();
    m_min.set(std::min(m_min.getX(), p.getX()), std::min(m_min.getY(), p.getY()),
              std::min(m_min.getZ(), p.getZ()));
    m_max.set(std::max(m_max.getX(), p.getX()), std::max(m_max.getY(), p.getY()),
              std::max(m_max.getZ(), p.getZ()));
}

void Cube::inflate(double margin) {
    normalise();
    const CadPoint m(margin, margin, margin);
    m_min -= m;
    m_max += m;
}

bool Cube::contains(const CadPoint& p, double tolerance) const {
    Cube box(*this);
    box.normalise();
    return p.getX() >= box.m_min.getX() - tolerance && p.getX() <= box.m_max.getX() + tolerance &&
           p.getY() >= box.m_min.getY() - tolerance && p.getY() <= box.m_max.getY() + tolerance &&
           p.getZ() >= box.m_min.getZ() - tolerance && p.getZ() <= box.m_max.getZ() + tolerance;
}

} // namespace tarnwick
