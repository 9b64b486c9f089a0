#include "Database3D.h"

#include <cstdlib>
#include <cstring>

#include "CallForwarding.h"
#include "ElementTypes.h"
#include "ModelCalls.h"
#include "Prism3D.h"
#include "Project.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Model3DRecords.h"

namespace zavhost {

namespace {

std::string keyOf(const API_Guid& guid) {
    return std::string(reinterpret_cast<const char*>(&guid), sizeof guid);
}

// The origin of the element's footprint box at its bottom: a body at the model's origin needs no
// transformation.
HostCoord3D originOf(const ModelerAPI::MeshBody& mesh) {
    const HostBox3D box = mesh.GetBounds();
    return HostCoord3D{box.xMin, box.yMin, box.zMin};
}

void fillBody(const Database3D::Body& body, Host3DBody& record) {
    const ModelerAPI::MeshBody& mesh = body.mesh;
    record = Host3DBody();
    record.polygonCount = mesh.GetPolygonCount();
    record.edgeCount = mesh.GetEdgeCount();
    record.vertexCount = mesh.GetVertexCount();
    record.status = (mesh.IsSolidBody() ? BodyStatusSolid : 0u) |
                    (mesh.IsVisibleIfContour() ? BodyStatusVisibleIfContour : 0u);
    record.material = static_cast<int16_t>(mesh.GetMaterialIndex());
    record.colour = static_cast<int16_t>(mesh.GetColorIndex());
    const HostBox3D box = mesh.GetBounds();
    const double corners[6] = {box.xMin, box.yMin, box.zMin, box.xMax, box.yMax, box.zMax};
    for (int i = 0; i < 6; ++i)
        record.bounds[i] = static_cast<float>(corners[i]);
    record.matrix[0][3] = body.origin.x;
    record.matrix[1][3] = body.origin.y;
    record.matrix[2][3] = body.origin.z;
}

GSErrCode readPart(const Database3D::Body& body, Host3DComponent& component) {
    const ModelerAPI::MeshBody& mesh = body.mesh;
    const int32_t index = component.index;
    switch (component.kind) {
    case Component3DPolygon: {
        ModelerAPI::Polygon polygon;
        if (!mesh.GetPolygon(index, &polygon)) return hosterr::BadIndex;
        component.polygon = Host3DPolygon();
        component.polygon.firstPolygonEdge = body.firstPolygonEdges[size_t(index) - 1] + 1;
        component.polygon.lastPolygonEdge = component.polygon.firstPolygonEdge + polygon.GetEdgeCount() - 1;
        component.polygon.vector = polygon.GetNormalVectorIndex();
        component.polygon.status = (polygon.IsInvisible() ? PolygonStatusInvisible : 0u) |
                                   (polygon.IsVisibleIfContour() ? PolygonStatusVisibleIfContour : 0u);
        component.polygon.material = static_cast<int16_t>(polygon.GetMaterialIndex());
        return hosterr::Ok;
    }
    case Component3DPolygonEdge:
        if (index < 1 || size_t(index) > body.polygonEdges.size()) return hosterr::BadIndex;
        component.polygonEdge = Host3DPolygonEdge();
        component.polygonEdge.edge = body.polygonEdges[size_t(index) - 1];
        return hosterr::Ok;
    case Component3DEdge: {
        ModelerAPI::Edge edge;
        if (!mesh.GetEdge(index, &edge)) return hosterr::BadIndex;
        component.edge = Host3DEdge();
        component.edge.vertex1 = edge.vertex1;
        component.edge.vertex2 = edge.vertex2;
        component.edge.status = (edge.invisible ? PolygonStatusInvisible : 0u) |
                                (edge.visibleIfContour ? PolygonStatusVisibleIfContour : 0u);
        component.edge.colour = static_cast<int16_t>(edge.colorIndex);
        return hosterr::Ok;
    }
    case Component3DVertex: {
        if (index < 1 || index > mesh.GetVertexCount()) return hosterr::BadIndex;
        const ModelerAPI::Vertex v = mesh.GetVertex(index);
        component.vertex = Host3DPoint{v.x - body.origin.x, v.y - body.origin.y, v.z - body.origin.z};
        return hosterr::Ok;
    }
    case Component3DVector: {
        if (index < 1 || index > mesh.GetVectorCount()) return hosterr::BadIndex;
        const ModelerAPI::Vector v = mesh.GetVector(index);
        component.vector = Host3DPoint{v.x, v.y, v.z};
        return hosterr::Ok;
    }
    default:
        return hosterr::BadParameter;
    }
}

GSErrCode get3DInfo(const HostElementHead* head, Host3DInfo* info) {
    StandInHost* host = forwarding::host();
    if (host == nullptr) return hosterr::Failed;
    std::string brief;
    GSErrCode err = [&] {
        Project* project = model::project(*host, brief);
        if (project == nullptr) return hosterr::NoProject;
        if (head == nullptr || info == nullptr) return brief = "null argument", hosterr::BadParameter;
        brief = model::guidText(head->guid);
        // The host models the elements of the current database only.
        ViewDatabase& current = model::currentDatabase(*project);
        const StoredElement* element = project->model.views.elementsOf(current).find(head->guid);
        if (element == nullptr)
            return brief += ": not in the " + ViewDatabases::describe(current), hosterr::BadGuid;
        if (!isModelType(element->head().typeCode) || model3d::footprintOf(*element).empty())
            return brief += ": no 3D", hosterr::NotFound;
        *info = Host3DInfo();
        info->firstBody = info->lastBody = host->database3D().build(*project, *element);
        brief += ": body " + std::to_string(info->firstBody);
        return hosterr::Ok;
    }();
    return forwarding::logged("Get3DInfo", std::move(brief), err);
}

} // namespace

int32_t Database3D::build(const Project& project, const StoredElement& element) {
    const ElementExtent3D extent = model3d::extentOf(project, element);
    Body body;
    body.project = &project;
    body.mesh = model3d::prism(model3d::footprintOf(element), extent.bottom, extent.top, extent.surface);
    body.origin = originOf(body.mesh);
    for (int32_t number = 1; number <= body.mesh.GetPolygonCount(); ++number) {
        ModelerAPI::Polygon polygon;
        body.mesh.GetPolygon(number, &polygon);
        body.firstPolygonEdges.push_back(static_cast<int32_t>(body.polygonEdges.size()));
        for (int32_t position = 1; position <= polygon.GetEdgeCount(); ++position)
            body.polygonEdges.push_back(polygon.GetEdgeIndex(position));
    }
    const std::string key = keyOf(element.guid());
    auto earlier = m_byElement.find(key);
    if (earlier != m_byElement.end()) m_bodies.erase(earlier->second);
    const int32_t number = m_next++;
    m_bodies.emplace(number, std::move(body));
    m_byElement[key] = number;
    return number;
}

const Database3D::Body* Database3D::find(int32_t number, const Project& project) const {
    auto it = m_bodies.find(number);
    if (it == m_bodies.end() || it->second.project != &project) return nullptr;
    return &it->second;
}

namespace database3d {

void install(HostFunctionTable* table) {
    table->Get3DInfo = get3DInfo;
}

GSErrCode readComponent(StandInHost& host, Project& project, Host3DComponent& component, std::string& brief) {
    const bool whole = component.kind == Component3DBody;
    const int32_t number = whole ? component.index : component.bodyIndex;
    const Database3D::Body* body = host.database3D().find(number, project);
    if (body == nullptr) return brief += ": no body " + std::to_string(number), hosterr::BadIndex;
    if (whole) {
        fillBody(*body, component.body);
        return hosterr::Ok;
    }
    brief += " of body " + std::to_string(number);
    return readPart(*body, component);
}

} // namespace database3d
} // namespace zavhost
