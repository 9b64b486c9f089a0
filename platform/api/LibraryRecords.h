// The library manager's records: a library part as the search, get and register calls read and
// fill it, and one entry of the library folder list.
#pragma once

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
