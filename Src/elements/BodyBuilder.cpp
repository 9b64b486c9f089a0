#include "elements/BodyBuilder.h"

#include <algorithm>
#include <cstdlib>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "elements/Element.h"
#include "elements/Element3D.h"
#include "platform/api/Model3DRecords.h"

namespace tarnwick {

namespace {
// Host counts are only a hint: an absurd one must not reserve memory before the reads refuse it.
constexpr size_t ReserveLimit = 4096;

template <class List> void reserveAtMost(List& list, int64_t count) {
    if (count > 0) list.reserve(size_t(std::min<int64_t>(count, ReserveLimit)));
}

bool read(Host3DComponent& component, int32_t kind, int32_t index, int32_t body) {
    component.kind = kind;
    component.index = index;
    component.bodyIndex = body;
    return ACAPGet3DComponent(&component) == hosterr::Ok;
}

uint64_t keyOf(int32_t kind, int32_t number) {
    return (uint64_t(uint32_t(kind)) << 32) | uint32_t(number);
}
} // namespace

namespace Builder {

std::shared_ptr<Body::Data> IndexLink::build() {
    Host3DComponent component;
    if (!read(component, Component3DBody, m_body, m_body)) return nullptr;
    const Host3DBody record = component.body;
    if (record.polygonCount <= 0 || record.edgeCount <= 0 || record.vertexCount <= 0) return nullptr;
    auto data = std::make_shared<Body::Data>();
    data->box = Cube(record.bounds[0], record.bounds[1], record.bounds[2], record.bounds[3], record.bounds[4],
                     record.bounds[5]);
    data->status = record.status;
    data->material = uint16_t(record.material);
    data->pen = uint16_t(record.colour);
    double values[16] = {};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            values[row * 4 + column] = record.matrix[row][column];
    values[15] = 1.0;
    m_matrix = Matrix4x4(values);
    m_identity = m_matrix.isIdentity();
    data->faces = std::make_shared<FaceList>();
    data->edges = std::make_shared<EdgeList>();
    data->vertices = std::make_shared<VertList>();
    reserveAtMost(*data->faces, record.polygonCount);
    reserveAtMost(*data->edges, record.edgeCount);
    reserveAtMost(*data->vertices, record.vertexCount);
    for (int32_t polygon = 1; polygon <= record.polygonCount; ++polygon)
        if (!addFace(polygon, *data)) return nullptr;
    return data;
}

bool IndexLink::addFace(int32_t polygon, Body::Data& data) {
    Host3DComponent component;
    if (!read(component, Component3DPolygon, polygon, m_body)) return false;
    const Host3DPolygon record = component.polygon;
    if (record.lastPolygonEdge < record.firstPolygonEdge) return true; // a polygon without edges: no face
    if (!read(component, Component3DVector, std::abs(record.vector), m_body)) return false;
    const Host3DPoint vector = component.vector;
    const double sign = record.vector < 0 ? -1.0 : 1.0;
    auto face = std::make_shared<Face::Data>();
    face->normal = Vector3(sign * vector.x, sign * vector.y, sign * vector.z);
    face->polygon = uint32_t(polygon);
    face->status = record.status;
    face->material = uint16_t(record.material);
    reserveAtMost(face->edges, int64_t(record.lastPolygonEdge) - record.firstPolygonEdge + 1);
    for (int32_t position = record.firstPolygonEdge; position <= record.lastPolygonEdge; ++position) {
        if (!read(component, Component3DPolygonEdge, position, m_body)) return false;
        const int32_t hostEdge = component.polygonEdge.edge;
        if (hostEdge == 0) {
            face->edges.push_back(ContourSeparator);
            continue;
        }
        const int32_t stored = mapEdge(hostEdge, data);
        if (stored == 0) return false;
        face->edges.push_back(stored);
    }
    data.faces->push_back(std::move(face));
    return true;
}

int32_t IndexLink::mapEdge(int32_t hostEdge, Body::Data& data) {
    const int32_t number = std::abs(hostEdge);
    const int32_t sign = hostEdge < 0 ? -1 : 1;
    auto known = m_index.find(keyOf(Component3DEdge, number));
    if (known != m_index.end()) return sign * int32_t(known->second);
    Host3DComponent component;
    if (!read(component, Component3DEdge, number, m_body)) return 0;
    const Host3DEdge record = component.edge;
    auto edge = std::make_shared<EdgeRecord>();
    if (!mapVertex(record.vertex1, data, edge->vertex1) || !mapVertex(record.vertex2, data, edge->vertex2))
        return 0;
    edge->flags = record.status;
    edge->pen = uint16_t(record.colour);
    data.edges->push_back(std::make_shared<Edge::Data>(std::move(edge)));
    const uint32_t stored = uint32_t(data.edges->size());
    m_index.emplace(keyOf(Component3DEdge, number), stored);
    return sign * int32_t(stored);
}

bool IndexLink::mapVertex(int32_t hostVertex, Body::Data& data, uint32_t& index) {
    auto known = m_index.find(keyOf(Component3DVertex, hostVertex));
    if (known != m_index.end()) return index = known->second, true;
    Host3DComponent component;
    if (!read(component, Component3DVertex, hostVertex, m_body)) return false;
    CadPoint point(component.vertex.x, component.vertex.y, component.vertex.z);
    if (!m_identity) point = m_matrix.transform(point);
    index = uint32_t(data.vertices->size());
    data.vertices->push_back(std::make_shared<CadPoint>(point));
    m_index.emplace(keyOf(Component3DVertex, hostVertex), index);
    return true;
}

} // namespace Builder

Element3D::Element3D(const Element& element, Drawing* drawing)
    : m_link(element.getLink(), nullptr, Element3DLink::NoIndex), m_bodies(std::make_shared<BodyDataList>()) {
    if (drawing == nullptr) drawing = Host::getCurrentDatabase();
    if (drawing != nullptr) (void)Host::setCurrentDatabase(drawing);
    HostElementHead header;
    element.getLink().getHeader(header);
    Host3DInfo info;
    if (ACAPGet3DInfo(&header, &info) != hosterr::Ok) return;
    reserveAtMost(*m_bodies, int64_t(info.lastBody) - info.firstBody + 1);
    for (int64_t body = std::max(info.firstBody, 1); body <= info.lastBody; ++body)
        if (std::shared_ptr<Body::Data> data = Builder::IndexLink(int32_t(body)).build())
            m_bodies->push_back(std::move(data));
    fillEdgeFaces();
}

void Element3D::fillEdgeFaces() {
    for (auto body = m_bodies->rbegin(); body != m_bodies->rend(); ++body) {
        const FaceList& faces = *(*body)->faces;
        const EdgeList& edges = *(*body)->edges;
        for (size_t face = faces.size(); face-- > 0;) {
            const std::vector<int32_t>& references = faces[face]->edges;
            for (auto reference = references.rbegin(); reference != references.rend(); ++reference) {
                if (*reference == ContourSeparator) continue;
                EdgeRecord& record = *entryAt(edges, size_t(std::abs(*reference)) - 1)->getRecord();
                if (record.face1 == NoFace)
                    record.face1 = uint32_t(face);
                else if (record.face2 == NoFace)
                    record.face2 = uint32_t(face);
            }
        }
    }
}

} // namespace tarnwick
