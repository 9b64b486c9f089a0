// Records of the host's labels (type 16): the arrow record that labels, dimensions and lines keep
// inside their element records, and the label's part of the element record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ElementRecords.h"
#include "HostTypes.h"

// An arrow head as element records hold it.
struct HostArrow {
    uint32_t kind = 0;
    uint8_t byte4 = 0; // kept by the host; the framework carries them
    uint8_t byte5 = 0;
    uint16_t pen = 0;
    double size = 0.0;
};
static_assert(sizeof(HostArrow) == 16 && offsetof(HostArrow, byte4) == 4 && offsetof(HostArrow, byte5) == 5);
static_assert(offsetof(HostArrow, pen) == 6 && offsetof(HostArrow, size) == 8);

// The two kinds of label, as the record's kind field holds them.
inline constexpr uint32_t LabelKindText = fourCC("TEXT");   // the text lives in the text memo
inline constexpr uint32_t LabelKindSymbol = fourCC("SYMB"); // a library part draws it

// Where a symbol label keeps flags in the text label's size field (only ever inside the record).
struct HostLabelSymbolFlags {
    uint8_t flag;
    uint8_t reserved0[3];
    uint8_t fixedSize; // A and B are sizes, not ratios of the part's own
    uint8_t reserved1[3];
};
static_assert(sizeof(HostLabelSymbolFlags) == 8 && offsetof(HostLabelSymbolFlags, fixedSize) == 4);

// The label's part of the element record: its first 552 bytes. The has-memo flag is the head's
// byte 76. Fields marked text or symbol mean something for that kind only; two places mean one
// thing for a text label and another for a symbol label.
struct HostLabelElement {
    HostElementHead head;
    uint16_t textPen = 0;
    uint16_t textStyle = 0;
    uint16_t textFont = 0;
    uint16_t reserved0 = 0;
    uint32_t textAnchor = 0;
    uint32_t textJustification = 0;
    union {
        double textSize = 0.0; // millimetres
        HostLabelSymbolFlags symbolFlags;
    };
    union {
        double textSpacing = 0.0;
        double symbolAngle;
    };
    double textAngle = 0.0;
    double symbolA = 0.0;
    double symbolB = 0.0;
    uint8_t reserved1[40] = {};
    double textWidth = 0.0; // millimetres
    double textHeight = 0.0;
    uint8_t reserved2[44] = {};
    uint32_t libIndex = 0; // the symbol label's part
    uint8_t reserved3[8] = {};
    HostCoord2D labelPoint;
    uint8_t reserved4[32] = {};
    uint32_t kind = 0; // LabelKindText or LabelKindSymbol
    uint8_t reserved5[30] = {};
    uint16_t symbolTextFont = 0;
    uint16_t symbolTextStyle = 0;
    uint16_t reserved6 = 0;
    double symbolTextSize = 0.0; // millimetres
    uint16_t reserved7 = 0;
    uint16_t pen8 = 0;
    uint8_t reserved8[4] = {};
    uint16_t pen = 0; // the leader's, and the symbol label's text pen
    uint16_t lineType = 0;
    uint8_t reserved9[20] = {};
    HostArrow arrow;
    uint32_t symbolTextAnchorThird = 0; // the anchor code divided by 3
    uint8_t reserved10[52] = {};
    HostCoord2D leader[3]; // the first is the label's reference point
    uint8_t reserved11[24] = {};
};
static_assert(sizeof(HostLabelElement) == 552 && sizeof(HostLabelElement) <= sizeof(API_Element));
static_assert(offsetof(HostLabelElement, textPen) == 112 && offsetof(HostLabelElement, textStyle) == 114);
static_assert(offsetof(HostLabelElement, textFont) == 116 && offsetof(HostLabelElement, textAnchor) == 120);
static_assert(offsetof(HostLabelElement, textJustification) == 124 &&
              offsetof(HostLabelElement, textSize) == 128);
static_assert(offsetof(HostLabelElement, symbolFlags) + offsetof(HostLabelSymbolFlags, fixedSize) == 132);
static_assert(offsetof(HostLabelElement, textSpacing) == 136 &&
              offsetof(HostLabelElement, symbolAngle) == 136);
static_assert(offsetof(HostLabelElement, textAngle) == 144 && offsetof(HostLabelElement, symbolA) == 152);
static_assert(offsetof(HostLabelElement, symbolB) == 160 && offsetof(HostLabelElement, textWidth) == 208);
static_assert(offsetof(HostLabelElement, textHeight) == 216 && offsetof(HostLabelElement, libIndex) == 268);
static_assert(offsetof(HostLabelElement, labelPoint) == 280 && offsetof(HostLabelElement, kind) == 328);
static_assert(offsetof(HostLabelElement, symbolTextFont) == 362 &&
              offsetof(HostLabelElement, symbolTextStyle) == 364);
static_assert(offsetof(HostLabelElement, symbolTextSize) == 368 && offsetof(HostLabelElement, pen8) == 378);
static_assert(offsetof(HostLabelElement, pen) == 384 && offsetof(HostLabelElement, lineType) == 386);
static_assert(offsetof(HostLabelElement, arrow) == 408 &&
              offsetof(HostLabelElement, arrow) + offsetof(HostArrow, pen) == 414);
static_assert(offsetof(HostLabelElement, arrow) + offsetof(HostArrow, size) == 416);
static_assert(offsetof(HostLabelElement, symbolTextAnchorThird) == 424 &&
              offsetof(HostLabelElement, leader) == 480);
