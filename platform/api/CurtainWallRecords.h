// The curtain wall (type 37) and its parts: segments (38), frames (39), panels (40), junctions (41)
// and accessories (42). Each part's record is exactly one entry of the curtain wall's memo block of
// its kind (a pointer block of records back to back), and names the curtain wall it belongs to.
// Also the contour sub-block of a segment's memo, and the curtain wall's and panel's fields of the
// 1160-byte quantity block.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

inline constexpr uint32_t HostCurtainWallTypeCode = 37;
inline constexpr uint32_t HostCurtainWallSegmentTypeCode = 38;
inline constexpr uint32_t HostCurtainWallFrameTypeCode = 39;
inline constexpr uint32_t HostCurtainWallPanelTypeCode = 40;
inline constexpr uint32_t HostCurtainWallJunctionTypeCode = 41;
inline constexpr uint32_t HostCurtainWallAccessoryTypeCode = 42;

struct HostCurtainWallElement {
    HostElementHead head;
    uint16_t contourPen = 0; // pen kinds 0 and 1
    uint8_t reserved0[6] = {};
    double value1 = 0.0;
    uint8_t regularFlag = 0; // 0: regular
    uint8_t reserved1 = 0;
    uint16_t lineType = 0;
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint8_t penFlag = 0; // set: the kind-6 and kind-8 pens are the wall's own
    uint8_t reserved2[7] = {};
    HostCoord2D begin; // the reference line
    HostCoord2D end;
    uint32_t coordinateCount = 0; // the base outline's polygon counts
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint32_t setting = 0;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostCurtainWallElement) == 192);
static_assert(offsetof(HostCurtainWallElement, value1) == 120 &&
              offsetof(HostCurtainWallElement, regularFlag) == 128);
static_assert(offsetof(HostCurtainWallElement, lineType) == 130 &&
              offsetof(HostCurtainWallElement, penFlag) == 136);
static_assert(offsetof(HostCurtainWallElement, begin) == 144 && offsetof(HostCurtainWallElement, end) == 160);
static_assert(offsetof(HostCurtainWallElement, coordinateCount) == 176 &&
              offsetof(HostCurtainWallElement, setting) == 188);

struct HostCurtainWallSegment {
    HostElementHead head;
    API_Guid ownerGuid; // the curtain wall
    HostCoord2D begin;  // the reference line
    HostCoord2D end;
    uint32_t coordinateCount = 0; // the contour's polygon counts
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostCurtainWallSegment) == 176);
static_assert(offsetof(HostCurtainWallSegment, ownerGuid) == 112 &&
              offsetof(HostCurtainWallSegment, begin) == 128);
static_assert(offsetof(HostCurtainWallSegment, coordinateCount) == 160);

struct HostCurtainWallFrame {
    HostElementHead head;
    API_Guid ownerGuid;
    HostCoord2D begin;
    HostCoord2D end;
};
static_assert(sizeof(HostCurtainWallFrame) == 160);
static_assert(offsetof(HostCurtainWallFrame, ownerGuid) == 112 && offsetof(HostCurtainWallFrame, end) == 144);

inline constexpr size_t HostPanelNameLength = 256;

struct HostCurtainWallPanel {
    HostElementHead head;
    double value = 0.0;
    API_Guid ownerGuid;
    API_Guid secondGuid;
    uint32_t setting = 0;
    char16_t name[HostPanelNameLength] = {}; // UTF-16; a name of 256 characters has no terminator
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostCurtainWallPanel) == 672);
static_assert(offsetof(HostCurtainWallPanel, value) == 112 &&
              offsetof(HostCurtainWallPanel, ownerGuid) == 120);
static_assert(offsetof(HostCurtainWallPanel, secondGuid) == 136 &&
              offsetof(HostCurtainWallPanel, setting) == 152);
static_assert(offsetof(HostCurtainWallPanel, name) == 156);

// Junctions and accessories: where they stand on the wall.
struct HostCurtainWallJunction {
    HostElementHead head;
    API_Guid ownerGuid;
    HostCoord2D position;
};
static_assert(sizeof(HostCurtainWallJunction) == 144 && offsetof(HostCurtainWallJunction, position) == 128);

struct HostCurtainWallAccessory {
    HostElementHead head;
    API_Guid ownerGuid;
    HostCoord2D position;
};
static_assert(sizeof(HostCurtainWallAccessory) == 144 && offsetof(HostCurtainWallAccessory, position) == 128);

// A segment's contour in the memo's 56-byte sub-block: its polygon counts, then the handles of its
// coordinates, sub-polygon ends, arcs and vertex ids, laid out as a polygon memo's.
struct HostContourSubBlock {
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved0[4] = {};
    GSHandle coordinates = nullptr;
    GSHandle subPolygonEnds = nullptr;
    GSHandle arcs = nullptr;
    GSHandle vertexIds = nullptr;
    uint8_t reserved1[8] = {};
};
static_assert(sizeof(HostContourSubBlock) == 56);
static_assert(offsetof(HostContourSubBlock, coordinates) == 16 &&
              offsetof(HostContourSubBlock, vertexIds) == 40);

// The curtain wall's fields of the quantity block, each asked for by its own bytes of the mask.
struct HostCurtainWallQuantities {
    double measure3 = 0.0;
    double curtainWallMeasure[8] = {};
    double measure4 = 0.0;
    double length = 0.0;
    double height = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 12 * sizeof(double)] = {};
};
static_assert(sizeof(HostCurtainWallQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostCurtainWallQuantities, curtainWallMeasure) == 8 &&
              offsetof(HostCurtainWallQuantities, measure4) == 72);
static_assert(offsetof(HostCurtainWallQuantities, height) == 88);

struct HostPanelQuantities {
    double measure4 = 0.0; // the panel's surface
    uint8_t reserved[HostQuantityBlockSize - sizeof(double)] = {};
};
static_assert(sizeof(HostPanelQuantities) == HostQuantityBlockSize);
