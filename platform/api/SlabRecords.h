// Slabs (type 8) and roofs (type 9): their parts of the element record, the per-edge entries of an
// outline's memo, and their fields of the 1160-byte quantity block.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "WallRecords.h"

inline constexpr uint32_t HostSlabTypeCode = 8;
inline constexpr uint32_t HostRoofTypeCode = 9;

struct HostSlabElement {
    HostElementHead head;
    uint16_t pen = 0; // pen kinds 0 and 1
    uint16_t lineType = 0;
    uint32_t structureType = 0; // 0 basic, 1 composite
    uint16_t material = 0;
    int16_t composite = 0; // negated, as the host keeps it
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the slab's own
    uint8_t auxiliaryFlag = 0;
    uint16_t kind10Pen = 0;
    HostOverrideWord finishOverrides[3] = {}; // kinds 0, 1 and 6; 5; 7
    double thickness = 0.0;
    double elevation = 0.0; // relative to the home storey
    uint64_t linkValue = 0;
    uint32_t referenceKind = 0; // what the elevation is measured to: 0 to 3
    uint8_t sideFlags[2][3] = {};
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint16_t kind2Fill = 0;
    double slabValue = 0.0;
    uint32_t coordinateCount = 0; // the outline's polygon counts
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint32_t linkedU32 = 0;
    HostCoord2D linkedPoint;
    HostCoord2D firstVector;
    HostCoord2D secondVector;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostSlabElement) == 256 && sizeof(HostSlabElement) <= sizeof(API_Element));
static_assert(offsetof(HostSlabElement, structureType) == 116 &&
              offsetof(HostSlabElement, cutFillFlag) == 128);
static_assert(offsetof(HostSlabElement, finishOverrides) == 132 &&
              offsetof(HostSlabElement, thickness) == 144);
static_assert(offsetof(HostSlabElement, linkValue) == 160 && offsetof(HostSlabElement, sideFlags) == 172);
static_assert(offsetof(HostSlabElement, kind2Fill) == 182 && offsetof(HostSlabElement, slabValue) == 184);
static_assert(offsetof(HostSlabElement, coordinateCount) == 192 &&
              offsetof(HostSlabElement, linkedU32) == 204);
static_assert(offsetof(HostSlabElement, linkedPoint) == 208 &&
              offsetof(HostSlabElement, secondVector) == 240);

// Single-plane (class 0) and multi-plane (class 1) roofs share it.
struct HostShelterElement {
    HostElementHead head;
    uint32_t roofClass = 0; // the sub-kind
    uint16_t pen = 0;       // pen kinds 0 and 1
    uint16_t lineType = 0;
    uint32_t structureType = 0; // 0 basic, 1 composite
    uint16_t material = 0;
    int16_t composite = 0;
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0;
    uint8_t auxiliaryFlag = 0;
    uint16_t kind10Pen = 0;
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint16_t kind5Pen = 0;
    uint8_t reserved0[2] = {};
    HostOverrideWord finishOverrides[3] = {}; // kinds 0 and 1; 5; 7
    HostOverrideRecord sideOverrides[2];      // their flag bytes are the side's flag triple
    HostOverrideExtension overrideExtension;  // shared by both sides
    double elevation = 0.0;                   // relative to the home storey
    double shelterValue = 0.0;
    uint32_t shelterSetting = 0;
    uint8_t reserved1[4] = {};
    double slopeAngle = 0.0;
    uint32_t coordinateCount = 0; // the outline's polygon counts
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved2[4] = {};
    HostCoord2D pivotBegin;
    HostCoord2D pivotEnd;
    uint8_t roofFlag = 0;
    uint8_t reserved3[7] = {};
};
static_assert(sizeof(HostShelterElement) == 264 && sizeof(HostShelterElement) <= sizeof(API_Element));
static_assert(offsetof(HostShelterElement, roofClass) == offsetof(HostKindedElement, subKind));
static_assert(offsetof(HostShelterElement, structureType) == 120 &&
              offsetof(HostShelterElement, cutFillFlag) == 132);
static_assert(offsetof(HostShelterElement, kind5Pen) == 140 &&
              offsetof(HostShelterElement, finishOverrides) == 144);
static_assert(offsetof(HostShelterElement, sideOverrides) == 156 &&
              offsetof(HostShelterElement, overrideExtension) == 172);
static_assert(offsetof(HostShelterElement, elevation) == 176 &&
              offsetof(HostShelterElement, slopeAngle) == 200);
static_assert(offsetof(HostShelterElement, coordinateCount) == 208 &&
              offsetof(HostShelterElement, pivotBegin) == 224);
static_assert(offsetof(HostShelterElement, roofFlag) == 256);

// One edge of an outline, for the edge that ends at the coordinate of the same index.
struct HostEdgeRecord {
    uint32_t field = 0; // the host's; carried back as read
    uint32_t value = 0;
    uint64_t wideValue = 0;
};
static_assert(sizeof(HostEdgeRecord) == 16 && offsetof(HostEdgeRecord, wideValue) == 8);

struct HostSideOverride {
    uint16_t surface = 0;
    uint8_t overriding = 0;
    uint8_t reserved[5] = {};
};
static_assert(sizeof(HostSideOverride) == 8 && offsetof(HostSideOverride, overriding) == 2);

// The slab's fields of the quantity block, each asked for by its own bytes of the mask.
struct HostSlabQuantities {
    double slabMeasure2 = 0.0; // top area
    double slabMeasure1 = 0.0; // bottom area
    double slabMeasure3 = 0.0; // volume
    double measure5 = 0.0;
    double perimeter = 0.0;
    double measure10 = 0.0;
    double measure12 = 0.0;
    double slabMeasure5 = 0.0;
    double slabMeasure4 = 0.0;
    double slabMeasure6 = 0.0;
    double measure6 = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 11 * sizeof(double)] = {};
};
static_assert(sizeof(HostSlabQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostSlabQuantities, perimeter) == 32 && offsetof(HostSlabQuantities, measure6) == 80);

struct HostShelterQuantities {
    double measure2 = 0.0;
    double measure1 = 0.0;
    double measure3 = 0.0;
    double measure5 = 0.0;
    double measure10 = 0.0;
    double measure12 = 0.0;
    double shelterMeasure2 = 0.0;
    double shelterMeasure1 = 0.0;
    double shelterMeasure3 = 0.0;
    double measure6 = 0.0;
    double shelterMeasures4To12[9] = {};
    uint8_t reserved[HostQuantityBlockSize - 19 * sizeof(double)] = {};
};
static_assert(sizeof(HostShelterQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostShelterQuantities, measure6) == 72 &&
              offsetof(HostShelterQuantities, shelterMeasures4To12) == 80);
