// The element record of a placed library part (type 6, and the lamp, type 7, built on it): the
// head, then the object's own fields. Host fields the module does not use are kept as zeroed
// reserved bytes. The object's quantities come in the element quantity block at two slots.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

struct HostObjectElement {
    HostElementHead head;
    uint16_t pen = 0;      // main pen
    uint16_t lineType = 0; // line type index
    uint16_t material = 0; // surface index
    uint16_t fill = 0;     // 0: none
    uint16_t secondPen = 0;
    uint16_t thirdPen = 0;
    uint16_t fourthPen = 0;
    uint8_t switch1 = 0;
    uint8_t switch2 = 0;
    uint8_t switch3 = 0;
    uint8_t mirrored = 0;
    uint8_t firstDetail = 0; // the ratios below are the sizes themselves
    uint8_t switch6 = 0;
    uint16_t ownerKind = 0;
    uint8_t reserved0[2] = {};
    double angle = 0.0;     // radians
    double elevation = 0.0; // above the home storey
    double widthRatio = 0.0;
    double depthRatio = 0.0;
    double ownerOffsetX = 0.0;
    double ownerOffsetY = 0.0;
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    // The first override group: its three flags are the linked switches, its two indices the first
    // two merged words.
    HostOverrideRecord firstGroup;
    // The second: the third merged word and the first merged flag byte.
    HostOverrideExtension secondGroup;
    uint8_t mergedFlag2 = 0;
    uint8_t mergedFlag3 = 0;
    uint8_t reserved1[2] = {};
    API_Guid ownerGuid;
    uint32_t libIndex = 0;
    uint8_t reserved2[4] = {};
    double referenceX = 0.0;
    double referenceY = 0.0;
    uint8_t reserved3[64] = {};
};
static_assert(offsetof(HostObjectElement, pen) == 112 && offsetof(HostObjectElement, switch1) == 126);
static_assert(offsetof(HostObjectElement, ownerKind) == 132 && offsetof(HostObjectElement, angle) == 136);
static_assert(offsetof(HostObjectElement, red) == 184 && offsetof(HostObjectElement, firstGroup) == 208);
static_assert(offsetof(HostObjectElement, secondGroup) == 216 &&
              offsetof(HostObjectElement, mergedFlag2) == 220);
static_assert(offsetof(HostObjectElement, ownerGuid) == 224 && offsetof(HostObjectElement, libIndex) == 240);
static_assert(offsetof(HostObjectElement, referenceX) == 248 &&
              sizeof(HostObjectElement) <= sizeof(API_Element));

// Slots of the element quantity block that answer an object's surface and volume.
inline constexpr size_t HostObjectSurfaceQuantity = 16;
inline constexpr size_t HostObjectVolumeQuantity = 24;

// A lamp (type 7) keeps the object's fields: its library-part index is the object's.
inline constexpr uint32_t HostLampTypeCode = 7;
using HostLampElement = HostObjectElement;
static_assert(offsetof(HostLampElement, libIndex) == 240);
