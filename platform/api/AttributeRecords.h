// Records of the host's attributes: the 296-byte header every attribute record starts with, the
// kinds' own fields, the 1376-byte record the attribute calls take, and the 224-byte definition
// extension ("attribute memo").
#pragma once

#include <cstddef>

#include "HostRecords.h"

namespace GS {
class UniString;
}
namespace IO {
class Location;
}

enum HostAttributeType : uint8_t {
    AttrNone = 0,
    AttrPen = 1,
    AttrLayer = 2,
    AttrLineType = 3,
    AttrFill = 4,
    AttrComposite = 5,
    AttrSurface = 6,
    AttrCity = 7,
    AttrLayerCombination = 8,
    AttrZoneCategory = 9,
    AttrFont = 10,
    AttrProfile = 11,
    AttrBuildingMaterial = 17,
    AttrLastType = 18, // counts run over types 1 to 18
};

struct HostAttributeHeader {
    uint32_t typeCode = 0;
    int16_t index = 0;
    uint16_t flags = 0;
    char name[256] = {}; // 8-bit, NUL-terminated
    uint64_t modificationTime = 0;
    GS::UniString* uniName = nullptr; // not used by the module
    API_Guid guid;
};
static_assert(sizeof(HostAttributeHeader) == 296);
static_assert(offsetof(HostAttributeHeader, index) == 4 && offsetof(HostAttributeHeader, flags) == 6);
static_assert(offsetof(HostAttributeHeader, name) == 8 && offsetof(HostAttributeHeader, guid) == 280);

// Layer flags in the header.
enum HostLayerFlags : uint16_t {
    LayerHidden = 0x0001,
    LayerLocked = 0x0002,
    LayerNotInWorkspace = 0x0004,
    LayerFlag0010 = 0x0010,
};

struct HostPen {
    HostAttributeHeader header;
    double red = 0.0, green = 0.0, blue = 0.0;
    double width = 0.0;
    uint8_t reserved[128] = {};
};
static_assert(sizeof(HostPen) == 456 && offsetof(HostPen, red) == 296 && offsetof(HostPen, width) == 320);

struct HostLayer {
    HostAttributeHeader header;
    uint32_t connectionClass = 0;
    uint8_t reserved[4] = {};
};
static_assert(sizeof(HostLayer) == 304 && offsetof(HostLayer, connectionClass) == 296);

struct HostLineType {
    HostAttributeHeader header;
    uint8_t body[32] = {};
};
static_assert(sizeof(HostLineType) == 328);

struct HostFill {
    HostAttributeHeader header;
    uint8_t body[672] = {};
};
static_assert(sizeof(HostFill) == 968);

struct HostComposite {
    HostAttributeHeader header;
    uint8_t body[16] = {};
};
static_assert(sizeof(HostComposite) == 312);

struct HostSurface {
    HostAttributeHeader header;
    uint8_t reserved0[4] = {};
    uint32_t surfaceType = 0;
    int16_t reflections[7] = {};
    uint8_t reserved1[2] = {};
    double ambientColour[3] = {};
    double diffuseColour[3] = {};
    double specularColour[3] = {};
    uint8_t reserved2[8] = {};
    int16_t textureFlags = 0; // bits 10, 11, 12
    uint8_t textureByte = 0;
    uint8_t reserved3[5] = {};
    double textureValues[3] = {};
    uint8_t reserved4[8] = {};
    char16_t textureName[256] = {};
    IO::Location* textureLocation = nullptr; // made by the host; the caller deletes it
    uint8_t reserved5[8] = {};
};
static_assert(sizeof(HostSurface) == 968 && offsetof(HostSurface, surfaceType) == 300);
static_assert(offsetof(HostSurface, reflections) == 304 && offsetof(HostSurface, ambientColour) == 320);
static_assert(offsetof(HostSurface, diffuseColour) == 344 && offsetof(HostSurface, specularColour) == 368);
static_assert(offsetof(HostSurface, textureFlags) == 400 && offsetof(HostSurface, textureByte) == 402);
static_assert(offsetof(HostSurface, textureValues) == 408 && offsetof(HostSurface, textureName) == 440);
static_assert(offsetof(HostSurface, textureLocation) == 952);

struct HostCity {
    HostAttributeHeader header;
    int16_t firstAngleMinutes = 0;
    int16_t secondAngleMinutes = 0;
    uint16_t word300 = 0;
    uint8_t reserved[2] = {};
};
static_assert(sizeof(HostCity) == 304 && offsetof(HostCity, firstAngleMinutes) == 296);
static_assert(offsetof(HostCity, secondAngleMinutes) == 298 && offsetof(HostCity, word300) == 300);

struct HostLayerCombination {
    HostAttributeHeader header;
    uint16_t entryCount = 0;
    uint8_t byte298 = 0;
    uint8_t reserved[5] = {};
};
static_assert(sizeof(HostLayerCombination) == 304 && offsetof(HostLayerCombination, byte298) == 298);

struct HostZoneCategory {
    HostAttributeHeader header;
    char16_t code[256] = {};
    char16_t stampName[272] = {};
    double red = 0.0, green = 0.0, blue = 0.0;
};
static_assert(sizeof(HostZoneCategory) == 1376 && offsetof(HostZoneCategory, code) == 296);
static_assert(offsetof(HostZoneCategory, stampName) == 808 && offsetof(HostZoneCategory, red) == 1352);

struct HostFont {
    HostAttributeHeader header;
    uint8_t body[16] = {};
};
static_assert(sizeof(HostFont) == 312);

struct HostProfile {
    HostAttributeHeader header;
    uint8_t useFlags[3] = {}; // bytes 296-298
    uint8_t reserved[37] = {};
};
static_assert(sizeof(HostProfile) == 336);

struct HostBuildingMaterial {
    HostAttributeHeader header;
    uint8_t reserved0[28] = {};
    int16_t fill = 0;
    int16_t fillPen = 0;
    int16_t backgroundPen = 0;
    int16_t surface = 0;
    uint8_t reserved1[4] = {};
    double values[3] = {};
    uint8_t reserved2[24] = {};
};
static_assert(sizeof(HostBuildingMaterial) == 384 && offsetof(HostBuildingMaterial, fill) == 324);
static_assert(offsetof(HostBuildingMaterial, surface) == 330 &&
              offsetof(HostBuildingMaterial, values) == 336);

// The record of the attribute calls: the header and the kind's own fields.
union API_Attribute {
    HostAttributeHeader header;
    HostPen pen;
    HostLayer layer;
    HostLineType lineType;
    HostFill fill;
    HostComposite composite;
    HostSurface surface;
    HostCity city;
    HostLayerCombination layerCombination;
    HostZoneCategory zoneCategory;
    HostFont font;
    HostProfile profile;
    HostBuildingMaterial material;
    uint8_t raw[1376];
    API_Attribute() : raw{} {}
};
static_assert(sizeof(API_Attribute) == 1376);

// The host's layer status record, as layer combinations keep it.
struct HostLayerStatus {
    int16_t index = 0;
    uint16_t flags = 0;
    int32_t connectionClass = 0;
};
static_assert(sizeof(HostLayerStatus) == 8);

// The attribute definition extension. The caller owns the handles the host puts in it and frees
// them with the host's dispose call.
struct HostAttributeMemo {
    GSHandle field0 = nullptr;
    GSHandle field8 = nullptr;
    GSHandle field16 = nullptr;
    GSHandle field24 = nullptr;
    GSHandle reserved0[7] = {};
    GSHandle coreList = nullptr;    // composites: the cores
    GSHandle edgeList = nullptr;    // composites: the edges
    GSHandle layerStatus = nullptr; // layer combinations: HostLayerStatus records
    GSHandle parameters = nullptr;  // zone categories: the stamp's parameters
    GSHandle reserved1[13] = {};
};
static_assert(sizeof(HostAttributeMemo) == 224 && offsetof(HostAttributeMemo, coreList) == 88);
static_assert(offsetof(HostAttributeMemo, layerStatus) == 104 &&
              offsetof(HostAttributeMemo, parameters) == 112);
