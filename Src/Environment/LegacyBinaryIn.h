// Reads the values of old binary files from a DataBufferIn, in either byte order. A read that
// cannot complete (truncated input, an over-long text, an unknown byte order) fails, and the
// failure sticks: every later read does nothing and answers 0, false or an empty text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Environment/String.h"

namespace tarnwick {

class DataBufferIn;

class LegacyBinaryIn {
public:
    static constexpr int BigEndian = 1;
    static constexpr int LittleEndian = 2;
    // The longest text readCString accepts, the NUL not counted; longer ones fail the stream,
    // so that a missing terminator cannot make it read the whole input into memory.
    static constexpr size_t MaxCStringBytes = 65535;

    explicit LegacyBinaryIn(DataBufferIn& input, int byteOrder = LittleEndian);

    // An order other than BigEndian or LittleEndian fails the stream.
    void setByteOrder(int byteOrder);
    int getByteOrder() const { return m_byteOrder; }

    String readCString(); // the bytes up to a NUL, which is taken but not kept
    int32_t readInt32();
    double readDouble(); // 64-bit IEEE
    bool readBool();     // one byte, non-zero is true

    bool hasFailed() const { return m_failed; }
    bool atEnd() const; // no byte left in the input
    bool isGood() const { return !m_failed; }

private:
    [[nodiscard]] bool readBytes(unsigned char* out,
                                 size_t count); // in file order; fails the stream when short
    uint64_t readUnsigned(size_t count);

    DataBufferIn& m_input;
    int m_byteOrder = LittleEndian;
    bool m_failed = false;
};

} // namespace tarnwick
