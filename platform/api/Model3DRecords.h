// The host's 3D database as ACAPGet3DInfo and ACAPGet3DComponent read it. An element's bodies are
// a range of body numbers; inside a body, polygons, polygon edges, edges, vertices and vectors are
// numbered from 1. A polygon names its edges through the polygon-edge list (a signed edge number,
// negative when the polygon runs the edge backwards, 0 between contours) and its normal through a
// signed vector number (negative: the opposite vector).
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

// The element's first and last body number; both 0 when it has none.
struct Host3DInfo {
    int32_t firstBody = 0;
    int32_t lastBody = 0;
    uint8_t reserved[8] = {};
};
static_assert(sizeof(Host3DInfo) == 16 && offsetof(Host3DInfo, lastBody) == 4);

enum Host3DBodyStatus : uint32_t {
    BodyStatusSolid = 1,
    BodyStatusVisibleIfContour = 2,
};

// The transformation maps the body's vertices into the model: x' = Σ matrix[0][c] * (x, y, z, 1).
struct Host3DBody {
    int32_t polygonCount = 0;
    int32_t edgeCount = 0;
    int32_t vertexCount = 0;
    uint32_t status = 0;  // Host3DBodyStatus
    int16_t material = 0; // the body's own surface
    int16_t colour = 0;   // its pen
    float bounds[6] = {}; // minimum x, y, z, then maximum x, y, z
    uint8_t reserved[4] = {};
    double matrix[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
};
static_assert(sizeof(Host3DBody) == 144 && offsetof(Host3DBody, status) == 12);
static_assert(offsetof(Host3DBody, material) == 16 && offsetof(Host3DBody, colour) == 18);
static_assert(offsetof(Host3DBody, bounds) == 20 && offsetof(Host3DBody, matrix) == 48);

enum Host3DPolygonStatus : uint32_t {
    PolygonStatusInvisible = 1,
    PolygonStatusVisibleIfContour = 2,
};

struct Host3DPolygon {
    int32_t firstPolygonEdge = 0;
    int32_t lastPolygonEdge = 0;
    int32_t vector = 0;  // signed
    uint32_t status = 0; // Host3DPolygonStatus
    int16_t material = 0;
    uint8_t reserved[6] = {};
};
static_assert(sizeof(Host3DPolygon) == 24 && offsetof(Host3DPolygon, vector) == 8);
static_assert(offsetof(Host3DPolygon, status) == 12 && offsetof(Host3DPolygon, material) == 16);

struct Host3DPolygonEdge {
    int32_t edge = 0; // signed; 0 between contours
    uint8_t reserved[4] = {};
};
static_assert(sizeof(Host3DPolygonEdge) == 8);

struct Host3DEdge {
    int32_t vertex1 = 0;
    int32_t vertex2 = 0;
    uint32_t status = 0; // Host3DPolygonStatus's bits
    int16_t colour = 0;  // a pen index
    uint8_t reserved[2] = {};
};
static_assert(sizeof(Host3DEdge) == 16 && offsetof(Host3DEdge, vertex2) == 4);
static_assert(offsetof(Host3DEdge, status) == 8 && offsetof(Host3DEdge, colour) == 12);

// A vertex or a vector.
struct Host3DPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
static_assert(sizeof(Host3DPoint) == 24 && offsetof(Host3DPoint, z) == 16);

// One component: the caller sets the kind, the index and, for kinds 2 to 6, the body number; the
// host fills the part of the kind.
struct Host3DComponent {
    int32_t kind = 0;      // Host3DComponentKind
    int32_t index = 0;     // 1-based, as the kind numbers its components
    int32_t bodyIndex = 0; // kinds 2 to 6: the body the index counts in
    uint8_t reserved[4] = {};
    union {
        Host3DBody body;
        Host3DPolygon polygon;
        Host3DPolygonEdge polygonEdge;
        Host3DEdge edge;
        Host3DPoint vertex;
        Host3DPoint vector;
        HostSurface surface; // kind 7; its texture location, when one is given, is the caller's to delete
    };
    Host3DComponent() : surface() {}
};
static_assert(sizeof(Host3DComponent) == 984 && offsetof(Host3DComponent, bodyIndex) == 8);
static_assert(offsetof(Host3DComponent, surface) == 16 && offsetof(Host3DComponent, body) == 16);
static_assert(offsetof(Host3DComponent, polygon) == 16 && offsetof(Host3DComponent, vertex) == 16);
