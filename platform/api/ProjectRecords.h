// Records of the host's project environment calls ("PROJ", "GPRN", "GPRF", "GPLA"/"CPLA",
// "SHAR") and of its storeys ("GSTO", "CSTO"). Fields the module does not read are reserved.
#pragma once

#include <cstddef>

#include "HostRecords.h"

namespace IO {
class Location;
}

// "PROJ": the project's file. The host makes the location objects; the caller deletes every one
// that is not null.
struct HostProjectInfo {
    uint8_t untitled = 0;
    uint8_t shared = 0;
    uint8_t reserved0[6] = {};
    IO::Location* location = nullptr;       // the project file
    IO::Location* sharedLocation = nullptr; // the shared project's server copy
    uint8_t reserved1[8] = {};
    IO::Location* backupLocation = nullptr;
    IO::Location* temporaryLocation = nullptr;
};
static_assert(sizeof(HostProjectInfo) == 48);
static_assert(offsetof(HostProjectInfo, location) == 8 && offsetof(HostProjectInfo, sharedLocation) == 16);
static_assert(offsetof(HostProjectInfo, backupLocation) == 32 &&
              offsetof(HostProjectInfo, temporaryLocation) == 40);

// "GPRN": the project's texts, 8-bit, at most 255 bytes and a NUL each.
struct HostProjectTexts {
    char reserved0[256] = {};
    char name[256] = {};
    char reserved1[512] = {};
    char cityName[256] = {};
    char reserved2[256] = {};
    char text1536[256] = {};
    char text1792[256] = {};
    char reserved3[2048] = {};
};
static_assert(sizeof(HostProjectTexts) == 4096);
static_assert(offsetof(HostProjectTexts, name) == 256 && offsetof(HostProjectTexts, cityName) == 1024);
static_assert(offsetof(HostProjectTexts, text1536) == 1536 && offsetof(HostProjectTexts, text1792) == 1792);

// "GPRF": the working units; a length unit below 4 is metric.
struct HostWorkingUnits {
    uint32_t lengthUnit = 0;
    uint8_t reserved[72] = {};
};
static_assert(sizeof(HostWorkingUnits) == 76);

// "GPRF" with sub-code 5: the unit preferences.
struct HostUnitPreferences {
    uint32_t first = 0;
    uint32_t unitPreference = 0;
    uint8_t reserved[64] = {};
};
static_assert(sizeof(HostUnitPreferences) == 72);
inline constexpr int32_t UnitPreferencesSubCode = 5;

// "GPLA"/"CPLA": the project's location. The first two angles name the city (see findCity).
struct HostPlaceInfo {
    uint8_t reserved0[16] = {};
    double longitude = 0.0; // compared with a city's second angle
    double latitude = 0.0;  // compared with a city's first angle
    double altitude = 0.0;
    double northAngle = 0.0; // the location angle
    uint8_t reserved1[28] = {};
    uint16_t timeZone = 0;
    uint8_t reserved2[10] = {};
};
static_assert(sizeof(HostPlaceInfo) == 88);
static_assert(offsetof(HostPlaceInfo, longitude) == 16 && offsetof(HostPlaceInfo, latitude) == 24);
static_assert(offsetof(HostPlaceInfo, northAngle) == 40 && offsetof(HostPlaceInfo, timeZone) == 76);

// "SHAR": the users of a shared project; the caller frees the handle of HostSharedUser records.
struct HostSharedUsers {
    int32_t count = 0;
    uint8_t reserved0[4] = {};
    GSHandle users = nullptr;
    uint8_t reserved1[32] = {};
};
static_assert(sizeof(HostSharedUsers) == 48 && offsetof(HostSharedUsers, users) == 8);

struct HostSharedUser {
    char16_t fullName[256] = {};  // the User's second text
    char16_t loginName[256] = {}; // the User's name
    API_Guid guid;
    uint16_t userId = 0;
    uint16_t secondWord = 0;
    uint8_t reserved[28] = {};
};
static_assert(sizeof(HostSharedUser) == 1072);
static_assert(offsetof(HostSharedUser, loginName) == 512 && offsetof(HostSharedUser, guid) == 1024);
static_assert(offsetof(HostSharedUser, userId) == 1040 && offsetof(HostSharedUser, secondWord) == 1042);

// "GSTO": the storeys. The handle holds HostStoreyEntry records in order; the last one only closes
// the top storey (its level is the top storey's ceiling). The third argument of the call is
// StoreyInfoFlags.
struct HostStoreyInfo {
    uint8_t reserved0[4] = {};
    uint16_t currentStorey = 0;
    uint8_t reserved1[2] = {};
    GSHandle storeys = nullptr;
    uint8_t reserved2[136] = {};
};
static_assert(sizeof(HostStoreyInfo) == 152);
static_assert(offsetof(HostStoreyInfo, currentStorey) == 4 && offsetof(HostStoreyInfo, storeys) == 8);
inline constexpr uintptr_t StoreyInfoFlags = 0x10000000;

struct HostStoreyEntry {
    int16_t index = 0;
    int16_t floorNumber = 0;
    uint8_t reserved0[4] = {};
    double level = 0.0;
    char16_t name[256] = {};
    uint8_t flag = 0;
    uint8_t reserved1[15] = {};
};
static_assert(sizeof(HostStoreyEntry) == 544 && offsetof(HostStoreyEntry, level) == 8);

// "CSTO": makes a storey current.
struct HostStoreyCommand {
    uint8_t reserved0[4] = {};
    uint16_t index = 0;
    uint8_t reserved1 = 0;
    uint8_t keepView = 0; // 1 when the caller's flag is false
    uint8_t reserved2[544] = {};
};
static_assert(sizeof(HostStoreyCommand) == 552);
static_assert(offsetof(HostStoreyCommand, index) == 4 && offsetof(HostStoreyCommand, keepView) == 7);
