// The zone (type 17): its part of the element record and its quantities in the 1160-byte quantity
// block.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

inline constexpr uint32_t HostZoneTypeCode = 17;
inline constexpr size_t HostZoneNameLength = 256;  // UTF-16 units, the terminator included
inline constexpr size_t HostZoneNumberLength = 32; // likewise

struct HostZoneElement {
    HostElementHead head;
    uint16_t contourPen = 0; // kinds 0 and 1
    uint16_t category = 0;   // the zone category's attribute index
    uint8_t zoneFlag1 = 0;
    uint8_t zoneFlag2 = 0;
    char16_t name[HostZoneNameLength] = {};
    char16_t number[HostZoneNumberLength] = {};
    uint8_t reserved0[2] = {};
    double elevation = 0.0; // relative to the home storey
    double height = 0.0;
    double zoneValue1 = 0.0;
    uint8_t zoneFlag3 = 0;
    uint8_t reserved1 = 0;
    uint16_t surface = 0; // kinds 0 and 1
    uint8_t reserved2[4] = {};
    double zoneValue2 = 0.0;
    uint16_t kind6Pen = 0;
    uint16_t kind8Pen = 0;
    uint16_t kind2Pen = 0;
    uint8_t reserved3[2] = {};
    uint32_t stampIndex = 0;     // the stamp's library-part index
    int16_t topStoreyOffset = 0; // from the home storey; 0 for none
    uint8_t reserved4[2] = {};
    uint32_t coordinateCount = 0; // the outline's counts in the memo
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved5[4] = {};
    HostCoord2D stampPoint1;
    HostCoord2D stampPoint2;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostZoneElement) == 800 && sizeof(HostZoneElement) <= sizeof(API_Element));
static_assert(offsetof(HostZoneElement, contourPen) == 112 && offsetof(HostZoneElement, zoneFlag1) == 116);
static_assert(offsetof(HostZoneElement, name) == 118 && offsetof(HostZoneElement, number) == 630);
static_assert(offsetof(HostZoneElement, elevation) == 696 && offsetof(HostZoneElement, zoneFlag3) == 720);
static_assert(offsetof(HostZoneElement, surface) == 722 && offsetof(HostZoneElement, zoneValue2) == 728);
static_assert(offsetof(HostZoneElement, kind6Pen) == 736 && offsetof(HostZoneElement, stampIndex) == 744);
static_assert(offsetof(HostZoneElement, topStoreyOffset) == 748 &&
              offsetof(HostZoneElement, coordinateCount) == 752);
static_assert(offsetof(HostZoneElement, stampPoint1) == 768 && offsetof(HostZoneElement, stampPoint2) == 784);

// The zone's fields of the quantity block, in the host's order; each is asked for by its own bytes
// of the mask, at the same offset. Two of them are 32-bit integers.
struct HostZoneQuantities {
    double measure1 = 0.0; // the floor area
    double measure12 = 0.0;
    double zoneMeasure1 = 0.0;
    int32_t zoneMeasure3 = 0;
    int32_t zoneMeasure4 = 0;
    double zoneMeasure2 = 0.0;
    double zoneMeasure5 = 0.0;
    double zoneMeasure6 = 0.0;
    double zoneMeasure7 = 0.0;
    double zoneMeasure8 = 0.0;
    double zoneMeasure9 = 0.0;
    double measure5 = 0.0;
    double zoneMeasure15 = 0.0;
    double zoneMeasure16 = 0.0;
    double zoneMeasure14 = 0.0;
    double zoneMeasure13 = 0.0;
    double zoneMeasure10 = 0.0;
    double zoneMeasure11 = 0.0;
    double zoneMeasure12 = 0.0;
    double zoneMeasure17 = 0.0;
    double zoneMeasure18 = 0.0;
    double zoneMeasure19 = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 21 * sizeof(double)] = {};
};
static_assert(sizeof(HostZoneQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostZoneQuantities, zoneMeasure3) == 24 &&
              offsetof(HostZoneQuantities, zoneMeasure4) == 28);
static_assert(offsetof(HostZoneQuantities, zoneMeasure2) == 32 &&
              offsetof(HostZoneQuantities, measure5) == 80);
static_assert(offsetof(HostZoneQuantities, zoneMeasure19) == 160 &&
              offsetof(HostZoneQuantities, reserved) == 168);
