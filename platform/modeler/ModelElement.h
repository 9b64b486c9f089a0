// One element of an exported 3D model: the Guid of the project element it shows and its bodies.
#pragma once

#include <vector>

#include "platform/modeler/MeshBody.h"

namespace ModelerAPI {

class HOSTLIB_API Element {
public:
    Element() = default;
    explicit Element(const API_Guid& guid) : m_guid(guid) {}

    const API_Guid& GetElemGuid() const { return m_guid; }
    int32_t GetMeshBodyCount() const { return static_cast<int32_t>(m_bodies.size()); }
    // False for a number outside 1 .. count.
    bool GetMeshBody(int32_t index, MeshBody* body) const;
    // The box of every body; all zero without bodies.
    HostBox3D GetBounds(CoordinateSystem system = CoordinateSystem::World) const;

    void AddMeshBody(MeshBody body) { m_bodies.push_back(std::move(body)); }

private:
    API_Guid m_guid;
    std::vector<MeshBody> m_bodies;
};

// Widens box by other; an empty first box takes the other as it is.
HOSTLIB_API void MergeBounds(HostBox3D& box, const HostBox3D& other, bool& empty);

} // namespace ModelerAPI
