// The records of the host's interactive input ("IPOI", "ILIN", "IARC", "IPOL") and rubber-band
// drawing ("DRLI"), and the callbacks the host calls while an input waits for the user.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ElementRecords.h"
#include "HostRecords.h"

// Length of the prompt at the start of every input record, its terminating NUL included.
inline constexpr size_t HostInputPromptSize = 256;

// The snap filter: one value per snap key, in the host's key order.
struct HostSnapFilter {
    uint32_t entries[14] = {};
};
static_assert(sizeof(HostSnapFilter) == 56);

// The element under a picked point, named as the selection names elements; a null Guid when
// there is none.
using HostNeighbour = HostSelectionRecord;

// Where the cursor is while the user moves it; the module may move it (the host shows the point
// the feedback callback leaves here).
struct HostCursor {
    HostCoord3D position;
    uint8_t flag = 0;
    uint8_t reserved[7] = {};
};
static_assert(sizeof(HostCursor) == 32 && offsetof(HostCursor, flag) == 24);

using HostInputFeedbackProc = void (*)(HostCursor* cursor);
using HostInputAddPointProc = void (*)(const HostCoord3D* point);
using HostInputRemovePointProc = void (*)();

// The callbacks of a step-by-step polygon input, handed to "IPOL" in place of a feedback callback.
struct HostPolygonCallbacks {
    HostInputFeedbackProc feedback = nullptr;
    void* reserved = nullptr;
    HostInputAddPointProc addPoint = nullptr;
    HostInputRemovePointProc removePoint = nullptr;
};
static_assert(sizeof(HostPolygonCallbacks) == 32 && offsetof(HostPolygonCallbacks, addPoint) == 16);
static_assert(offsetof(HostPolygonCallbacks, removePoint) == 24);

// "IPOI": one point.
struct HostPointInput {
    char prompt[HostInputPromptSize] = {};
    uint8_t reserved0 = 0;
    uint8_t snapInUse = 0;
    uint8_t reserved1[22] = {};
    HostSnapFilter snapFilter;
    uint8_t reserved2[48] = {};
    HostCoord3D picked;      // out
    HostNeighbour neighbour; // out
    uint8_t reserved3[28] = {};
};
static_assert(sizeof(HostPointInput) == 488 && offsetof(HostPointInput, snapInUse) == 257);
static_assert(offsetof(HostPointInput, snapFilter) == 280 && offsetof(HostPointInput, picked) == 384);
static_assert(offsetof(HostPointInput, neighbour) == 408);

// "ILIN": a line from a given start point.
struct HostLineInput {
    char prompt[HostInputPromptSize] = {};
    uint8_t reserved0 = 0;
    uint8_t snapInUse = 0;
    uint8_t reserved1 = 0;
    uint8_t notOnPlane = 0;
    uint8_t reserved2[20] = {};
    HostSnapFilter snapFilter;
    uint8_t reserved3[24] = {};
    HostCoord3D start;
    HostCoord3D end;         // out
    HostNeighbour neighbour; // out
    uint8_t reserved4[4] = {};
};
static_assert(sizeof(HostLineInput) == 464 && offsetof(HostLineInput, snapInUse) == 257);
static_assert(offsetof(HostLineInput, notOnPlane) == 259 && offsetof(HostLineInput, snapFilter) == 280);
static_assert(offsetof(HostLineInput, start) == 360 && offsetof(HostLineInput, end) == 384);
static_assert(offsetof(HostLineInput, neighbour) == 408);

// "IARC": an arc about a given centre from a given start point. The host answers the end point,
// or, with endAtStart set, leaves it at `start`.
struct HostArcInput {
    char prompt[HostInputPromptSize] = {};
    uint8_t centreGiven = 0; // 1: `centre` and `start` are given
    uint8_t endAtStart = 0;  // out
    uint8_t snapInUse = 0;
    uint8_t notOnPlane = 0;
    uint8_t reserved0[4] = {};
    HostSnapFilter snapFilter;
    HostCoord3D centre;
    HostCoord3D start;
    HostCoord3D end; // out
    uint8_t reserved1[56] = {};
};
static_assert(sizeof(HostArcInput) == 448 && offsetof(HostArcInput, centreGiven) == 256);
static_assert(offsetof(HostArcInput, endAtStart) == 257 && offsetof(HostArcInput, snapInUse) == 258);
static_assert(offsetof(HostArcInput, notOnPlane) == 259 && offsetof(HostArcInput, snapFilter) == 264);
static_assert(offsetof(HostArcInput, centre) == 320 && offsetof(HostArcInput, start) == 344);
static_assert(offsetof(HostArcInput, end) == 368);

// One arc edge of a polygon answered whole: the edge that ends at vertex `vertex` (from 1).
struct HostInputArc {
    uint32_t vertex = 0;
    uint8_t reserved[4] = {};
    double angle = 0.0;
};
static_assert(sizeof(HostInputArc) == 16 && offsetof(HostInputArc, angle) == 8);

// Polygon kinds of "IPOL".
inline constexpr int32_t HostPolygonClosed = 0;
inline constexpr int32_t HostPolygonOpen = 3;

// "IPOL": a polygon from a given start point, point by point through the callbacks or, with
// `whole` set, answered whole: `coords` holds HostCoord2D entries 1..pointCount (entry 0 unused;
// a closed polygon repeats its first point last) and `arcs` holds arcCount HostInputArc
// entries. Both handles become the caller's.
struct HostPolygonInput {
    char prompt[HostInputPromptSize] = {};
    uint8_t snapInUse = 0;
    uint8_t reserved0 = 0;
    uint8_t notOnPlane = 0;
    uint8_t reserved1 = 0;
    int32_t kind = HostPolygonClosed;
    HostSnapFilter snapFilter;
    uint8_t reserved2[24] = {};
    HostCoord3D start;
    GSHandle coords = nullptr; // out
    GSHandle arcs = nullptr;   // out
    uint32_t pointCount = 0;   // out
    uint32_t arcCount = 0;     // out
    uint8_t reserved3[69] = {};
    uint8_t whole = 0;
    uint8_t reserved4[10] = {};
};
static_assert(sizeof(HostPolygonInput) == 472 && offsetof(HostPolygonInput, snapInUse) == 256);
static_assert(offsetof(HostPolygonInput, notOnPlane) == 258 && offsetof(HostPolygonInput, kind) == 260);
static_assert(offsetof(HostPolygonInput, snapFilter) == 264 && offsetof(HostPolygonInput, start) == 344);
static_assert(offsetof(HostPolygonInput, coords) == 368 && offsetof(HostPolygonInput, arcs) == 376);
static_assert(offsetof(HostPolygonInput, pointCount) == 384 && offsetof(HostPolygonInput, arcCount) == 388);
static_assert(offsetof(HostPolygonInput, whole) == 461);

// "DRLI": one rubber-band line.
inline constexpr int32_t HostRubberThick = 2;
struct HostRubberLine {
    HostCoord3D start;
    HostCoord3D end;
    int32_t lineKind = 0; // HostRubberThick, or 0 for a thin line
    uint8_t reserved[12] = {};
};
static_assert(sizeof(HostRubberLine) == 64 && offsetof(HostRubberLine, end) == 24);
static_assert(offsetof(HostRubberLine, lineKind) == 48);
