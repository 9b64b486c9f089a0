// The terrain mesh (type 10) and the free form (type 45): their parts of the element record, their
// quantities in the 1160-byte quantity block, and what their memo fields hold beyond a polygon: the
// mesh's level points and a free form's body.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

inline constexpr uint32_t HostMeshTypeCode = 10;
inline constexpr uint32_t HostFreeFormTypeCode = 45;

// The level part of a mesh record: how many level coordinates and level groups its memo holds.
struct HostMeshLevelPart {
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint8_t reserved[8] = {};
};
static_assert(sizeof(HostMeshLevelPart) == 16);

struct HostMeshElement {
    HostElementHead head;
    uint16_t contourPen = 0;
    uint16_t kind2Pen = 0;
    uint16_t lineType = 0;
    uint16_t material = 0;
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the mesh's own
    uint8_t reserved0 = 0;
    uint16_t kind10Pen = 0;
    uint32_t finishOverrides[3] = {}; // kinds 0 and 1, kind 5, kind 7
    uint8_t meshFlag = 0;
    uint8_t reserved1 = 0;
    uint16_t meshValue = 0;
    double elevation = 0.0; // relative to the home storey
    double meshDouble = 0.0;
    uint8_t flagGroups[2][3] = {};
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint8_t reserved2[2] = {};
    // The outline's counts: coordinates, sub-polygon ends and arcs, as the memo holds them.
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    HostMeshLevelPart levelPart;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostMeshElement) == 200 && sizeof(HostMeshElement) <= sizeof(API_Element));
static_assert(offsetof(HostMeshElement, contourPen) == 112 && offsetof(HostMeshElement, kind10Pen) == 126);
static_assert(offsetof(HostMeshElement, finishOverrides) == 128 &&
              offsetof(HostMeshElement, meshFlag) == 140);
static_assert(offsetof(HostMeshElement, meshValue) == 142 && offsetof(HostMeshElement, elevation) == 144);
static_assert(offsetof(HostMeshElement, meshDouble) == 152 && offsetof(HostMeshElement, flagGroups) == 160);
static_assert(offsetof(HostMeshElement, kind6Pen) == 166 &&
              offsetof(HostMeshElement, coordinateCount) == 172);
static_assert(offsetof(HostMeshElement, levelPart) == 184);

struct HostFreeFormElement {
    HostElementHead head;
    uint8_t flagGroups[2][3] = {};
    uint16_t material = 0;
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the free form's own
    uint8_t reserved0 = 0;
    uint16_t secondLineType = 0; // kind 3
    uint16_t kind10Pen = 0;
    uint16_t lineType = 0; // kinds 0 and 1
    uint16_t contourPen = 0;
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint8_t reserved1[2] = {};
    uint32_t finishOverride = 0; // kinds 0 and 1
    double elevation = 0.0;      // relative to the home storey
};
static_assert(sizeof(HostFreeFormElement) == 152 && sizeof(HostFreeFormElement) <= sizeof(API_Element));
static_assert(offsetof(HostFreeFormElement, material) == 118 &&
              offsetof(HostFreeFormElement, secondLineType) == 126);
static_assert(offsetof(HostFreeFormElement, contourPen) == 132 &&
              offsetof(HostFreeFormElement, finishOverride) == 140);
static_assert(offsetof(HostFreeFormElement, elevation) == 144);

// One entry of a mesh memo's level coordinates (part 32); the level ends hold the running count
// of coordinates at the end of each level line or loose level point.
struct HostLevelCoordinate {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    uint32_t vertexId = 0;
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostLevelCoordinate) == 32 && offsetof(HostLevelCoordinate, vertexId) == 24);

// A free form's body field: a prism between two levels over a plan contour, the points following
// the header (pointCount HostCoord2D, not closed).
struct HostFreeFormBody {
    double bottom = 0.0;
    double top = 0.0;
    uint32_t pointCount = 0;
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostFreeFormBody) == 24 && offsetof(HostFreeFormBody, pointCount) == 16);

// The quantity fields of a mesh and of a free form, in the order of the operations that ask them.
struct HostMeshQuantities {
    double measureA = 0.0; // the outline's perimeter
    double measureB = 0.0; // the surface area
    double measureC = 0.0;
    double measureD = 0.0;
    double measureH = 0.0;
    double measureJ = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 6 * sizeof(double)] = {};
};
static_assert(sizeof(HostMeshQuantities) == HostQuantityBlockSize &&
              offsetof(HostMeshQuantities, measureJ) == 40);

struct HostFreeFormQuantities {
    double surfaceArea = 0.0;
    double measureD = 0.0;
    double height = 0.0;
    double perimeter = 0.0;
    double area = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 5 * sizeof(double)] = {};
};
static_assert(sizeof(HostFreeFormQuantities) == HostQuantityBlockSize &&
              offsetof(HostFreeFormQuantities, area) == 32);
