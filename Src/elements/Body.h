// One 3D body of an element: a handle over a mesh body of a host-exported model or over the
// stored form read from the host's 3D database, answering the same questions of either, with the
// element's attributes to resolve pens and materials in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "elements/Face.h"
#include "geometry/CadPolygon.h"
#include "geometry/Cube.h"

namespace ModelerAPI {
class MeshBody;
}

namespace tarnwick {

class LineList;
class Plane;

using FaceList = std::vector<std::shared_ptr<Face::Data>>;
using EdgeList = std::vector<std::shared_ptr<Edge::Data>>;
using VertList = std::vector<std::shared_ptr<CadPoint>>;

class Body {
public:
    // One body as read from the host's 3D database.
    struct Data {
        Cube box;
        std::shared_ptr<FaceList> faces;
        std::shared_ptr<EdgeList> edges;
        std::shared_ptr<VertList> vertices;
        uint32_t status = 0;   // bit 0 solid, bit 1 visible if contour
        uint16_t material = 0; // the host body's own surface
        uint16_t pen = 0;
    };

    Body(std::shared_ptr<const ModelerAPI::MeshBody> mesh, Specification* resolver);
    Body(std::shared_ptr<const Data> data, Specification* resolver);

    size_t getVertexCount() const;
    size_t getEdgeCount() const;
    size_t getFaceCount() const;
    // 0-based; std::out_of_range past the end of a stored body.
    CadPoint getVertex(size_t index) const;
    // A host vector by its (signed) number; the zero vector in the stored form.
    Vector3 getVector(int32_t number) const;
    Edge::Data getEdge(size_t index) const;
    Face getFace(size_t index) const;
    void getMaterial(Finish& material) const;
    void getPen(Pen& pen) const;
    // A new box of the body; null for a host body without vertices.
    std::unique_ptr<Cube> getBounds() const;
    // Bit 0 solid, bit 1 visible if contour.
    uint32_t getStatus() const;

    // The face's contours, each through its edges' start vertices in the face's direction: the
    // first the outline, the others holes; cleaned up. False (out empty) past the last face.
    bool getFacePolygons(size_t face, CadPolygon& out) const;
    // The outlines of the faces, from the last to the first, that lie in the plane: their normal
    // parallel to its normal within the tolerance and their first vertex on it.
    void getFacesInPlane(const Plane& plane, PolyList& out, double tolerance) const;
    // As above; with accumulate, the plane also gathers each outline appended.
    void getFacesInPlane(Plane& plane, PolyList& out, double tolerance, bool accumulate) const;
    // Each edge, from the last to the first, split where it crosses the plane; the parts are
    // appended, with their positions against the plane when the list keeps codes. Answers how
    // many were appended.
    size_t getEdgesAgainstPlane(const Plane& plane, LineList& out) const;
    // The references of a stored face, or with NoFace the body's vertex count; 0 for a host body.
    size_t getFaceEdgeCount(size_t face) const;
    // The edge of the face's k-th reference; an empty edge for a separator.
    Edge::Data getFaceEdge(size_t face, size_t k) const;

    // The stored form; null for a host body.
    const Data* getData() const { return m_data.get(); }

private:
    // Gathers into gatherer when one is given.
    void collectFacesInPlane(const Plane& plane, PolyList& out, double tolerance, Plane* gatherer) const;

    std::shared_ptr<const ModelerAPI::MeshBody> m_mesh;
    std::shared_ptr<const Data> m_data;
    Specification* m_resolver = nullptr;
};

} // namespace tarnwick
