// Records of the host's line-work elements: lines (type 19), polylines (20), circles and arcs (21,
// 22), splines (23) and hotspots (24),
// the part of the 4856-byte element record each kind uses. A pen value is 32 bits: the 16-bit
// pen index and a second word the host keeps with it.
#pragma once

#include <cstddef>

#include "ElementRecords.h"
#include "LabelRecords.h"

struct HostLineElement {
    HostElementHead head;
    uint32_t penValue = 0;
    uint16_t lineType = 0;
    uint8_t flag = 0;
    uint8_t reserved0[9] = {};
    HostArrow arrow; // its pen is the line's second pen
    uint8_t reserved1[40] = {};
    HostCoord2D start;
    HostCoord2D end;
    uint8_t reserved2[32] = {};
};
static_assert(sizeof(HostLineElement) == 248);
static_assert(offsetof(HostLineElement, penValue) == 112 && offsetof(HostLineElement, lineType) == 116);
static_assert(offsetof(HostLineElement, flag) == 118 && offsetof(HostLineElement, arrow) == 128);
static_assert(offsetof(HostLineElement, arrow) + offsetof(HostArrow, pen) == 134);
static_assert(offsetof(HostLineElement, start) == 184 && offsetof(HostLineElement, end) == 200);

struct HostCircleElement {
    HostElementHead head;
    uint32_t penValue = 0;
    uint16_t lineType = 0;
    uint8_t flag = 0;
    uint8_t reserved0[15] = {};
    uint16_t secondPen = 0;
    uint8_t reserved1[64] = {};
    HostCoord2D centre;
    double radius = 0.0;
    double word224 = 0.0; // the host's; zero in the defaults
    double axisRatio = 0.0;
    double beginAngle = 0.0; // radians
    double endAngle = 0.0;
    uint8_t reflected = 0;
    uint8_t reserved2[31] = {};
};
static_assert(sizeof(HostCircleElement) == 288);
static_assert(offsetof(HostCircleElement, penValue) == 112 && offsetof(HostCircleElement, lineType) == 116);
static_assert(offsetof(HostCircleElement, flag) == 118 && offsetof(HostCircleElement, secondPen) == 134);
static_assert(offsetof(HostCircleElement, centre) == 200 && offsetof(HostCircleElement, radius) == 216);
static_assert(offsetof(HostCircleElement, word224) == 224 && offsetof(HostCircleElement, axisRatio) == 232);
static_assert(offsetof(HostCircleElement, beginAngle) == 240 && offsetof(HostCircleElement, endAngle) == 248);
static_assert(offsetof(HostCircleElement, reflected) == 256);

// The vertices are in the memo; the record counts them.
struct HostPolyLineElement {
    HostElementHead head;
    uint32_t penValue = 0;
    uint16_t lineType = 0;
    uint8_t flag = 0;
    uint8_t reserved0[15] = {};
    uint16_t secondPen = 0;
    uint8_t reserved1[64] = {};
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved2[44] = {};
};
static_assert(sizeof(HostPolyLineElement) == 256);
static_assert(offsetof(HostPolyLineElement, penValue) == 112 &&
              offsetof(HostPolyLineElement, lineType) == 116);
static_assert(offsetof(HostPolyLineElement, flag) == 118 && offsetof(HostPolyLineElement, secondPen) == 134);
static_assert(offsetof(HostPolyLineElement, coordinateCount) == 200 &&
              offsetof(HostPolyLineElement, arcCount) == 208);

// A spline's direction data at one vertex, as the memo's direction handle holds it.
struct HostSplineDirection {
    double first = 0.0;
    double second = 0.0;
    double third = 0.0;
};
static_assert(sizeof(HostSplineDirection) == 24);

struct HostSplineCounts {
    uint32_t coordinates = 0;
    uint32_t subPolygons = 0;
    uint8_t reserved[16] = {};
};
static_assert(sizeof(HostSplineCounts) == 24 && offsetof(HostSplineCounts, subPolygons) == 4);

// The part a spline keeps; the counts follow it in the record.
struct HostSplineElement {
    HostElementHead head;
    uint32_t penValue = 0;
    uint16_t lineType = 0;
    uint8_t reserved0[10] = {};
    HostArrow arrow; // its pen is the spline's second pen
    uint8_t reserved1[24] = {};
    uint8_t directionFree = 0;
    uint8_t closed = 0;
    uint8_t reserved2[30] = {};
};
static_assert(sizeof(HostSplineElement) == 200);
static_assert(offsetof(HostSplineElement, penValue) == 112 && offsetof(HostSplineElement, lineType) == 116);
static_assert(offsetof(HostSplineElement, arrow) == 128);
static_assert(offsetof(HostSplineElement, directionFree) == 168 &&
              offsetof(HostSplineElement, closed) == 169);

struct HostSplineRecord {
    HostSplineElement part;
    HostSplineCounts counts;
};
static_assert(offsetof(HostSplineRecord, counts) == 200);

struct HostHotspotElement {
    HostElementHead head;
    uint16_t pen = 0;
    uint8_t reserved0[6] = {};
    HostCoord2D position;
    uint8_t reserved1[8] = {};
    double word144 = 0.0; // the host's; copied along
};
static_assert(sizeof(HostHotspotElement) == 152);
static_assert(offsetof(HostHotspotElement, pen) == 112 && offsetof(HostHotspotElement, position) == 120);
static_assert(offsetof(HostHotspotElement, word144) == 144);
