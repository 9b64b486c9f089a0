// The parts of a 3D body: faces, their convex parts (facets) and edges, each a small handle over
// either a part of a host-exported model (the modeler's polygon, convex polygon and edge; 1-based)
// or the stored form read from the host's 3D database. Both answer 0-based indices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "geometry/CadPoint.h"
#include "geometry/Vector3.h"

namespace ModelerAPI {
class ConvexPolygon;
class MeshBody;
class Polygon;
struct Edge;
} // namespace ModelerAPI

namespace tarnwick {

class Finish;
class Pen;
class Specification;

// The entry at the index of a stored list; std::out_of_range past the end.
template <class T> const T& entryAt(const std::vector<T>& items, size_t index) {
    if (index >= items.size()) throw std::out_of_range("invalid vector<T> subscript");
    return items[index];
}

// A face's edge reference between two contours, and an edge's face slot not filled.
inline constexpr int32_t ContourSeparator = 0x7fffffff;
inline constexpr uint32_t NoFace = 0x7fffffff;

// The vertex indices of one convex part of a stored face.
class SimpleFace {
public:
    SimpleFace() = default;
    explicit SimpleFace(std::vector<uint32_t> vertices) : m_vertices(std::move(vertices)) {}
    size_t getCount() const { return m_vertices.size(); }
    // std::out_of_range past the end.
    uint32_t getIndex(size_t index) const { return entryAt(m_vertices, index); }

private:
    std::vector<uint32_t> m_vertices;
};

using FacetList = std::vector<std::shared_ptr<SimpleFace>>;

// One convex part of a face.
class Facet {
public:
    explicit Facet(std::shared_ptr<const ModelerAPI::ConvexPolygon> host);
    explicit Facet(std::shared_ptr<const SimpleFace> stored);

    size_t getVertexCount() const;
    // 0-based; std::out_of_range past the end of a stored part.
    int32_t getVertexIndex(size_t index) const;
    // The normal at the part's vertex; the zero vector for a stored part.
    Vector3 getNormal(size_t index) const;

private:
    std::shared_ptr<const ModelerAPI::ConvexPolygon> m_host;
    std::shared_ptr<const SimpleFace> m_stored;
};

// One edge as read from the host's 3D database: the host's status, its vertices as indices into
// the body's vertex list, the faces on either side (filled once every face is read) and its pen.
struct EdgeRecord {
    uint32_t flags = 0; // bit 0 invisible, bit 1 visible if contour
    uint32_t vertex1 = 0;
    uint32_t vertex2 = 0;
    uint32_t face1 = NoFace;
    uint32_t face2 = NoFace;
    uint16_t pen = 0;
};

class Edge {
public:
    class Data {
    public:
        explicit Data(std::shared_ptr<EdgeRecord> record, Specification* resolver = nullptr);
        // The mesh body's edge at index + 1.
        Data(const ModelerAPI::MeshBody& mesh, size_t index, Specification* resolver = nullptr);

        // Bit 0 invisible, bit 1 visible if contour.
        uint32_t getVisibility() const;
        uint32_t getVertex1() const;
        uint32_t getVertex2() const;
        // NoFace when there is none.
        uint32_t getPolygon1() const;
        uint32_t getPolygon2() const;
        // The edge's pen in the element's attributes.
        void getPen(Pen& pen) const;

        // The stored record; null in the host form.
        EdgeRecord* getRecord() const { return m_record.get(); }
        void setResolver(Specification* resolver) { m_resolver = resolver; }

    private:
        std::shared_ptr<const ModelerAPI::Edge> m_host;
        std::shared_ptr<EdgeRecord> m_record;
        Specification* m_resolver = nullptr;
    };
};

class Face {
public:
    // One face as read from the host's 3D database.
    struct Data {
        Vector3 normal;
        // The host's edge numbers renumbered for the body, 1-based and signed by the direction the
        // face runs along each; ContourSeparator between contours.
        std::vector<int32_t> edges;
        std::shared_ptr<FacetList> facets; // none: the face was not split
        uint32_t polygon = 0;              // the host's polygon number
        uint32_t status = 0;               // bit 0 invisible, bit 1 visible if contour
        uint16_t material = 0;
    };

    Face(std::shared_ptr<const Data> data, Specification* resolver);
    // The mesh body's polygon at index + 1, with the normal of its vector.
    Face(const ModelerAPI::MeshBody& mesh, size_t index, Specification* resolver);

    Vector3 getNormal() const;
    // References, separators included.
    size_t getEdgeCount() const;
    // The reference at the position: signed as held, else the 0-based edge index; a separator is
    // answered as it is either way. std::out_of_range past the end.
    int32_t getEdgeIndex(size_t index, bool isSigned) const;
    // 1 invisible, 2 visible if contour, 48 a complex (holed) host polygon.
    uint32_t getStatus() const;
    void getMaterial(Finish& material) const;
    // Of a 0-based body vertex; the zero point in the stored form.
    CadPoint getTextureCoordinate(size_t vertex) const;
    size_t getFacetCount() const;
    // std::out_of_range past the end, and for a stored face without facets.
    Facet getFacet(size_t index) const;
    // The stored form; null for a host face.
    const Data* getData() const { return m_data.get(); }

private:
    std::shared_ptr<const Data> m_data;
    std::shared_ptr<const ModelerAPI::Polygon> m_host;
    Vector3 m_normal{0.0, 0.0, 0.0};
    Specification* m_resolver = nullptr;
};

} // namespace tarnwick
