// The host's 3D components as ACAPGet3DComponent reads them. Only the material kind is read
// whole: its record holds the surface the material was made from.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AttributeRecords.h"

enum Host3DComponentKind : int32_t {
    Component3DBody = 1,
    Component3DPolygon = 2,
    Component3DPolygonEdge = 3,
    Component3DEdge = 4,
    Component3DVertex = 5,
    Component3DVector = 6,
    Component3DMaterial = 7,
};

struct Host3DComponent {
    int32_t kind = 0;  // Host3DComponentKind
    int32_t index = 0; // 1-based, as the kind numbers its components
    uint8_t reserved[8] = {};
    HostSurface surface; // kind 7; its texture location, when one is given, is the caller's to delete
};
static_assert(sizeof(Host3DComponent) == 984 && offsetof(Host3DComponent, surface) == 16);
