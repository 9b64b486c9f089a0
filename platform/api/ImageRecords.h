// The parts of the element record placed pictures (type 31) and placed drawings (type 30) use, and
// the drawing-link record of a placed drawing.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

struct HostImageElement {
    HostElementHead head;
    uint8_t reserved0[16] = {};
    double xMin = 0.0; // the picture's box
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    uint8_t reserved1[36] = {};
    uint32_t word196 = 0; // the host's; 4 in the defaults
    uint8_t reserved2[672] = {};
};
static_assert(sizeof(HostImageElement) == 872);
static_assert(offsetof(HostImageElement, xMin) == 128 && offsetof(HostImageElement, yMax) == 152);
static_assert(offsetof(HostImageElement, word196) == 196);

// A placed drawing (type 30): the view it shows, its custom texts, box and reference point, and
// the counts of its polygon in the memo.
struct HostPlacedDrawing {
    HostElementHead head;
    char firstText[256] = {}; // 8-bit, used when its mode is 2
    uint32_t firstTextMode = 0;
    uint32_t secondTextMode = 0;
    char secondText[256] = {};
    uint8_t reserved0[1] = {};
    uint8_t flag = 0;
    uint8_t reserved1[14] = {};
    double word648 = 0.0; // the host's; 1.0 in the defaults
    uint8_t reserved2[24] = {};
    uint32_t word680 = 0; // the host's; 4 in the defaults
    uint8_t reserved3[18] = {};
    uint16_t pen = 0;
    uint8_t reserved4[8] = {};
    uint32_t libraryIndex = 0;
    uint8_t reserved5[52] = {};
    HostBox2D box;
    HostCoord2D reference;
    uint32_t coordinateCount = 0;
    uint32_t endCount = 0;
    uint32_t arcCount = 0;
    uint8_t reserved6[12] = {};
    uint8_t reserved7[8] = {};
    API_Guid drawingGuid;
    HostCoord2D secondPoint;
    uint8_t reserved8[40] = {};
};
static_assert(sizeof(HostPlacedDrawing) == 920);
static_assert(offsetof(HostPlacedDrawing, firstText) == 112 &&
              offsetof(HostPlacedDrawing, firstTextMode) == 368);
static_assert(offsetof(HostPlacedDrawing, secondTextMode) == 372 &&
              offsetof(HostPlacedDrawing, secondText) == 376);
static_assert(offsetof(HostPlacedDrawing, flag) == 633 && offsetof(HostPlacedDrawing, word648) == 648);
static_assert(offsetof(HostPlacedDrawing, word680) == 680 && offsetof(HostPlacedDrawing, pen) == 702);
static_assert(offsetof(HostPlacedDrawing, libraryIndex) == 712 && offsetof(HostPlacedDrawing, box) == 768);
static_assert(offsetof(HostPlacedDrawing, reference) == 800 &&
              offsetof(HostPlacedDrawing, coordinateCount) == 816);
static_assert(offsetof(HostPlacedDrawing, drawingGuid) == 848 &&
              offsetof(HostPlacedDrawing, secondPoint) == 864);

// What "GDLN" answers of a placed drawing: the kind of view it shows and that view's Guid.
struct HostDrawingLink {
    uint32_t type = 0;
    uint8_t reserved0[4] = {};
    API_Guid guid;
    uint8_t reserved1[560] = {};
};
static_assert(sizeof(HostDrawingLink) == 584 && offsetof(HostDrawingLink, guid) == 8);
