// Host records of the view kinds: a layout's sheet ("GLAY", "CLAY") and the marker of a section
// or elevation on the floor plan.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ElementRecords.h"

namespace GS {
template <class K, class V> class HashTable;
class UniString;
} // namespace GS

// Texts of a layout keyed by Guid. The host hands one out with a layout record (or none); the
// record's holder deletes it with the record. The host copies it when the record comes back and
// never keeps the pointer.
using HostLayoutTexts = GS::HashTable<API_Guid, GS::UniString>;

// "GLAY" (record, database Guid) reads a layout's or master layout's sheet; "CLAY" (record,
// database Guid) writes it. Paper sizes and margins in millimetres.
struct HostLayoutInfo {
    uint8_t reserved0[256] = {};
    double paperWidth = 0.0;
    double paperHeight = 0.0;
    double leftMargin = 0.0;
    double topMargin = 0.0;
    double rightMargin = 0.0;
    double bottomMargin = 0.0;
    char name[256] = {}; // 8-bit, NUL-terminated
    uint8_t nameFlag = 0;
    uint8_t reserved1 = 0;
    uint8_t flag562 = 0;
    uint8_t reserved2[5] = {};
    uint32_t value568 = 0;
    uint32_t value572 = 0;
    uint8_t reserved3[16] = {};
    HostLayoutTexts* texts = nullptr; // owned by the record's holder
    char16_t firstText[256] = {};
    char16_t secondText[256] = {};
    uint8_t flag1624 = 0;
    uint8_t flag1625 = 0;
    uint8_t reserved4[6] = {};
};
static_assert(sizeof(HostLayoutInfo) == 1632);
static_assert(offsetof(HostLayoutInfo, paperWidth) == 256 && offsetof(HostLayoutInfo, paperHeight) == 264);
static_assert(offsetof(HostLayoutInfo, leftMargin) == 272 && offsetof(HostLayoutInfo, topMargin) == 280);
static_assert(offsetof(HostLayoutInfo, rightMargin) == 288 && offsetof(HostLayoutInfo, bottomMargin) == 296);
static_assert(offsetof(HostLayoutInfo, name) == 304 && offsetof(HostLayoutInfo, nameFlag) == 560);
static_assert(offsetof(HostLayoutInfo, flag562) == 562 && offsetof(HostLayoutInfo, value568) == 568);
static_assert(offsetof(HostLayoutInfo, value572) == 572 && offsetof(HostLayoutInfo, texts) == 592);
static_assert(offsetof(HostLayoutInfo, firstText) == 600 && offsetof(HostLayoutInfo, secondText) == 1112);
static_assert(offsetof(HostLayoutInfo, flag1624) == 1624 && offsetof(HostLayoutInfo, flag1625) == 1625);

// The element record of a section (type 25) or elevation (type 33) marker: its first 1600 bytes.
struct HostCutPlaneMarker {
    HostElementHead head;
    uint8_t reserved0[8] = {};
    uint16_t markerPen = 0;
    uint8_t reserved1[46] = {};
    double elevation = 0.0;
    double rangeStart = 0.0; // the marker's extent runs from here to rangeEnd
    double rangeEnd = 0.0;
    uint16_t lineCounts[3] = {}; // points of the memo's three section lines
    uint8_t reserved2[1050] = {};
    API_Guid targetGuid; // an element of the marker's own database
    uint8_t reserved3[72] = {};
    API_Guid viewGuid; // the database Guid of the section or elevation the marker shows
    uint8_t reserved4[248] = {};
};
static_assert(sizeof(HostCutPlaneMarker) == 1600 && sizeof(HostCutPlaneMarker) <= sizeof(API_Element));
static_assert(offsetof(HostCutPlaneMarker, markerPen) == 120 &&
              offsetof(HostCutPlaneMarker, elevation) == 168);
static_assert(offsetof(HostCutPlaneMarker, lineCounts) == 192);
static_assert(offsetof(HostCutPlaneMarker, targetGuid) == 1248 &&
              offsetof(HostCutPlaneMarker, viewGuid) == 1336);
