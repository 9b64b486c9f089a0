// The part of the element record a hatch (type 18) uses: pens, its fill or building material, a
// text block and the counts of its polygon in the memo.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "TextRecords.h"

struct HostHatchElement {
    HostElementHead head;
    uint32_t penValue = 0;
    uint32_t fillSource = 0; // 1: the fill and its pens come from the building material
    uint8_t overrides = 0;   // 4: the foreground pen is the hatch's own, 8: the background pen
    uint8_t reserved0[3] = {};
    uint32_t foregroundPen = 0;
    uint16_t backgroundPen = 0;
    int16_t fill = 0;
    int16_t material = 0;
    uint16_t lineType = 0;
    uint8_t reserved1[3] = {};
    uint8_t flag = 0;
    uint8_t reserved2[44] = {};
    HostPenFontSize textBlock;
    uint8_t reserved3[272] = {};
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved4[12] = {};
    uint8_t reserved5[216] = {};
};
static_assert(sizeof(HostHatchElement) == 712);
static_assert(offsetof(HostHatchElement, fillSource) == 116 && offsetof(HostHatchElement, overrides) == 120);
static_assert(offsetof(HostHatchElement, foregroundPen) == 124 &&
              offsetof(HostHatchElement, backgroundPen) == 128);
static_assert(offsetof(HostHatchElement, fill) == 130 && offsetof(HostHatchElement, material) == 132);
static_assert(offsetof(HostHatchElement, lineType) == 134 && offsetof(HostHatchElement, flag) == 139);
static_assert(offsetof(HostHatchElement, textBlock) == 184 &&
              offsetof(HostHatchElement, coordinateCount) == 472);

// A hatch's quantities: requested by the mask bytes from HostHatchQuantityMask on, answered in the
// element block at the same distance from its start.
inline constexpr size_t HostHatchQuantityMask = 2264;
inline constexpr size_t HostHatchArea = 0;       // quantity 1
inline constexpr size_t HostHatchQuantity3 = 16; // quantity 3
inline constexpr size_t HostHatchQuantity4 = 24; // quantity 4
