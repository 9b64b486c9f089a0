#include "Environment/LegacyBinaryIn.h"

#include <bit>
#include <string>

#include "Environment/DataBufferIn.h"

namespace tarnwick {

LegacyBinaryIn::LegacyBinaryIn(DataBufferIn& input, int byteOrder) : m_input(input) {
    setByteOrder(byteOrder);
}

void LegacyBinaryIn::setByteOrder(int byteOrder) {
    if (byteOrder != BigEndian && byteOrder != LittleEndian) {
        m_failed = true;
        return;
    }
    m_byteOrder = byteOrder;
}

bool LegacyBinaryIn::atEnd() const {
    return m_input.atEnd();
}

bool LegacyBinaryIn::readBytes(unsigned char* out, size_t count) {
    if (m_failed) return false;
    if (m_input.read(out, count) != count) m_failed = true;
    return !m_failed;
}

uint64_t LegacyBinaryIn::readUnsigned(size_t count) {
    unsigned char bytes[8] = {};
    if (!readBytes(bytes, count)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t index = m_byteOrder == BigEndian ? i : count - 1 - i;
        value = (value << 8) | bytes[index];
    }
    return value;
}

String LegacyBinaryIn::readCString() {
    if (m_failed) return String();
    std::string bytes;
    for (;;) {
        int c = m_input.get();
        if (c == 0) break;
        if (c < 0 || bytes.size() == MaxCStringBytes) {
            m_failed = true;
            return String();
        }
        bytes += static_cast<char>(c);
    }
    return String(std::move(bytes));
}

int32_t LegacyBinaryIn::readInt32() {
    return static_cast<int32_t>(static_cast<uint32_t>(readUnsigned(4)));
}

double LegacyBinaryIn::readDouble() {
    return std::bit_cast<double>(readUnsigned(8));
}

bool LegacyBinaryIn::readBool() {
    unsigned char byte = 0;
    return readBytes(&byte, 1) && byte != 0;
}

} // namespace tarnwick
