// The library manager's records: a library part as the search, get and register calls read and
// fill it, and one entry of the library folder list.
#pragma once

#include <cstddef>

#include "HostTypes.h"
#include "platform/gsroot/UniString.h"
#include "platform/io/Location.h"

// Library-part type codes.
enum HostLibPartType : uint32_t {
    LibPartNone = 0,
    LibPartWindow = 2,
    LibPartDoor = 3,
    LibPartObject = 4,
    LibPartLamp = 5,
    LibPartZone = 6,
    LibPartProperty = 7,
    LibPartLabel = 9,
    LibPartMacro = 10,
    LibPartPicture = 11,
    LibPartSkylight = 13,
};

// A unique id: two braced Guids joined by a hyphen, NUL-terminated.
inline constexpr size_t HostUnIdBytes = 128;

// Always zero-filled before a call. A location the host places in the record belongs to the
// caller, who deletes it after the call; one the caller places stays the caller's.
struct HostLibPart {
    uint32_t typeCode = 0;
    uint32_t index = 0; // 1-based; 0 for none, and where a parent search starts after
    char16_t documentName[256] = {};
    char16_t fileName[256] = {};
    uint8_t missing = 0; // the part's file is not in the loaded libraries
    uint8_t flag1 = 0;
    uint8_t flag2 = 0;
    uint8_t reserved0 = 0;
    int32_t ownerId = 0;
    uint16_t version = 0; // filled by the host when a part is made or updated
    uint8_t reserved1[6] = {};
    IO::Location* location = nullptr;
    char ownUnId[HostUnIdBytes] = {};
    char parentUnId[HostUnIdBytes] = {};
};

// One loaded library folder; the flags and texts are the host's and are left empty by the module.
struct HostLibraryFolder {
    IO::Location location;
    uint32_t flags1 = 0;
    uint32_t flags2 = 0;
    GS::UniString texts[3];
};

// One section of a library part as the section calls name it: its four-character code (a script,
// the parameter section "PARD", a preview picture, ...) and the host's sub-identifier.
struct HostLibPartSection {
    uint32_t code = 0;
    uint32_t subIdent = 0;
    uint8_t reserved[8] = {};
};
static_assert(sizeof(HostLibPartSection) == 16);

// The details of a library part; the module reads and writes only two flag bytes.
struct HostLibPartDetails {
    uint8_t firstDetail = 0;
    uint8_t reserved0 = 0;
    uint8_t thirdDetail = 0;
    uint8_t reserved1[3197] = {};
};
static_assert(sizeof(HostLibPartDetails) == 3200 && offsetof(HostLibPartDetails, thirdDetail) == 2);

// The parameter section "PARD" as the host builds it: this header, then `count` additional-parameter
// records whose handle fields are 0, each array's values following its record as a 32-bit byte
// count and that many bytes.
struct HostParamSectionHeader {
    uint32_t signature = 0x50415244; // "PARD"
    uint32_t count = 0;
    double a = 0.0;
    double b = 0.0;
    uint8_t firstDetail = 0; // taken from the details when the section is set up
    uint8_t thirdDetail = 0;
    uint8_t reserved[6] = {};
};
static_assert(sizeof(HostParamSectionHeader) == 32 && offsetof(HostParamSectionHeader, firstDetail) == 24);

// "CMPI": image data converted into the file type of a MIME type. The result is a new handle the
// caller frees.
struct HostImageConversion {
    GSHandle source = nullptr;
    const char* targetMime = nullptr; // NUL-terminated, e.g. "image/png"
    int32_t setting1 = 0;
    int32_t setting2 = 0;
    GSHandle result = nullptr;
};
