// Beams (type 3) and columns (type 2): their parts of the element record and their fields of the
// 1160-byte quantity block, in the order of the operations that ask for them.
#pragma once

#include <cstddef>

#include "WallRecords.h"

inline constexpr uint32_t HostColumnTypeCode = 2;
inline constexpr uint32_t HostBeamTypeCode = 3;

struct HostBeamElement {
    HostElementHead head;
    uint16_t contourPen = 0; // kinds 0 and 1
    uint16_t lineType = 0;   // kinds 0 and 1
    uint16_t kind2Pen = 0;
    uint16_t secondLineType = 0; // the other kinds
    uint16_t kind10Pen = 0;
    uint8_t reserved0[2] = {};
    uint32_t structureType = 0; // 0 basic
    uint16_t material = 0;
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the beam's own
    uint8_t reserved1 = 0;
    // Kind 2; kinds 0 and 1; kind 3; kind 7; kind 5.
    HostOverrideWord finishOverrides[5] = {};
    uint16_t complexProfile = 0;
    uint16_t profileSetting = 0;
    double height = 0.0;
    double secondSize = 0.0;
    double elevation = 0.0; // relative to the home storey
    HostCoord2D begin;
    HostCoord2D end;
    double arcAngle = 0.0;
    uint16_t kind4Pen = 0;
    uint8_t slopedFlag = 0;
    uint8_t reserved2[5] = {};
    double slopeAngle = 0.0; // radians, used when sloped
};
// No padding of the compiler's: every byte is a named field, so copies compare byte for byte.
static_assert(sizeof(HostBeamElement) == 240 && sizeof(HostBeamElement) <= sizeof(API_Element));
static_assert(offsetof(HostBeamElement, structureType) == 124 &&
              offsetof(HostBeamElement, cutFillFlag) == 134);
static_assert(offsetof(HostBeamElement, finishOverrides) == 136 &&
              offsetof(HostBeamElement, complexProfile) == 156);
static_assert(offsetof(HostBeamElement, height) == 160 && offsetof(HostBeamElement, begin) == 184);
static_assert(offsetof(HostBeamElement, arcAngle) == 216 && offsetof(HostBeamElement, slopedFlag) == 226);
static_assert(offsetof(HostBeamElement, slopeAngle) == 232);

struct HostColumnElement {
    HostElementHead head;
    uint16_t contourPen = 0; // kinds 0 and 1
    uint8_t reserved0[2] = {};
    uint32_t structureType = 0;
    uint16_t coreMaterial = 0;
    uint16_t veneerMaterial = 0;
    uint16_t cutFillPen = 0;
    uint16_t cutFillBackgroundPen = 0;
    uint8_t cutFillFlag = 0; // 1: the cut-fill pens are the column's own
    uint8_t reserved1 = 0;
    uint16_t kind4Pen = 0; // kinds 4 and 10
    uint16_t lineType = 0;
    uint8_t reserved2[2] = {};
    HostOverrideWord finishOverride = 0;
    uint8_t columnFlag = 0;
    uint8_t circularFlag = 0;
    uint16_t complexProfile = 0;
    uint16_t profileSetting = 0;
    uint16_t columnValue1 = 0;
    uint16_t columnValue2 = 0;
    uint8_t reserved3[2] = {};
    double depth = 0.0;
    double width = 0.0;
    double veneerThickness = 0.0;
    double height = 0.0;
    double elevation = 0.0; // relative to the home storey
    uint16_t kind2Pen = 0;
    uint16_t kind3Pen = 0;
    uint8_t reserved4[4] = {};
    HostCoord2D reference;
    double extraAngle = 0.0; // radians
    uint16_t kind5Pen = 0;
    uint8_t storeySpanFlag = 0;
    uint8_t reserved5[5] = {};
    double columnValue3 = 0.0;
    double axisAngle = 0.0; // radians
};
static_assert(sizeof(HostColumnElement) == 248 && sizeof(HostColumnElement) <= sizeof(API_Element));
static_assert(offsetof(HostColumnElement, structureType) == 116 &&
              offsetof(HostColumnElement, cutFillFlag) == 128);
static_assert(offsetof(HostColumnElement, finishOverride) == 136 &&
              offsetof(HostColumnElement, columnFlag) == 140);
static_assert(offsetof(HostColumnElement, columnValue2) == 148 && offsetof(HostColumnElement, depth) == 152);
static_assert(offsetof(HostColumnElement, kind2Pen) == 192 && offsetof(HostColumnElement, reference) == 200);
static_assert(offsetof(HostColumnElement, kind5Pen) == 224 &&
              offsetof(HostColumnElement, columnValue3) == 232);
static_assert(offsetof(HostColumnElement, axisAngle) == 240);

// A beam's quantities, each asked for by its own bytes of the mask.
struct HostBeamQuantities {
    double measureA = 0.0; // length
    double measureB = 0.0;
    double measureC = 0.0; // volume
    double measureD = 0.0;
    double measureH = 0.0;
    double measureI = 0.0;
    double beamQuantity[6] = {};
    uint8_t reserved[HostQuantityBlockSize - 12 * sizeof(double)] = {};
};
static_assert(sizeof(HostBeamQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostBeamQuantities, beamQuantity) == 48);

struct HostColumnQuantities {
    double measureA = 0.0; // volume
    double measureD = 0.0; // the core's volume
    double measureE = 0.0;
    double measureF = 0.0;
    double measureG = 0.0;
    double columnQuantity[7] = {}; // the second: the veneer's volume
    uint8_t reserved[HostQuantityBlockSize - 12 * sizeof(double)] = {};
};
static_assert(sizeof(HostColumnQuantities) == HostQuantityBlockSize);
static_assert(offsetof(HostColumnQuantities, columnQuantity) == 40);
