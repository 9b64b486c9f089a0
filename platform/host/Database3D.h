// The host's 3D database: the bodies it built of elements, numbered in the order they were
// built, each with the transformation that places it. Asking an element's 3D info builds its one
// body anew from its prism, which the database holds relative to the body's own origin.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/api/HostRecords.h"
#include "platform/modeler/MeshBody.h"

struct HostFunctionTable;
struct Host3DComponent;

namespace zavhost {

class StandInHost;
struct Project;
struct StoredElement;

class Database3D {
public:
    struct Body {
        const Project* project = nullptr;
        ModelerAPI::MeshBody mesh;              // in the model
        HostCoord3D origin;                     // the body's vertices are held relative to it
        std::vector<int32_t> firstPolygonEdges; // per polygon, its first number in polygonEdges
        std::vector<int32_t> polygonEdges;      // every polygon's edges in order, 0 between contours
    };

    // The element's new body number.
    int32_t build(const Project& project, const StoredElement& element);
    // Null for a number not built, or built in another project.
    const Body* find(int32_t number, const Project& project) const;

private:
    std::unordered_map<int32_t, Body> m_bodies;
    std::unordered_map<std::string, int32_t> m_byElement; // by Guid bytes: the element's current body
    int32_t m_next = 1;
};

namespace database3d {
void install(HostFunctionTable* table);
// Kinds 1 to 6 of ACAPGet3DComponent.
GSErrCode readComponent(StandInHost& host, Project& project, Host3DComponent& component, std::string& brief);
} // namespace database3d

} // namespace zavhost
