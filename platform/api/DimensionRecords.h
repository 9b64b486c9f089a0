// Records of the host's dimensions, linear (type 11), radial (12), level (13) and angular (14): the
// part of the element record each kind uses, and the 456-byte record of each point of a linear
// dimension in the memo.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "LabelRecords.h"
#include "TextRecords.h"

struct HostDimensionPoint {
    uint32_t elementType = 0; // of the element measured
    uint8_t flag4 = 0;        // both from the element's selection kind
    uint8_t flag5 = 0;
    uint8_t reserved0[6] = {};
    uint32_t nodeIndex = 0; // of the element's node the point stands on
    API_Guid elementGuid;
    uint32_t value = 0;
    uint8_t reserved1[4] = {};
    HostCoord2D position;
    HostCoord3D position3D; // its z is the point's height
    HostPenFontSize textBlock;
    uint8_t reserved2[120] = {};
    uint64_t hostReference = 0; // the host's; never carried from one record to another
    uint8_t reserved3[144] = {};
    double word368 = 0.0; // the dimension's F4 when added with defaults
    uint32_t word376 = 0; // the dimension's F5 likewise
    uint8_t noNode = 0;   // no node of the element matched the position
    uint8_t reserved4[3] = {};
    HostCoord2D projection; // on the dimension line
    uint8_t reserved5[56] = {};
};
static_assert(sizeof(HostDimensionPoint) == 456);
static_assert(offsetof(HostDimensionPoint, flag4) == 4 && offsetof(HostDimensionPoint, flag5) == 5);
static_assert(offsetof(HostDimensionPoint, nodeIndex) == 12 &&
              offsetof(HostDimensionPoint, elementGuid) == 16);
static_assert(offsetof(HostDimensionPoint, value) == 32 && offsetof(HostDimensionPoint, position) == 40);
static_assert(offsetof(HostDimensionPoint, position3D) == 56 &&
              offsetof(HostDimensionPoint, textBlock) == 80);
static_assert(offsetof(HostDimensionPoint, hostReference) == 216 &&
              offsetof(HostDimensionPoint, word368) == 368);
static_assert(offsetof(HostDimensionPoint, word376) == 376 && offsetof(HostDimensionPoint, noNode) == 380);
static_assert(offsetof(HostDimensionPoint, projection) == 384);

struct HostLinearDimension {
    HostElementHead head;
    uint16_t pen = 0;
    uint8_t reserved0[2] = {};
    uint32_t fieldF1 = 0;
    uint32_t orientation = 0; // 0 free, 1 horizontal, 2 vertical
    uint32_t fieldF3 = 0;
    uint8_t flagB1 = 0;
    uint8_t flagB2 = 0;
    uint8_t flagB3 = 0;
    uint8_t flagB4 = 0;
    uint32_t fieldF5 = 0;
    double fieldF4 = 0.0;
    HostPenFontSize textBlock;
    uint8_t reserved1[136] = {};
    uint8_t flagB5 = 0;
    uint8_t flagB6 = 0;
    uint16_t pen8 = 0;
    uint16_t pen2 = 0;
    uint8_t reserved2[130] = {};
    HostArrow arrow;
    uint8_t reserved3 = 0;
    uint8_t arrowExtra[3] = {};
    uint8_t reserved4[2] = {};
    uint8_t flagB7 = 0;
    uint8_t reserved5[25] = {};
    HostCoord2D reference;
    HostCoord2D direction;
    uint8_t reserved6[80] = {};
    uint32_t pointCount = 0;
    uint8_t reserved7[108] = {};
};
static_assert(sizeof(HostLinearDimension) == 704);
static_assert(offsetof(HostLinearDimension, pen) == 112 && offsetof(HostLinearDimension, fieldF1) == 116);
static_assert(offsetof(HostLinearDimension, orientation) == 120 &&
              offsetof(HostLinearDimension, fieldF3) == 124);
static_assert(offsetof(HostLinearDimension, flagB1) == 128 && offsetof(HostLinearDimension, flagB4) == 131);
static_assert(offsetof(HostLinearDimension, fieldF5) == 132 && offsetof(HostLinearDimension, fieldF4) == 136);
static_assert(offsetof(HostLinearDimension, textBlock) == 144 &&
              offsetof(HostLinearDimension, flagB5) == 296);
static_assert(offsetof(HostLinearDimension, flagB6) == 297 && offsetof(HostLinearDimension, pen8) == 298);
static_assert(offsetof(HostLinearDimension, pen2) == 300 && offsetof(HostLinearDimension, arrow) == 432);
static_assert(offsetof(HostLinearDimension, arrowExtra) == 449 &&
              offsetof(HostLinearDimension, flagB7) == 454);
static_assert(offsetof(HostLinearDimension, reference) == 480 &&
              offsetof(HostLinearDimension, direction) == 496);
static_assert(offsetof(HostLinearDimension, pointCount) == 592);

struct HostRadialDimension {
    HostElementHead head;
    uint16_t pen = 0;
    uint8_t reserved0[2] = {};
    uint32_t fieldF1 = 0;
    uint32_t fieldF2 = 0;
    uint8_t reserved1[20] = {};
    HostArrow arrow;
    uint8_t reserved2[24] = {};
    HostPenFontSize textBlock;
    uint8_t reserved3[312] = {};
    HostCoord2D reference;
    uint8_t reserved4[80] = {};
};
static_assert(sizeof(HostRadialDimension) == 608);
static_assert(offsetof(HostRadialDimension, fieldF1) == 116 && offsetof(HostRadialDimension, fieldF2) == 120);
static_assert(offsetof(HostRadialDimension, arrow) == 144 && offsetof(HostRadialDimension, textBlock) == 184);
static_assert(offsetof(HostRadialDimension, reference) == 512);

struct HostLevelDimension {
    HostElementHead head;
    uint16_t pen = 0;
    uint8_t reserved0[54] = {};
    HostPenFontSize textBlock;
    uint8_t reserved1[560] = {};
    HostCoord2D reference;
    uint8_t reserved2[64] = {};
};
static_assert(sizeof(HostLevelDimension) == 824);
static_assert(offsetof(HostLevelDimension, textBlock) == 168 &&
              offsetof(HostLevelDimension, reference) == 744);

// One defining point of an angular dimension and the host's bytes up to the next.
struct HostAngularPoint {
    HostCoord2D point;
    uint8_t reserved[64] = {};
};
static_assert(sizeof(HostAngularPoint) == 80);

struct HostAngularDimension {
    HostElementHead head;
    uint16_t pen = 0;
    uint8_t reserved0[2] = {};
    uint32_t fieldF1 = 0;
    uint32_t fieldF2 = 0;
    uint32_t fieldF3 = 0;
    double fieldF4 = 0.0;
    HostArrow arrow;
    uint8_t reserved1[32] = {};
    HostPenFontSize textBlock;
    uint8_t reserved2[312] = {};
    HostAngularPoint points[4]; // the first is the reference point
    uint8_t reserved3[40] = {};
};
static_assert(sizeof(HostAngularDimension) == 872);
static_assert(offsetof(HostAngularDimension, fieldF3) == 124 &&
              offsetof(HostAngularDimension, fieldF4) == 128);
static_assert(offsetof(HostAngularDimension, arrow) == 136 &&
              offsetof(HostAngularDimension, textBlock) == 184);
static_assert(offsetof(HostAngularDimension, points) == 512);
static_assert(offsetof(HostAngularDimension, points) + 3 * sizeof(HostAngularPoint) == 752);
