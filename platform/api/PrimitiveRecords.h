// Records of an element's drawing as the host hands it out piece by piece ("ACAPGetElementPrimitives"):
// the shape-primitive record of each call of the module's callback, and the fill record that opens
// a fill bracket.
#pragma once

#include <cstddef>
#include <cstdint>

#include "HostRecords.h"
#include "HostTypes.h"

// What a shape-primitive record is. Hotspots, pictures and control records draw nothing here.
enum HostShapeKind : uint32_t {
    ShapeHotspot = 1,
    ShapeLine = 2,
    ShapeArc = 3,
    ShapeText = 4,
    ShapePolyLine = 5,
    ShapeTriangle = 6,
    ShapePolygon = 7,
    ShapePicture = 8,
    ShapeControl = 9,
    ShapeFillOpen = 10,
    ShapeFillClose = 11,
    ShapeBracketOpen = 12,
    ShapeBracketClose = 13,
};

// The kinds' own fields, each from byte 24 of the record.
struct HostShapeHotspot {
    HostCoord2D location;
};
struct HostShapeLine {
    HostCoord2D begin;
    HostCoord2D end;
};
struct HostShapeArc {
    HostCoord2D centre;
    double radius;
    double startAngle;
    double endAngle;
    double axisAngle; // of an ellipse's longer axis
    double ratio;     // of an ellipse's axes; 1 for a circle
    uint8_t clockwise;
    uint8_t reserved[7];
};
struct HostShapeText {
    HostCoord2D location;
    double angle;
    uint32_t anchor;
    uint32_t reserved;
    double size; // millimetres
};
// The points come in the first data block (from index 1), the arc records in the third.
struct HostShapePolyLine {
    uint32_t pointCount;
    uint32_t arcCount;
};
struct HostShapeTriangle {
    uint8_t reserved[16];
    HostCoord2D corners[3];
};
// The polygon's parts come as handles: coordinates, sub-polygon ends and arcs.
struct HostShapePolygon {
    uint8_t reserved[16];
    uint32_t coordinateCount;
    uint32_t endCount;
    uint32_t arcCount;
};

struct HostShapePrimitive {
    HostShapePrimitive() : body{} {}

    uint32_t kind = 0; // HostShapeKind
    uint32_t pen = 0;
    uint32_t lineType = 0;
    uint16_t headFlag = 0; // the element's primitive flag
    uint8_t filled = 0;    // polygons
    uint8_t reserved0 = 0;
    uint8_t reserved1[8] = {};
    union {
        uint8_t body[72];
        HostShapeHotspot hotspot;
        HostShapeLine line;
        HostShapeArc arc;
        HostShapeText text;
        HostShapePolyLine polyLine;
        HostShapeTriangle triangle;
        HostShapePolygon polygon;
    };
};
static_assert(sizeof(HostShapePrimitive) == 96);
static_assert(offsetof(HostShapePrimitive, pen) == 4 && offsetof(HostShapePrimitive, headFlag) == 12);
static_assert(offsetof(HostShapePrimitive, polyLine) + offsetof(HostShapePolyLine, pointCount) == 24 &&
              offsetof(HostShapePrimitive, polyLine) + offsetof(HostShapePolyLine, arcCount) == 28);
static_assert(offsetof(HostShapePrimitive, triangle) + offsetof(HostShapeTriangle, corners) == 40 &&
              sizeof(HostCoord2D) == 16); // so the corners stand at 40, 56 and 72
static_assert(offsetof(HostShapePrimitive, polygon) + offsetof(HostShapePolygon, coordinateCount) == 40 &&
              offsetof(HostShapePrimitive, polygon) + offsetof(HostShapePolygon, endCount) == 44 &&
              offsetof(HostShapePrimitive, polygon) + offsetof(HostShapePolygon, arcCount) == 48);
static_assert(offsetof(HostShapePrimitive, arc) + offsetof(HostShapeArc, clockwise) == 80);

// The fill of the polygons inside a fill bracket.
struct HostFillRecord {
    uint16_t fillIndex = 0;
    uint16_t fillPen = 0;
    uint16_t backgroundPen = 0;
    uint8_t contour = 0;
    uint8_t gradient = 0;
    uint8_t linear = 0;
    uint8_t reserved0[7] = {};
    HostCoord2D origin;        // a distorted fill's reference point
    double distortion[5] = {}; // a distorted fill's values, in the host's order
    uint8_t reserved1[8] = {};
    uint32_t distorted = 0; // not 0: the fill is distorted
    uint8_t reserved2[68] = {};
};
static_assert(sizeof(HostFillRecord) == 152 && offsetof(HostFillRecord, origin) == 16);
static_assert(offsetof(HostFillRecord, distortion) == 32 && offsetof(HostFillRecord, distorted) == 80);

// The module's callback, called once per primitive with up to three data blocks; a non-zero answer
// stops the drawing and is the host call's answer.
using ShapePrimitiveProc = GSErrCode (*)(const HostShapePrimitive* record, const void* first,
                                         const void* second, const void* third);
