// Reads one body of the host's 3D database into its stored form, renumbering the host's edges and
// vertices for the body in the order its polygons meet them.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "elements/Body.h"
#include "geometry/Matrix4x4.h"

namespace tarnwick::Builder {

class IndexLink {
public:
    explicit IndexLink(int32_t body) : m_body(body) {}

    // The body with its faces, edges and vertices; null when a read fails or the body has no
    // polygons, edges or vertices.
    std::shared_ptr<Body::Data> build();

private:
    bool addFace(int32_t polygon, Body::Data& data);
    // The stored edge number, signed like the host's; 0 when a read fails.
    int32_t mapEdge(int32_t hostEdge, Body::Data& data);
    // The stored vertex index; false when the read fails.
    bool mapVertex(int32_t hostVertex, Body::Data& data, uint32_t& index);

    int32_t m_body;
    Matrix4x4 m_matrix;
    bool m_identity = true;
    // Stored numbers by component kind and host number.
    std::unordered_map<uint64_t, uint32_t> m_index;
};

} // namespace tarnwick::Builder
