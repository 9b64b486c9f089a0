// Host records that cross the function table, as plain structs with named fields.
// Where the size and offsets are known they are checked below.
#pragma once

#include <cstddef>

#include "HostTypes.h"

// The host's 128-bit identifier, as four 32-bit words (most significant first) so that records
// can hold it at any 4-byte offset.
struct API_Guid {
    uint32_t words[4] = {0, 0, 0, 0};

    static API_Guid fromHalves(uint64_t high, uint64_t low) {
        return API_Guid{{uint32_t(high >> 32), uint32_t(high), uint32_t(low >> 32), uint32_t(low)}};
    }
    uint64_t high() const { return (uint64_t(words[0]) << 32) | words[1]; } // first 16 hex digits
    uint64_t low() const { return (uint64_t(words[2]) << 32) | words[3]; }  // last 16
    bool isNull() const { return (words[0] | words[1] | words[2] | words[3]) == 0; }
    bool operator==(const API_Guid&) const = default;
};
static_assert(sizeof(API_Guid) == 16 && alignof(API_Guid) == 4);

struct HostCoord2D {
    double x = 0.0;
    double y = 0.0;
};
static_assert(sizeof(HostCoord2D) == 16);

struct HostCoord3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
static_assert(sizeof(HostCoord3D) == 24);

struct HostBox2D {
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
};
static_assert(sizeof(HostBox2D) == 32);

struct HostBox3D {
    double xMin = 0.0;
    double yMin = 0.0;
    double zMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    double zMax = 0.0;
};
static_assert(sizeof(HostBox3D) == 48);

// A point of a view's drawing area in host pixels ("PTOC", "CTOP"): from the area's top-left
// corner, h to the right and v downwards (model y grows upwards).
struct HostPixelPoint {
    int32_t h = 0;
    int32_t v = 0;
};
static_assert(sizeof(HostPixelPoint) == 8);

// A colour of four components in 0..1 ("HGEL" highlights).
struct HostRGBA {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;
};
static_assert(sizeof(HostRGBA) == 32);

// The record of the automation call "RBLD".
struct HostRebuildRecord {
    uint8_t flag = 0;
    uint8_t reserved[7] = {};
};
static_assert(sizeof(HostRebuildRecord) == 8);

// Add-on user data of elements and attributes: one layout for both.
struct HostUserData {
    int16_t version = 0;
    uint16_t platformSign = 0; // 0x5757 written here, 0x4D4D for data from the other platform
    uint32_t flags = 0;
    uint8_t reserved[8] = {};
    GSHandle dataHandle = nullptr;
};
static_assert(sizeof(HostUserData) == 24);
static_assert(offsetof(HostUserData, platformSign) == 2);
static_assert(offsetof(HostUserData, flags) == 4);
static_assert(offsetof(HostUserData, dataHandle) == 16);

// The host's element edit transformation.
struct HostEditTransformation {
    uint32_t kind = 0; // four-character code of the edit
    uint32_t flags = 0;
    HostCoord3D origin;
    HostCoord3D target;
    double angle = 0.0;
    double scale = 1.0;
    double matrix[9] = {}; // the linear part, row by row
    uint8_t reserved[8] = {};
};
static_assert(sizeof(HostEditTransformation) == 152);
