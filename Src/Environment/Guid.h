// A 128-bit identifier of host objects and records; all zero is the empty identifier.
#pragma once

#include <cstdint>
#include <functional>

#include "Environment/String.h"
#include "platform/api/HostRecords.h"

namespace tarnwick {

class Guid {
public:
    Guid() = default;
    explicit Guid(const String& text) { assign(text); }
    explicit Guid(const API_Guid& guid) : m_high(guid.high()), m_low(guid.low()) {}
    Guid(uint64_t high, uint64_t low) : m_high(high), m_low(low) {}

    // Parses the text form; a text that is no identifier gives the empty Guid.
    Guid& assign(const String& text);
    Guid& generate(); // a new unique identifier, never empty
    void clear() { m_high = m_low = 0; }
    bool isValid() const { return m_high != 0 || m_low != 0; }
    uint32_t getHash() const;
    // The text form (8-4-4-4-12 hexadecimal; the empty Guid prints as zeros). The buffer takes
    // at least 37 bytes.
    char* getText(char* buffer) const;
    void getString(String& text) const { text = toString(); }
    String toString() const;

    API_Guid toAPI() const { return API_Guid::fromHalves(m_high, m_low); }
    uint64_t getHigh() const { return m_high; }
    uint64_t getLow() const { return m_low; }

    bool operator==(const Guid& other) const { return m_high == other.m_high && m_low == other.m_low; }
    bool operator<(const Guid& other) const;

private:
    uint64_t m_high = 0;
    uint64_t m_low = 0;
};

} // namespace tarnwick

template <> struct std::hash<tarnwick::Guid> {
    size_t operator()(const tarnwick::Guid& g) const { return g.getHash(); }
};
