#include "geometry/Plane.h"

#include "geometry/Leveller.h"

namespace tarnwick {

uint32_t Plane::getPosition(const CadPoint& p, double tolerance) const {
    const double d = getDistance(p);
    if (d < -tolerance) return kBelow;
    if (d > tolerance) return kAbove;
    return kOnPlane;
}

uint32_t Plane::getPosition(const Line& line, double tolerance) const {
    const uint32_t start = getPosition(line.getStartPoint(), tolerance);
    const uint32_t end = getPosition(line.getEndPoint(), tolerance);
    if (start == kOnPlane) return end;
    if (end == kOnPlane || end == start) return start;
    return kCrossing;
}

std::vector<Line> Plane::splitLine(const Line& line, double tolerance) const {
    if (getPosition(line, tolerance) != kCrossing) return {line};
    const CadPoint& start = line.getStartPoint();
    const CadPoint& end = line.getEndPoint();
    const double before = getDistance(start);
    const double t = before / (before - getDistance(end));
    const CadPoint cut = start + (end - start) * t;
    return {Line(start, cut), Line(cut, end)};
}

void Plane::accumulate(const CadPolygon& face) {
    ++m_faceCount;
    if (std::unique_ptr<Cube> box = face.getBounds()) {
        if (m_faceBounds)
            m_faceBounds->merge(*box);
        else
            m_faceBounds = *box;
    }
    CadPolygon levelled(face);
    Leveller(m_normal).transformPolygon(levelled);
    m_faceArea += levelled.getArea(true);
}

std::unique_ptr<Cube> Plane::getFaceBounds() const {
    return m_faceBounds ? std::make_unique<Cube>(*m_faceBounds) : nullptr;
}

void Plane::clearFaces() {
    m_faceCount = 0;
    m_faceArea = 0.0;
    m_faceBounds.reset();
}

} // namespace tarnwick
