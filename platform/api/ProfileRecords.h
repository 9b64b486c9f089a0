// Extrusions, sweeps and morphs (type 43, told apart by the sub-kind after the head): their part of
// the element record and their fields of the 1160-byte quantity block.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "WallRecords.h"

inline constexpr uint32_t HostProfileTypeCode = 43;
inline constexpr uint32_t HostExtrusionSubKind = 0;
inline constexpr uint32_t HostSweepSubKind = 1;
inline constexpr uint32_t HostMorphSubKind = 2;

// Indices are 16-bit attribute indices; the overrides are override words.
struct HostProfileElement {
    HostElementHead head;
    uint32_t subKind = 0; // also the head's variation
    uint16_t pen = 0;     // pen kinds 0 and 1
    uint16_t lineType = 0;
    uint16_t material = 0;
    uint16_t cutFillPen = 0;           // kind 11
    uint16_t cutFillBackgroundPen = 0; // kind 12
    uint8_t cutFillFlag = 0;           // 1: the cut-fill pens are the element's own
    uint8_t reserved0 = 0;
    uint16_t kind10Pen = 0;
    uint16_t kind3LineType = 0;
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint8_t reserved1[4] = {};
    HostOverrideWord finishOverrides[3] = {}; // kinds 0, 1 and 6; kind 5; kind 7
    uint8_t sideFlags[2][3] = {};
    uint8_t reserved2[2] = {};
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostProfileElement) == 160 && sizeof(HostProfileElement) <= sizeof(API_Element));
static_assert(offsetof(HostProfileElement, subKind) == offsetof(HostKindedElement, subKind));
static_assert(offsetof(HostProfileElement, pen) == 116 && offsetof(HostProfileElement, material) == 120);
static_assert(offsetof(HostProfileElement, cutFillFlag) == 126 &&
              offsetof(HostProfileElement, kind10Pen) == 128);
static_assert(offsetof(HostProfileElement, kind8Pen) == 134 &&
              offsetof(HostProfileElement, finishOverrides) == 140);
static_assert(offsetof(HostProfileElement, sideFlags) == 152);

// The body's fields of the quantity block, in the host's order; each is asked for by its own bytes
// of the mask, at the same offset.
struct HostProfileQuantities {
    double measure1 = 0.0;
    double measure2 = 0.0;
    double measure3 = 0.0;
    double measure5 = 0.0;
    double perimeter = 0.0;
    double measure10 = 0.0;
    double measure12 = 0.0;
    double measure6 = 0.0;
    double area = 0.0;
    int32_t measure9 = 0;
    uint8_t reserved[HostQuantityBlockSize - 9 * sizeof(double) - sizeof(int32_t)] = {};
};
static_assert(sizeof(HostProfileQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostProfileQuantities, area) == 64 && offsetof(HostProfileQuantities, measure9) == 72);
