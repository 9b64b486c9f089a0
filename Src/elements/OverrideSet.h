// What construction elements override of their attributes: two attribute indices with three flag
// bytes (the host's longer override record) and a third index with a flag (its shorter extension).
#pragma once

#include <cstdint>

#include "platform/api/ElementRecords.h"

namespace tarnwick {

class OverrideSet {
public:
    // e0 = 1, e1 = e2 = x; c, d and the flag 0.
    explicit OverrideSet(uint16_t a = 0, uint16_t b = 0, uint8_t x = 0) : m_a(a), m_b(b), m_e{1, x, x} {}

    static OverrideSet fromHost(const HostOverrideRecord& record, const HostOverrideExtension& extension);
    // Each zeroes the record and writes the set's fields into it.
    void toHost8(HostOverrideRecord& record) const;
    void toHost4(HostOverrideExtension& extension) const;

    // The part that depends on the storey: c, d and the flag become 0.
    void clearStoreyPart() {
        m_c = 0;
        m_d = 0;
        m_flag = 0;
    }

    uint16_t getA() const { return m_a; }
    uint16_t getB() const { return m_b; }
    uint16_t getC() const { return m_c; }
    uint8_t getD() const { return m_d; }
    uint8_t getFlag() const { return m_flag; }
    uint8_t getE(int index) const { return m_e[index]; }
    void setA(uint16_t a) { m_a = a; }
    void setB(uint16_t b) { m_b = b; }
    void setC(uint16_t c) { m_c = c; }
    void setD(uint8_t d) { m_d = d; }
    void setFlag(uint8_t flag) { m_flag = flag; }
    void setE(int index, uint8_t value) { m_e[index] = value; }

    bool operator==(const OverrideSet& other) const;
    bool operator!=(const OverrideSet& other) const { return !(*this == other); }

private:
    uint16_t m_a;
    uint16_t m_b;
    uint16_t m_c = 0;
    uint8_t m_d = 0;
    uint8_t m_flag = 0;
    uint8_t m_e[3];
};

} // namespace tarnwick
