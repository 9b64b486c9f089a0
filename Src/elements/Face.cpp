#include "elements/Face.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/modeler/MeshBody.h"
#include "project/Finish.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
[[noreturn]] void outOfRange() {
    throw std::out_of_range("invalid vector<T> subscript");
}

// The modeler numbers from 1 and writes 0 for none.
uint32_t fromHost(int32_t number) {
    return number > 0 ? uint32_t(number - 1) : NoFace;
}
} // namespace

// --- Facets.

Facet::Facet(std::shared_ptr<const ModelerAPI::ConvexPolygon> host) : m_host(std::move(host)) {}

Facet::Facet(std::shared_ptr<const SimpleFace> stored) : m_stored(std::move(stored)) {}

size_t Facet::getVertexCount() const {
    if (m_host) return size_t(m_host->GetVertexCount());
    return m_stored ? m_stored->getCount() : 0;
}

int32_t Facet::getVertexIndex(size_t index) const {
    if (m_host) return m_host->GetVertexIndex(int32_t(index) + 1) - 1;
    if (!m_stored) outOfRange();
    return int32_t(m_stored->getIndex(index));
}

Vector3 Facet::getNormal(size_t index) const {
    if (!m_host) return Vector3(0.0, 0.0, 0.0);
    const ModelerAPI::Vector v =
        m_host->GetNormalVectorByVertex(int32_t(index) + 1, ModelerAPI::CoordinateSystem::World);
    return Vector3(v.x, v.y, v.z);
}

// --- Edges.

Edge::Data::Data(std::shared_ptr<EdgeRecord> record, Specification* resolver)
    : m_record(std::move(record)), m_resolver(resolver) {}

Edge::Data::Data(const ModelerAPI::MeshBody& mesh, size_t index, Specification* resolver)
    : m_resolver(resolver) {
    auto edge = std::make_shared<ModelerAPI::Edge>();
    mesh.GetEdge(int32_t(index) + 1, edge.get());
    m_host = std::move(edge);
}

uint32_t Edge::Data::getVisibility() const {
    if (m_record) return m_record->flags;
    if (!m_host) return 0;
    return (m_host->invisible ? 1u : 0u) | (m_host->visibleIfContour ? 2u : 0u);
}

uint32_t Edge::Data::getVertex1() const {
    if (m_record) return m_record->vertex1;
    return m_host ? fromHost(m_host->vertex1) : 0;
}

uint32_t Edge::Data::getVertex2() const {
    if (m_record) return m_record->vertex2;
    return m_host ? fromHost(m_host->vertex2) : 0;
}

uint32_t Edge::Data::getPolygon1() const {
    if (m_record) return m_record->face1;
    return m_host ? fromHost(m_host->polygon1) : NoFace;
}

uint32_t Edge::Data::getPolygon2() const {
    if (m_record) return m_record->face2;
    return m_host ? fromHost(m_host->polygon2) : NoFace;
}

void Edge::Data::getPen(Pen& pen) const {
    const int32_t index = m_record ? m_record->pen : m_host ? m_host->colorIndex : 0;
    pen = Pen(AttributeLink(uint32_t(index), AttrPen, m_resolver));
}

// --- Faces.

Face::Face(std::shared_ptr<const Data> data, Specification* resolver)
    : m_data(std::move(data)), m_resolver(resolver) {}

Face::Face(const ModelerAPI::MeshBody& mesh, size_t index, Specification* resolver) : m_resolver(resolver) {
    auto polygon = std::make_shared<ModelerAPI::Polygon>();
    mesh.GetPolygon(int32_t(index) + 1, polygon.get());
    const ModelerAPI::Vector normal =
        mesh.GetVector(polygon->GetNormalVectorIndex(), ModelerAPI::CoordinateSystem::World);
    m_normal = Vector3(normal.x, normal.y, normal.z);
    m_host = std::move(polygon);
}

Vector3 Face::getNormal() const {
    return m_data ? m_data->normal : m_normal;
}

size_t Face::getEdgeCount() const {
    if (m_data) return m_data->edges.size();
    return m_host ? size_t(m_host->GetEdgeCount()) : 0;
}

int32_t Face::getEdgeIndex(size_t index, bool isSigned) const {
    int32_t reference = 0;
    if (m_data) {
        reference = entryAt(m_data->edges, index);
    } else {
        if (!m_host || index >= size_t(m_host->GetEdgeCount())) outOfRange();
        reference = m_host->GetEdgeIndex(int32_t(index) + 1);
        if (reference == 0) reference = ContourSeparator; // the modeler's separator
    }
    if (isSigned || reference == ContourSeparator) return reference;
    return std::abs(reference) - 1;
}

uint32_t Face::getStatus() const {
    if (m_data) return m_data->status;
    if (!m_host) return 0;
    return (m_host->IsInvisible() ? 1u : 0u) | (m_host->IsVisibleIfContour() ? 2u : 0u) |
           (m_host->IsComplex() ? 48u : 0u);
}

void Face::getMaterial(Finish& material) const {
    const int32_t index = m_data ? m_data->material : m_host ? m_host->GetMaterialIndex() : 0;
    material = Finish(AttributeLink(uint32_t(index), AttrSurface, m_resolver));
}

CadPoint Face::getTextureCoordinate(size_t vertex) const {
    if (!m_host) return CadPoint();
    const ModelerAPI::TextureCoordinate t = m_host->GetTextureCoordinate(int32_t(vertex) + 1);
    return CadPoint(t.u, t.v);
}

size_t Face::getFacetCount() const {
    if (m_data) return m_data->facets ? m_data->facets->size() : 0;
    return m_host ? size_t(m_host->GetConvexPolygonCount()) : 0;
}

Facet Face::getFacet(size_t index) const {
    if (m_data) {
        if (!m_data->facets) outOfRange();
        return Facet(std::shared_ptr<const SimpleFace>(entryAt(*m_data->facets, index)));
    }
    auto part = std::make_shared<ModelerAPI::ConvexPolygon>();
    if (!m_host || !m_host->GetConvexPolygon(int32_t(index) + 1, part.get())) outOfRange();
    return Facet(std::shared_ptr<const ModelerAPI::ConvexPolygon>(std::move(part)));
}

} // namespace tarnwick
