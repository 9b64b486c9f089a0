// Records of the host's styled text: the paragraph record of a text memo with its tab and run
// records, the pen/font/size record of dimension texts, the text-line length query ("GTLL") and
// the text block's part of the element record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ElementRecords.h"
#include "HostTypes.h"

namespace GS {
class UniString;
}

// One tab stop of a paragraph.
struct HostTextTab {
    uint32_t word = 0;
    uint32_t reserved0 = 0;
    double position = 0.0;
    uint8_t reserved[24] = {};
};
static_assert(sizeof(HostTextTab) == 40);
static_assert(offsetof(HostTextTab, word) == 0 && offsetof(HostTextTab, position) == 8);

// One style run of a paragraph; from is relative to the paragraph's from.
struct HostTextRun {
    uint32_t from = 0;
    uint32_t range = 0;
    uint16_t pen = 0;
    uint16_t style = 0;
    uint16_t font = 0;
    uint16_t effects = 0;
    double size = 0.0; // millimetres
    uint8_t reserved[24] = {};
};
static_assert(sizeof(HostTextRun) == 48);
static_assert(offsetof(HostTextRun, from) == 0 && offsetof(HostTextRun, range) == 4);
static_assert(offsetof(HostTextRun, pen) == 8 && offsetof(HostTextRun, style) == 10);
static_assert(offsetof(HostTextRun, font) == 12 && offsetof(HostTextRun, effects) == 14);
static_assert(offsetof(HostTextRun, size) == 16 && offsetof(HostTextRun, reserved) == 24);

// One paragraph of a text memo. The pointers are host pointers (BMNewPtr) that the memo owns.
struct HostTextParagraph {
    uint32_t from = 0;  // the paragraph's first character
    uint32_t range = 0; // its characters
    uint32_t alignment = 0;
    uint32_t reserved0 = 0;
    double value2 = 0.0; // the ruler keeps the first two in the other order
    double value1 = 0.0;
    double value3 = 0.0;
    double value4 = 0.0;
    GSPtr tabs = nullptr;     // HostTextTab records
    GSPtr runs = nullptr;     // HostTextRun records
    GSPtr lineEnds = nullptr; // one u32 per line
    uint8_t reserved1[8] = {};
    uint64_t value5 = 0;
    uint64_t value6 = 0;
    uint8_t reserved2[16] = {};
};
static_assert(sizeof(HostTextParagraph) == 112);
static_assert(offsetof(HostTextParagraph, from) == 0 && offsetof(HostTextParagraph, range) == 4);
static_assert(offsetof(HostTextParagraph, alignment) == 8);
static_assert(offsetof(HostTextParagraph, value2) == 16 && offsetof(HostTextParagraph, value1) == 24);
static_assert(offsetof(HostTextParagraph, value3) == 32 && offsetof(HostTextParagraph, value4) == 40);
static_assert(offsetof(HostTextParagraph, tabs) == 48 && offsetof(HostTextParagraph, runs) == 56);
static_assert(offsetof(HostTextParagraph, lineEnds) == 64);
static_assert(offsetof(HostTextParagraph, value5) == 80 && offsetof(HostTextParagraph, value6) == 88);
static_assert(offsetof(HostTextParagraph, reserved2) == 96);

// The text style of a dimension text.
struct HostPenFontSize {
    uint32_t pen = 0;
    uint32_t font = 0;
    double size = 0.0; // millimetres
};
static_assert(sizeof(HostPenFontSize) == 16);
static_assert(offsetof(HostPenFontSize, pen) == 0 && offsetof(HostPenFontSize, font) == 4);
static_assert(offsetof(HostPenFontSize, size) == 8);

// The utility query "GTLL": the width of one line of text in a style; the answer is a double.
struct HostTextLengthQuery {
    int16_t mode = 0;
    uint8_t modeSet = 0; // mode != 0
    uint8_t reserved0 = 0;
    uint16_t font = 0;
    uint16_t style = 0;
    double slant = 0.0;
    double size = 0.0; // millimetres
    uint8_t reserved1[8] = {};
    const GS::UniString* text = nullptr;
};
static_assert(sizeof(HostTextLengthQuery) == 40);
static_assert(offsetof(HostTextLengthQuery, mode) == 0 && offsetof(HostTextLengthQuery, modeSet) == 2);
static_assert(offsetof(HostTextLengthQuery, font) == 4 && offsetof(HostTextLengthQuery, style) == 6);
static_assert(offsetof(HostTextLengthQuery, slant) == 8 && offsetof(HostTextLengthQuery, size) == 16);
static_assert(offsetof(HostTextLengthQuery, text) == 32);

// The text block's part of the element record (type 15): its style, placement and block size.
// The has-memo flag is the head's byte 76.
struct HostTextElement {
    HostElementHead head;
    uint16_t pen = 0;
    uint16_t style = 0;
    uint16_t font = 0;
    uint16_t reserved0 = 0;
    uint32_t anchor = 0; // the box point the location is: 0 the top left, 6 the bottom left, ...
    uint32_t justification = 0;
    double size = 0.0; // millimetres
    double spacing = 0.0;
    double angle = 0.0;
    uint8_t reserved1[40] = {};
    HostCoord2D location;
    double width = 0.0; // of the block, millimetres on paper
    double height = 0.0;
    uint8_t textFlag = 0;
    uint8_t severalStyles = 0; // the text has more than one style run
    uint8_t reserved2[2] = {};
    uint32_t lineCount = 0;
    uint8_t reserved3[48] = {};
};
static_assert(sizeof(HostTextElement) == 280);
static_assert(offsetof(HostTextElement, head) == 0 && offsetof(HostTextElement, pen) == 112);
static_assert(offsetof(HostTextElement, style) == 114 && offsetof(HostTextElement, font) == 116);
static_assert(offsetof(HostTextElement, anchor) == 120 && offsetof(HostTextElement, justification) == 124);
static_assert(offsetof(HostTextElement, size) == 128 && offsetof(HostTextElement, spacing) == 136);
static_assert(offsetof(HostTextElement, angle) == 144 && offsetof(HostTextElement, location) == 192);
static_assert(offsetof(HostTextElement, width) == 208 && offsetof(HostTextElement, height) == 216);
static_assert(offsetof(HostTextElement, textFlag) == 224 && offsetof(HostTextElement, severalStyles) == 225);
static_assert(offsetof(HostTextElement, lineCount) == 228);
static_assert(offsetof(HostElementHead, byte76) == 76);
