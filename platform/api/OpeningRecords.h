// Windows (type 4) and doors (type 5): the opening sub-record every opening keeps, the joinery part
// of the element record (the head, the opening sub-record, then the fields of an opening that sits
// in a wall), and the opening's fields of the 1160-byte quantity block.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

inline constexpr uint32_t HostWindowTypeCode = 4;
inline constexpr uint32_t HostDoorTypeCode = 5;
inline constexpr uint32_t HostSkylightTypeCode = 44;

// What doors, windows and skylights share. Indices are 16-bit attribute indices.
struct HostOpeningPart {
    uint16_t pen = 0; // pen kinds 0 and 1
    uint16_t lineType = 0;
    uint16_t surface = 0;
    uint16_t fill = 0; // 0: none
    uint16_t kind11Pen = 0;
    uint16_t kind12Pen = 0;
    uint16_t kind10Pen = 0;
    uint8_t flag1 = 0;
    uint8_t flag2 = 0;
    uint8_t switchFlag = 0;
    uint8_t reserved0[7] = {};
    double width = 0.0; // along the owner
    double size2 = 0.0;
    uint32_t libIndex = 0; // the placed library part; 0: none
    uint8_t flag4 = 0;
    uint8_t reserved1[3] = {};
};
static_assert(sizeof(HostOpeningPart) == 48 && offsetof(HostOpeningPart, flag1) == 14);
static_assert(offsetof(HostOpeningPart, width) == 24 && offsetof(HostOpeningPart, libIndex) == 40);

// A window's or door's part of the element record. The opening sits in the wall its owner Guid
// names, at a position along the wall's reference line and an elevation above the wall's base.
struct HostJoineryElement {
    HostElementHead head;
    HostOpeningPart opening;
    uint32_t attributeChoice = 0; // kinds 1 and 3 name an attribute by the index below
    uint16_t attributeIndex = 0;
    uint8_t joineryFlags[3] = {};
    uint8_t reserved0[7] = {};
    double joineryValues[5] = {};
    API_Guid ownerGuid;
    double wallPosition = 0.0;
    double relativeElevation = 0.0;
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostJoineryElement) == 248 && sizeof(HostJoineryElement) <= sizeof(API_Element));
static_assert(offsetof(HostJoineryElement, opening) == 112 &&
              offsetof(HostJoineryElement, attributeChoice) == 160);
static_assert(offsetof(HostJoineryElement, joineryFlags) == 166 &&
              offsetof(HostJoineryElement, joineryValues) == 176);
static_assert(offsetof(HostJoineryElement, ownerGuid) == 216 &&
              offsetof(HostJoineryElement, wallPosition) == 232);
static_assert(offsetof(HostJoineryElement, relativeElevation) == 240);

// A skylight's part of the element record: the opening sub-record, the roof or shell that holds
// it, three settings, its anchor point and two values.
struct HostSkylightElement {
    HostElementHead head;
    HostOpeningPart opening;
    API_Guid ownerGuid;
    uint32_t settings[3] = {};
    uint8_t reserved0[4] = {};
    HostCoord3D anchor;
    double values[2] = {};
};
static_assert(sizeof(HostSkylightElement) == 232 && sizeof(HostSkylightElement) <= sizeof(API_Element));
static_assert(offsetof(HostSkylightElement, opening) == 112 &&
              offsetof(HostSkylightElement, ownerGuid) == 160);
static_assert(offsetof(HostSkylightElement, settings) == 176 && offsetof(HostSkylightElement, anchor) == 192);
static_assert(offsetof(HostSkylightElement, values) == 216);

// The quantities of a window, door or skylight, each asked for by its own bytes of the mask.
struct HostOpeningQuantities {
    double openingMeasure1 = 0.0; // the opening's own: its surface in the wall
    double openingMeasure2 = 0.0; // and the volume it cuts
    double measure1 = 0.0;
    double measure2 = 0.0;
    double measure5 = 0.0;
    double measure6 = 0.0;
    double measure4 = 0.0;
    uint8_t reserved[HostQuantityBlockSize - 7 * sizeof(double)] = {};
};
static_assert(sizeof(HostOpeningQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostOpeningQuantities, measure4) == 48);
