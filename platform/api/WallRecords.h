// The wall (type 1): its part of the element record, its quantities in the 1160-byte quantity
// block, and the connection record the host hands out for where walls meet.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

inline constexpr uint32_t HostWallTypeCode = 1;

// An override word: the low 16 bits an attribute index, the third byte non-zero when the index
// overrides the building material's.
using HostOverrideWord = uint32_t;

struct HostWallElement {
    HostElementHead head;
    uint16_t contourPen = 0;
    uint16_t lineType = 0;
    uint16_t kind10Pen = 0;
    uint8_t reserved0[2] = {};
    uint32_t structureType = 0; // 0 basic, 1 composite, 2 complex profile
    uint16_t material = 0;
    int16_t composite = 0;
    int32_t scaledValue = 0; // (v + 42) * 100
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the wall's own
    uint8_t auxiliaryFlag = 0;
    uint8_t reserved1[2] = {};
    HostOverrideWord finishOverrides[3] = {};
    uint16_t complexProfile = 0;
    uint16_t profileSetting = 0;
    uint8_t sideFlag = 0;
    uint8_t reserved2[3] = {};
    uint32_t geometryKind = 0; // 1 end thickness, 2 polygonal
    uint32_t referenceLinePosition = 0;
    double height = 0.0;
    double baseElevation = 0.0; // relative to the home storey
    double thickness = 0.0;
    double endThickness = 0.0;
    double extraLength = 0.0;
    double referenceOffset = 0.0;
    uint8_t storeySpanFlag = 0;
    uint8_t reserved3[7] = {};
    HostCoord2D begin;
    HostCoord2D end;
    uint32_t wallValue1 = 0;
    uint32_t wallValue2 = 0;
    double arcAngle = 0.0;
    uint16_t kind5Pen = 0;
    uint8_t reserved4[2] = {};
    uint32_t kindCode = 0;
    double wallValue3 = 0.0;
    double wallValue4 = 0.0;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostWallElement) == 296 && sizeof(HostWallElement) <= sizeof(API_Element));
static_assert(offsetof(HostWallElement, structureType) == 120 &&
              offsetof(HostWallElement, scaledValue) == 128);
static_assert(offsetof(HostWallElement, finishOverrides) == 140 &&
              offsetof(HostWallElement, sideFlag) == 156);
static_assert(offsetof(HostWallElement, height) == 168 && offsetof(HostWallElement, storeySpanFlag) == 216);
static_assert(offsetof(HostWallElement, begin) == 224 && offsetof(HostWallElement, arcAngle) == 264);
static_assert(offsetof(HostWallElement, kindCode) == 276 && offsetof(HostWallElement, wallValue4) == 288);

// The wall's fields of the quantity block; each is asked for by its own bytes of the mask, at the
// same offset.
struct HostWallQuantities {
    double measureA = 0.0; // length of the reference line
    double measureB = 0.0; // area of one side
    double measureC = 0.0; // volume
    double measureD = 0.0;
    double measureE = 0.0;
    double measureF = 0.0;
    double measureG = 0.0;
    double measureH = 0.0;
    double measureI = 0.0;
    double wallQuantity[9] = {};
    uint8_t reserved[HostQuantityBlockSize - 18 * sizeof(double)] = {};
};
static_assert(sizeof(HostWallQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostWallQuantities, wallQuantity) == 72);

// One element another one meets: its Guid and a flag byte (set: it meets with its begin point).
struct HostConnectionEntry {
    API_Guid guid;
    uint8_t flag = 0;
    uint8_t reserved[3] = {};
};
static_assert(sizeof(HostConnectionEntry) == 20 && offsetof(HostConnectionEntry, flag) == 16);

// Kind 1 of "ACAPGetElementConnections": a wall's outline and where other walls meet it, in five
// lists of HostConnectionEntry: at the wall's begin point; at its end point; the wall's end on
// another's side; another's end on the wall's side; crossing. The caller disposes of the handles
// with "ACAPDisposeConnectionData".
inline constexpr uint32_t HostConnectionListCount = 5;
inline constexpr uint32_t HostWallConnections = 1;

struct HostElementConnections {
    GSHandle coordinates = nullptr; // the outline, as a polygon memo's parts (one-based, closed)
    GSHandle subPolygonEnds = nullptr;
    GSHandle arcs = nullptr;
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved0[4] = {};
    GSHandle lists[HostConnectionListCount] = {};
    uint8_t reserved1[16] = {};
    uint32_t listCounts[HostConnectionListCount] = {};
    uint8_t reserved2[12] = {};
};
static_assert(sizeof(HostElementConnections) == 128);
static_assert(offsetof(HostElementConnections, coordinateCount) == 24 &&
              offsetof(HostElementConnections, lists) == 40);
static_assert(offsetof(HostElementConnections, listCounts) == 96);
