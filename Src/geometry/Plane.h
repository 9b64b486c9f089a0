// A plane through a point with a normal. Besides telling on which side a point or a line lies, it
// splits lines where they cross it and gathers the faces handed to it: how many, their area
// measured in the plane and the box of their vertices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "geometry/CadPolygon.h"
#include "geometry/Cube.h"
#include "geometry/Line.h"
#include "geometry/Vector3.h"

namespace tarnwick {

class Plane {
public:
    enum Side : uint32_t { kBelow = 1, kOnPlane = 4, kAbove = 16 };
    // A line with one end on each side.
    static constexpr uint32_t kCrossing = kBelow | kAbove;

    Plane() = default; // the horizontal plane through the origin
    // A zero normal is kept; every point then counts as on the plane.
    Plane(const CadPoint& point, const Vector3& normal) : m_point(point), m_normal(normal.normalised()) {}

    const CadPoint& getPoint() const { return m_point; }
    const Vector3& getNormal() const { return m_normal; }
    // Signed distance along the unit normal.
    double getDistance(const CadPoint& p) const { return m_normal.dot(Vector3(m_point, p)); }
    // kBelow, kOnPlane or kAbove (the side the normal points to).
    uint32_t getPosition(const CadPoint& p, double tolerance = kTolerance) const;
    // kOnPlane when both ends lie on the plane, kCrossing when the ends lie on opposite sides,
    // else the side of the end that is off the plane.
    uint32_t getPosition(const Line& line, double tolerance = kTolerance) const;
    CadPoint projectPoint(const CadPoint& p) const { return p - (m_normal * getDistance(p)).toPoint(); }
    // The parts of the line on either side: a crossing line as two parts split where it meets the
    // plane, the part at its start first; any other line whole.
    [[nodiscard]] std::vector<Line> splitLine(const Line& line, double tolerance = kTolerance) const;

    // Gathers a face: counts it, adds its area as measured in this plane (holes taken off; 0 for
    // a face that is not valid) and merges the box of its vertices.
    void accumulate(const CadPolygon& face);
    size_t getFaceCount() const { return m_faceCount; }
    double getFaceArea() const { return m_faceArea; }
    // A new box of the gathered faces' vertices; null before any face with vertices.
    std::unique_ptr<Cube> getFaceBounds() const;
    void clearFaces();

private:
    CadPoint m_point;
    Vector3 m_normal{0.0, 0.0, 1.0};
    size_t m_faceCount = 0;
    double m_faceArea = 0.0;
    std::optional<Cube> m_faceBounds;
};

} // namespace tarnwick
