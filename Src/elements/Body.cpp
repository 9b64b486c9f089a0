#include "elements/Body.h"

#include <cstdlib>
#include <stdexcept>

#include "geometry/LineList.h"
#include "geometry/Plane.h"
#include "geometry/PolyPoint.h"
#include "platform/modeler/MeshBody.h"
#include "project/Finish.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
constexpr double FaceTolerance = 0.00001;
}

Body::Body(std::shared_ptr<const ModelerAPI::MeshBody> mesh, Specification* resolver)
    : m_mesh(std::move(mesh)), m_resolver(resolver) {}

Body::Body(std::shared_ptr<const Data> data, Specification* resolver)
    : m_data(std::move(data)), m_resolver(resolver) {}

size_t Body::getVertexCount() const {
    if (m_data) return m_data->vertices ? m_data->vertices->size() : 0;
    return m_mesh ? size_t(m_mesh->GetVertexCount()) : 0;
}

size_t Body::getEdgeCount() const {
    if (m_data) return m_data->edges ? m_data->edges->size() : 0;
    return m_mesh ? size_t(m_mesh->GetEdgeCount()) : 0;
}

size_t Body::getFaceCount() const {
    if (m_data) return m_data->faces ? m_data->faces->size() : 0;
    return m_mesh ? size_t(m_mesh->GetPolygonCount()) : 0;
}

CadPoint Body::getVertex(size_t index) const {
    if (m_data) {
        if (!m_data->vertices) throw std::out_of_range("invalid vector<T> subscript");
        return *entryAt(*m_data->vertices, index);
    }
    if (!m_mesh) return CadPoint();
    const ModelerAPI::Vertex v = m_mesh->GetVertex(int32_t(index) + 1, ModelerAPI::CoordinateSystem::World);
    return CadPoint(v.x, v.y, v.z);
}

Vector3 Body::getVector(int32_t number) const {
    if (!m_mesh) return Vector3(0.0, 0.0, 0.0);
    const ModelerAPI::Vector v = m_mesh->GetVector(number, ModelerAPI::CoordinateSystem::World);
    return Vector3(v.x, v.y, v.z);
}

Edge::Data Body::getEdge(size_t index) const {
    if (m_data) {
        if (!m_data->edges) throw std::out_of_range("invalid vector<T> subscript");
        Edge::Data edge = *entryAt(*m_data->edges, index);
        edge.setResolver(m_resolver);
        return edge;
    }
    if (!m_mesh) throw std::out_of_range("invalid vector<T> subscript");
    return Edge::Data(*m_mesh, index, m_resolver);
}

Face Body::getFace(size_t index) const {
    if (m_data) {
        if (!m_data->faces) throw std::out_of_range("invalid vector<T> subscript");
        return Face(std::shared_ptr<const Face::Data>(entryAt(*m_data->faces, index)), m_resolver);
    }
    if (!m_mesh || index >= size_t(m_mesh->GetPolygonCount()))
        throw std::out_of_range("invalid vector<T> subscript");
    return Face(*m_mesh, index, m_resolver);
}

void Body::getMaterial(Finish& material) const {
    const int32_t index = m_data ? m_data->material : m_mesh ? m_mesh->GetMaterialIndex() : 0;
    material = Finish(AttributeLink(uint32_t(index), AttrSurface, m_resolver));
}

void Body::getPen(Pen& pen) const {
    const int32_t index = m_data ? m_data->pen : m_mesh ? m_mesh->GetColorIndex() : 0;
    pen = Pen(AttributeLink(uint32_t(index), AttrPen, m_resolver));
}

std::unique_ptr<Cube> Body::getBounds() const {
    if (m_data) return std::make_unique<Cube>(m_data->box);
    if (!m_mesh || m_mesh->GetVertexCount() == 0) return nullptr;
    return std::make_unique<Cube>(m_mesh->GetBounds(ModelerAPI::CoordinateSystem::World));
}

uint32_t Body::getStatus() const {
    if (m_data) return m_data->status;
    if (!m_mesh) return 0;
    return (m_mesh->IsSolidBody() ? 1u : 0u) | (m_mesh->IsVisibleIfContour() ? 2u : 0u);
}

bool Body::getFacePolygons(size_t index, CadPolygon& out) const {
    out.clear();
    if (index >= getFaceCount()) return false;
    const Face face = getFace(index);
    CadPolygon* contour = &out;
    const size_t count = face.getEdgeCount();
    for (size_t k = 0; k < count; ++k) {
        const int32_t reference = face.getEdgeIndex(k, true);
        if (reference == ContourSeparator) {
            if (k + 1 < count) {
                auto hole = std::make_unique<CadPolygon>();
                contour = hole.get();
                out.addHole(hole.release());
            }
            continue;
        }
        const Edge::Data edge = getEdge(size_t(std::abs(reference)) - 1);
        contour->append(PolyPoint(getVertex(reference > 0 ? edge.getVertex1() : edge.getVertex2())));
    }
    out.cleanUp(FaceTolerance);
    return true;
}

void Body::getFacesInPlane(const Plane& plane, PolyList& out, double tolerance) const {
    collectFacesInPlane(plane, out, tolerance, nullptr);
}

void Body::getFacesInPlane(Plane& plane, PolyList& out, double tolerance, bool accumulate) const {
    collectFacesInPlane(plane, out, tolerance, accumulate ? &plane : nullptr);
}

void Body::collectFacesInPlane(const Plane& plane, PolyList& out, double tolerance, Plane* gatherer) const {
    for (size_t index = getFaceCount(); index-- > 0;) {
        const Face face = getFace(index);
        if (face.getEdgeCount() == 0 || !face.getNormal().isParallel(plane.getNormal(), tolerance)) continue;
        const int32_t first = face.getEdgeIndex(0, true);
        if (first == ContourSeparator) continue;
        const Edge::Data edge = getEdge(size_t(std::abs(first)) - 1);
        const CadPoint start = getVertex(first > 0 ? edge.getVertex1() : edge.getVertex2());
        if (plane.getPosition(start, tolerance) != Plane::kOnPlane) continue;
        auto outline = std::make_unique<CadPolygon>();
        getFacePolygons(index, *outline);
        if (outline->getVertexCount() == 0) continue;
        if (gatherer != nullptr) gatherer->accumulate(*outline);
        out.append(std::move(outline));
    }
}

size_t Body::getEdgesAgainstPlane(const Plane& plane, LineList& out) const {
    size_t added = 0;
    for (size_t index = getEdgeCount(); index-- > 0;) {
        const Edge::Data edge = getEdge(index);
        const Line line(getVertex(edge.getVertex1()), getVertex(edge.getVertex2()));
        for (const Line& part : plane.splitLine(line)) {
            out.append(part, out.keepsCodes() ? plane.getPosition(part) : 0);
            ++added;
        }
    }
    return added;
}

size_t Body::getFaceEdgeCount(size_t face) const {
    if (!m_data) return 0;
    if (face == NoFace) return getVertexCount();
    if (!m_data->faces) throw std::out_of_range("invalid vector<T> subscript");
    return entryAt(*m_data->faces, face)->edges.size();
}

Edge::Data Body::getFaceEdge(size_t face, size_t k) const {
    if (!m_data || !m_data->faces) throw std::out_of_range("invalid vector<T> subscript");
    const int32_t reference = entryAt(entryAt(*m_data->faces, face)->edges, k);
    if (reference == ContourSeparator) return Edge::Data(std::make_shared<EdgeRecord>(), m_resolver);
    return getEdge(size_t(std::abs(reference)) - 1);
}

} // namespace tarnwick
