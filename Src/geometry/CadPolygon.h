// A polygon with arc edges and holes: an owning vector of vertices (each carrying the arc angle of
// the edge that ends at it) and an owning list of hole polygons. Vertex access wraps modulo the
// vertex count; an empty polygon throws std::out_of_range instead.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "geometry/Cube.h"
#include "geometry/PolyEdge.h"
#include "geometry/PolyPoint.h"

namespace tarnwick {

class CadPolygon {
public:
    static constexpr uint32_t kNotFound = 0x7fffffff;
    // Position of a point against the polygon's area.
    enum Position : uint32_t { kOutside = 1, kOnBoundary = 4, kInterior = 16 };

    explicit CadPolygon(size_t vertexReserve = 0, size_t holeReserve = 0, bool closed = true);
    // The plan rectangle of the box, counter-clockwise from its minimum corner, rotated about the
    // z axis by angle when |angle| > the tolerance.
    CadPolygon(const Cube& box, double angle);
    CadPolygon(const CadPolygon& other); // deep
    CadPolygon& operator=(const CadPolygon& other);
    virtual ~CadPolygon();
    // A deep copy of the same kind.
    virtual std::unique_ptr<CadPolygon> clone() const { return std::make_unique<CadPolygon>(*this); }

    // Vertices of the contour.
    size_t getVertexCount() const { return m_vertices.size(); }
    const PolyPoint& getVertex(size_t index) const { return *m_vertices[wrap(index)]; }
    PolyPoint& vertexRef(size_t index) { return *m_vertices[wrap(index)]; }
    const Vector<PolyPoint>& getVertices() const { return m_vertices; }
    // Null is ignored.
    void append(std::unique_ptr<PolyPoint> vertex) {
        if (vertex) m_vertices.push_back(std::move(vertex));
    }
    void append(PolyPoint* vertex) { append(std::unique_ptr<PolyPoint>(vertex)); } // takes ownership
    void append(const PolyPoint& vertex) { m_vertices.append(vertex.clone()); }
    // Inserts before index (0..count); std::out_of_range past the end.
    void insertVertex(size_t index, PolyPoint* vertex);
    // Deletes the vertex at index (no wrapping); std::out_of_range past the end.
    void removeVertex(size_t index) { m_vertices.erase(index); }
    void clearVertices() { m_vertices.clear(); }
    // Deletes the vertices and the holes; the flags and the id counter stay.
    void clear() {
        m_vertices.clear();
        m_holes.clear();
    }

    // Edge i runs from vertex i to vertex i + 1 (wrapping); an open polygon has one edge fewer.
    size_t getEdgeCount() const;
    PolyEdge getEdge(size_t index) const { return PolyEdge(getVertex(index), getVertex(index + 1)); }
    // The plan perimeter of the contour: the sum of its edges' plan lengths.
    double getEdgeMeasureSum() const;

    size_t getHoleCount() const { return m_holes.size(); }
    // std::out_of_range past the end.
    const CadPolygon& getHole(size_t index) const { return *m_holes[index]; }
    CadPolygon& getHole(size_t index) { return *m_holes[index]; }
    const Vector<CadPolygon>& getHoles() const { return m_holes; }
    void addHole(CadPolygon* hole); // takes ownership; null is ignored
    std::unique_ptr<CadPolygon> releaseHole(size_t index) { return m_holes.release(index); }
    // The contour's vertices plus, unless contourOnly, those of the holes.
    size_t getTotalCount(bool contourOnly = false) const;

    bool isClosed() const { return m_closed; }
    void setClosed(bool closed) { m_closed = closed; }
    bool getSecondFlag() const { return m_secondFlag; }
    void setSecondFlag(bool flag) { m_secondFlag = flag; }

    uint32_t getVertexIdCounter() const { return m_vertexIdCounter; }
    void setVertexIdCounter(uint32_t counter) { m_vertexIdCounter = counter; }
    // Numbers the vertices of the contour and then of the holes first + 1, first + 2, ...; the
    // counter becomes the last id given.
    void renumberVertexIds(uint32_t first = 0);

    CadPolygon& operator+=(const CadPoint& offset);
    CadPolygon& operator-=(const CadPoint& offset);
    // Rotates every vertex (holes included) in plan about centre.
    void rotate(double angle, const CadPoint& centre = CadPoint());
    // Reverses the direction of the contour and of every hole, arcs included.
    void reverse();

    // Signed plan area (positive counter-clockwise), arc segments included, the holes' areas
    // taken off unless contourOnly; 0 unless the polygon is valid. An open polygon's area closes
    // with a straight chord, as does its region for getPosition.
    double getArea(bool absolute = false, bool contourOnly = false) const;
    // False below 2 vertices, and for 2 vertices when no edge is an arc; with checkHoles every
    // hole must be valid too.
    bool isValid(bool checkHoles = false, double tolerance = kTolerance) const;
    // A new box of every vertex and arc of the contour and the holes; null without vertices.
    std::unique_ptr<Cube> getBounds() const;
    // Removes repeated vertices (a closed polygon's last vertex equal to its first included) and
    // holes that no longer enclose anything.
    void cleanUp(double tolerance = kTolerance);

    // The index of the vertex equal to p in plan and, in *contour, 0 for the outline or n for hole
    // n - 1; kNotFound when none.
    uint32_t findVertex(const CadPoint& p, double tolerance = kTolerance, uint32_t* contour = nullptr) const;
    // kOutside, kOnBoundary (contour or hole boundary) or kInterior, in plan; kOutside for NaN.
    uint32_t getPosition(const CadPoint& p, double tolerance = kTolerance) const;
    // Inside or on the boundary.
    bool contains(const CadPoint& p, double tolerance = kTolerance) const;
    // Inserts p as a new vertex into the first edge (from startEdge on, then the holes' edges)
    // that it lies on strictly between the ends; an arc edge is split into two arcs. False when
    // p lies on no edge or on an existing vertex.
    [[nodiscard]] bool insertPoint(size_t startEdge, const CadPoint& p, double tolerance = kTolerance);

private:
    size_t wrap(size_t index) const;
    PolyEdge regionEdge(size_t index) const;
    double contourArea() const;
    bool interiorContains(const CadPoint& p) const;
    bool onBoundary(const CadPoint& p, double tolerance) const;
    bool insertIntoEdges(size_t startEdge, const CadPoint& p, double tolerance, uint32_t& counter);
    void removeRepeats(double tolerance);

    Vector<PolyPoint> m_vertices;
    Vector<CadPolygon> m_holes;
    bool m_closed = true;
    bool m_secondFlag = false;
    uint32_t m_vertexIdCounter = 0;
};

// A list of owned polygons (level lines and the like).
using PolyList = Vector<CadPolygon>;

} // namespace tarnwick
