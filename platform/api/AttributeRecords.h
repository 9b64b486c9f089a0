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
    // Hundredths, except shininess (1/10000) and the attenuations (1/400, 1/65535).
    int16_t ambientReflection = 0;
    int16_t diffuseReflection = 0;
    int16_t specularReflection = 0;
    int16_t transparency = 0;
    int16_t shininess = 0;
    int16_t transparencyAttenuation = 0;
    int16_t emissionAttenuation = 0;
    uint8_t reserved1[2] = {};
    double surfaceColour[3] = {};
    double specularColour[3] = {};
    double emissionColour[3] = {};
    uint8_t reserved2[8] = {};
    int16_t textureFlags = 0; // HostSurfaceTextureFlags
    uint8_t textureMissing = 0;
    uint8_t reserved3[5] = {};
    double textureXSize = 0.0;
    double textureYSize = 0.0;
    double textureRotation = 0.0;
    uint8_t reserved4[8] = {};
    char16_t textureName[256] = {};
    IO::Location* textureLocation = nullptr; // made by the host; the caller deletes it
    uint8_t reserved5[8] = {};
};
enum HostSurfaceTextureFlags : int16_t {
    SurfaceTextureMirroredX = 0x0400,
    SurfaceTextureMirroredY = 0x0800,
    SurfaceHasTexture = 0x1000,
};
static_assert(sizeof(HostSurface) == 968 && offsetof(HostSurface, surfaceType) == 300);
static_assert(offsetof(HostSurface, ambientReflection) == 304 && offsetof(HostSurface, shininess) == 312);
static_assert(offsetof(HostSurface, emissionAttenuation) == 316 &&
              offsetof(HostSurface, surfaceColour) == 320);
static_assert(offsetof(HostSurface, specularColour) == 344 && offsetof(HostSurface, emissionColour) == 368);
static_assert(offsetof(HostSurface, textureFlags) == 400 && offsetof(HostSurface, textureMissing) == 402);
static_assert(offsetof(HostSurface, textureXSize) == 408 && offsetof(HostSurface, textureRotation) == 424);
static_assert(offsetof(HostSurface, textureName) == 440);
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
    uint8_t wallUse = 0;
    uint8_t beamUse = 0;
    uint8_t columnUse = 0;
    uint8_t reserved[37] = {};
};
static_assert(sizeof(HostProfile) == 336 && offsetof(HostProfile, wallUse) == 296);
static_assert(offsetof(HostProfile, columnUse) == 298);

struct HostBuildingMaterial {
    HostAttributeHeader header;
    uint8_t reserved0[28] = {};
    int16_t fill = 0;
    int16_t fillPen = 0;
    int16_t backgroundPen = 0;
    int16_t surface = 0;
    uint8_t reserved1[4] = {};
    double values[3] = {}; // the host's; carried as they are
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
