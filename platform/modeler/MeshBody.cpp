#include "platform/modeler/MeshBody.h"

#include <algorithm>
#include <cstdlib>

namespace ModelerAPI {

namespace {
template <class T> bool inRange(const std::vector<T>& items, int32_t index) {
    return index >= 1 && static_cast<size_t>(index) <= items.size();
}
} // namespace

int32_t Polygon::GetEdgeIndex(int32_t position) const {
    return inRange(m_edges, position) ? m_edges[size_t(position) - 1] : 0;
}

bool Polygon::IsComplex() const {
    return std::find(m_edges.begin(), m_edges.end(), 0) != m_edges.end();
}

TextureCoordinate Polygon::GetTextureCoordinate(int32_t vertex) const {
    for (const auto& [number, coordinate] : m_textures)
        if (number == vertex) return coordinate;
    return TextureCoordinate{};
}

void Polygon::SetTextureCoordinate(int32_t vertex, const TextureCoordinate& coordinate) {
    for (auto& [number, held] : m_textures)
        if (number == vertex) {
            held = coordinate;
            return;
        }
    m_textures.emplace_back(vertex, coordinate);
}

bool Polygon::GetConvexPolygon(int32_t index, ConvexPolygon* part) const {
    if (part == nullptr || !inRange(m_convex, index)) return false;
    *part = m_convex[size_t(index) - 1];
    return true;
}

int32_t ConvexPolygon::GetVertexIndex(int32_t position) const {
    return inRange(m_vertices, position) ? m_vertices[size_t(position) - 1] : 0;
}

Vector ConvexPolygon::GetNormalVectorByVertex(int32_t position, CoordinateSystem) const {
    return inRange(m_vertices, position) ? m_normal : Vector{};
}

Vertex MeshBody::GetVertex(int32_t index, CoordinateSystem) const {
    return inRange(m_vertices, index) ? m_vertices[size_t(index) - 1] : Vertex{};
}

Vector MeshBody::GetVector(int32_t index, CoordinateSystem) const {
    const int32_t number = index < 0 ? -index : index;
    if (!inRange(m_vectors, number)) return Vector{};
    Vector vector = m_vectors[size_t(number) - 1];
    if (index < 0) vector = Vector{-vector.x, -vector.y, -vector.z};
    return vector;
}

bool MeshBody::GetEdge(int32_t index, Edge* edge) const {
    if (edge == nullptr || !inRange(m_edges, index)) return false;
    *edge = m_edges[size_t(index) - 1];
    return true;
}

bool MeshBody::GetPolygon(int32_t index, Polygon* polygon) const {
    if (polygon == nullptr || !inRange(m_polygons, index)) return false;
    *polygon = m_polygons[size_t(index) - 1];
    return true;
}

Polygon* MeshBody::EditPolygon(int32_t index) {
    return inRange(m_polygons, index) ? &m_polygons[size_t(index) - 1] : nullptr;
}

HostBox3D MeshBody::GetBounds(CoordinateSystem) const {
    HostBox3D box;
    if (m_vertices.empty()) return box;
    box = {m_vertices[0].x, m_vertices[0].y, m_vertices[0].z,
           m_vertices[0].x, m_vertices[0].y, m_vertices[0].z};
    for (const Vertex& v : m_vertices) {
        box.xMin = std::min(box.xMin, v.x);
        box.yMin = std::min(box.yMin, v.y);
        box.zMin = std::min(box.zMin, v.z);
        box.xMax = std::max(box.xMax, v.x);
        box.yMax = std::max(box.yMax, v.y);
        box.zMax = std::max(box.zMax, v.z);
    }
    return box;
}

int32_t MeshBody::AddVertex(const Vertex& vertex) {
    m_vertices.push_back(vertex);
    return GetVertexCount();
}

int32_t MeshBody::AddVector(const Vector& vector) {
    m_vectors.push_back(vector);
    return GetVectorCount();
}

int32_t MeshBody::AddEdge(int32_t vertex1, int32_t vertex2) {
    if (!inRange(m_vertices, vertex1) || !inRange(m_vertices, vertex2)) return 0;
    m_edges.push_back(Edge{vertex1, vertex2, 0, 0, 0, false, false});
    return GetEdgeCount();
}

int32_t MeshBody::AddPolygon(const std::vector<int32_t>& edges, int32_t normalIndex, int32_t materialIndex) {
    if (edges.empty() || edges.front() == 0 || edges.back() == 0 ||
        !inRange(m_vectors, std::abs(normalIndex)))
        return 0;
    for (int32_t edge : edges)
        if (edge != 0 && !inRange(m_edges, std::abs(edge))) return 0;
    m_polygons.emplace_back(edges, normalIndex, materialIndex);
    const int32_t number = GetPolygonCount();
    for (int32_t edge : edges) {
        if (edge == 0) continue;
        Edge& target = m_edges[size_t(std::abs(edge)) - 1];
        (target.polygon1 == 0 ? target.polygon1 : target.polygon2) = number;
    }
    return number;
}

} // namespace ModelerAPI
