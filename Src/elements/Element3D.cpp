#include "elements/Element3D.h"

#include <cstdlib>

#include "geometry/PolyPoint.h"
#include "platform/modeler/Model.h"

namespace tarnwick {

namespace {
void extendBy(std::unique_ptr<Cube>& box, const CadPolygon& polygon) {
    std::unique_ptr<Cube> part = polygon.getBounds();
    if (!part) return;
    if (box)
        box->merge(*part);
    else
        box = std::move(part);
}
} // namespace

namespace {
// The 3D window reaches the exported form through these; installed whenever this file is linked.
const bool hooksInstalled = (installElement3DHooks(Element3DHooks{
                                 [](Element3D* item) noexcept { delete item; },
                                 [](const Element3DLink& link, const ModelerAPI::Model& model) {
                                     return std::make_unique<Element3D>(link, model);
                                 },
                                 [](const Element3D& item) { return item.clone(); },
                                 [](const Element3D& item) -> const Element3DLink& { return item.getLink(); },
                             }),
                             true);
} // namespace

Body::Body(const ModelerAPI::MeshBody& mesh) {
    auto point = [&](int32_t vertex) {
        ModelerAPI::Vertex v = mesh.GetVertex(vertex);
        return CadPoint(v.x, v.y, v.z);
    };
    for (int32_t number = 1; number <= mesh.GetPolygonCount(); ++number) {
        ModelerAPI::Polygon polygon;
        if (!mesh.GetPolygon(number, &polygon)) continue;
        CadPolygon outline(size_t(polygon.GetEdgeCount()));
        for (int32_t position = 1; position <= polygon.GetEdgeCount(); ++position) {
            const int32_t signedEdge = polygon.GetEdgeIndex(position);
            ModelerAPI::Edge edge;
            if (!mesh.GetEdge(std::abs(signedEdge), &edge)) continue;
            outline.append(PolyPoint(point(signedEdge > 0 ? edge.vertex1 : edge.vertex2)));
        }
        if (outline.getVertexCount() == 0) continue;
        ModelerAPI::Vector normal = mesh.GetVector(polygon.GetNormalVectorIndex());
        m_faces.emplace_back(Vector3(normal.x, normal.y, normal.z), outline);
    }
}

bool Body::getFacePolygons(size_t index, CadPolygon& out, bool) const {
    if (index >= m_faces.size()) return false;
    out = m_faces[index].getOutline();
    return true;
}

std::unique_ptr<Cube> Body::getBounds() const {
    std::unique_ptr<Cube> box;
    for (const Face& face : m_faces)
        extendBy(box, face.getOutline());
    return box;
}

Element3D::Element3D(const Element&) {}

Element3D::Element3D(const Element3DLink& link, const ModelerAPI::Model& model) : m_link(link) {
    ModelerAPI::Element element;
    const uint32_t index = link.getIndex3D();
    if (index >= uint32_t(model.GetElementCount()) || !model.GetElement(int32_t(index) + 1, &element)) return;
    m_link.setGuid(Guid(element.GetElemGuid()), link.getDrawing());
    m_bodies.reserve(size_t(element.GetMeshBodyCount()));
    for (int32_t number = 1; number <= element.GetMeshBodyCount(); ++number) {
        ModelerAPI::MeshBody mesh;
        if (element.GetMeshBody(number, &mesh)) m_bodies.emplace_back(mesh);
    }
}

std::unique_ptr<Element3D> Element3D::clone() const {
    auto copy = std::make_unique<Element3D>();
    copy->m_link = m_link;
    copy->m_bodies = m_bodies;
    return copy;
}

std::unique_ptr<Cube> Element3D::getBounds() const {
    std::unique_ptr<Cube> box;
    for (const Body& body : m_bodies) {
        std::unique_ptr<Cube> part = body.getBounds();
        if (!part) continue;
        if (box)
            box->merge(*part);
        else
            box = std::move(part);
    }
    return box;
}

} // namespace tarnwick
