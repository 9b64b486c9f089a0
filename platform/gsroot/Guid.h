// The host's Guid library.
#pragma once

#include <string>

#include "platform/api/HostRecords.h"

namespace GS {

class HOSTLIB_API Guid {
public:
    Guid() = default;
    explicit Guid(const API_Guid& guid) : m_guid(guid) {}

    // Parses 8-4-4-4-12 hexadecimal text, braces allowed; answers false and leaves the Guid
    // null on anything else.
    bool ConvertFromString(const char* text);
    std::string ConvertToString() const; // upper case, 8-4-4-4-12
    void Generate();                     // a random (version 4) Guid, never null
    uint32_t GetHashValue() const;
    int Compare(const Guid& other) const; // -1, 0 or 1
    bool IsNull() const { return m_guid.isNull(); }
    void Clear() { m_guid = API_Guid(); }
    const API_Guid& ToAPI() const { return m_guid; }

    bool operator==(const Guid& other) const { return Compare(other) == 0; }
    bool operator<(const Guid& other) const { return Compare(other) < 0; }

private:
    API_Guid m_guid;
};

HOSTLIB_API uint32_t GuidHash(const API_Guid& guid);

} // namespace GS

struct API_GuidHash {
    size_t operator()(const API_Guid& guid) const { return GS::GuidHash(guid); }
};
