// One body of an exported 3D element: vertices, normal vectors, edges between two vertices and
// polygons running along edges. Every number is 1-based, as the host numbers them; a polygon
// names its edges signed, negative when it runs an edge from its second vertex to its first.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/api/HostRecords.h"
#include "platform/api/HostTypes.h"

namespace ModelerAPI {

// Bodies are exported in world coordinates; the element-local system is the same here.
enum class CoordinateSystem : int32_t { ElemLocal = 0, World = 1 };

struct Vertex {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
using Vector = Vertex;

struct Edge {
    int32_t vertex1 = 0;
    int32_t vertex2 = 0;
    int32_t polygon1 = 0; // 0: none
    int32_t polygon2 = 0;
    int32_t colorIndex = 0;
    bool invisible = false;
    bool visibleIfContour = false;
};

struct TextureCoordinate {
    double u = 0.0;
    double v = 0.0;
};

// A convex part of a polygon: its vertices in the polygon's direction, each with the normal there.
class HOSTLIB_API ConvexPolygon {
public:
    ConvexPolygon() = default;
    ConvexPolygon(std::vector<int32_t> vertices, const Vector& normal)
        : m_vertices(std::move(vertices)), m_normal(normal) {}

    int32_t GetVertexCount() const { return static_cast<int32_t>(m_vertices.size()); }
    // The body's vertex number at a 1-based position; 0 past the ends.
    int32_t GetVertexIndex(int32_t position) const;
    // The zero vector past the ends.
    Vector GetNormalVectorByVertex(int32_t position, CoordinateSystem system = CoordinateSystem::World) const;

private:
    std::vector<int32_t> m_vertices;
    Vector m_normal;
};

class HOSTLIB_API Polygon {
public:
    Polygon() = default;
    Polygon(std::vector<int32_t> edges, int32_t normalIndex, int32_t materialIndex)
        : m_edges(std::move(edges)), m_normal(normalIndex), m_material(materialIndex) {}

    // Separators included.
    int32_t GetEdgeCount() const { return static_cast<int32_t>(m_edges.size()); }
    // The signed edge number at a 1-based position; 0 between contours and past the ends.
    int32_t GetEdgeIndex(int32_t position) const;
    // Signed: a negative number names the opposite of that vector.
    int32_t GetNormalVectorIndex() const { return m_normal; }
    int32_t GetMaterialIndex() const { return m_material; }
    // More than one contour: it has holes.
    bool IsComplex() const;
    bool IsInvisible() const { return m_invisible; }
    bool IsVisibleIfContour() const { return m_visibleIfContour; }
    // Of one of the polygon's vertices (a body vertex number); zero for another vertex.
    TextureCoordinate GetTextureCoordinate(int32_t vertex) const;
    // The convex parts the polygon was split into; none when the exporter made none.
    int32_t GetConvexPolygonCount() const { return static_cast<int32_t>(m_convex.size()); }
    // False for a number outside 1 .. count.
    bool GetConvexPolygon(int32_t index, ConvexPolygon* part) const;

    void SetVisibility(bool invisible, bool visibleIfContour) {
        m_invisible = invisible;
        m_visibleIfContour = visibleIfContour;
    }
    void SetTextureCoordinate(int32_t vertex, const TextureCoordinate& coordinate);
    void AddConvexPolygon(ConvexPolygon part) { m_convex.push_back(std::move(part)); }

private:
    std::vector<int32_t> m_edges;
    int32_t m_normal = 0;
    int32_t m_material = 0;
    bool m_invisible = false;
    bool m_visibleIfContour = false;
    std::vector<std::pair<int32_t, TextureCoordinate>> m_textures; // by vertex, a few per polygon
    std::vector<ConvexPolygon> m_convex;
};

class HOSTLIB_API MeshBody {
public:
    int32_t GetVertexCount() const { return static_cast<int32_t>(m_vertices.size()); }
    int32_t GetVectorCount() const { return static_cast<int32_t>(m_vectors.size()); }
    int32_t GetEdgeCount() const { return static_cast<int32_t>(m_edges.size()); }
    int32_t GetPolygonCount() const { return static_cast<int32_t>(m_polygons.size()); }
    // Each answers the zero value (or false) for a number outside 1 .. count.
    Vertex GetVertex(int32_t index, CoordinateSystem system = CoordinateSystem::World) const;
    // A negative number gives the opposite vector.
    Vector GetVector(int32_t index, CoordinateSystem system = CoordinateSystem::World) const;
    bool GetEdge(int32_t index, Edge* edge) const;
    bool GetPolygon(int32_t index, Polygon* polygon) const;
    // The box of every vertex; all zero without vertices.
    HostBox3D GetBounds(CoordinateSystem system = CoordinateSystem::World) const;
    bool IsSolidBody() const { return m_solid; }
    bool IsVisibleIfContour() const { return m_visibleIfContour; }
    int32_t GetMaterialIndex() const { return m_material; }
    int32_t GetColorIndex() const { return m_color; }

    // The exporting side: each answers the new item's number.
    int32_t AddVertex(const Vertex& vertex);
    int32_t AddVector(const Vector& vector);
    // 0 when a vertex number is unknown.
    int32_t AddEdge(int32_t vertex1, int32_t vertex2);
    // 0 when an edge or the normal is unknown or there are no edges; an edge number 0 separates
    // contours. Fills the edges' polygons.
    int32_t AddPolygon(const std::vector<int32_t>& edges, int32_t normalIndex, int32_t materialIndex);
    // The polygon as exported, for the exporter to add what it knows of it; null outside 1 .. count.
    Polygon* EditPolygon(int32_t index);
    void SetSolid(bool solid) { m_solid = solid; }
    void SetVisibleIfContour(bool visible) { m_visibleIfContour = visible; }
    void SetMaterialIndex(int32_t material) { m_material = material; }
    void SetColorIndex(int32_t color) { m_color = color; }

private:
    std::vector<Vertex> m_vertices;
    std::vector<Vector> m_vectors;
    std::vector<Edge> m_edges;
    std::vector<Polygon> m_polygons;
    bool m_solid = true;
    bool m_visibleIfContour = false;
    int32_t m_material = 0;
    int32_t m_color = 0;
};

} // namespace ModelerAPI
