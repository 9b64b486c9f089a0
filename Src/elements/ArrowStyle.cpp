#include "elements/ArrowStyle.h"

#include <stdexcept>

namespace tarnwick {

namespace {
Pen penAt(uint16_t index) {
    return Pen(AttributeLink(static_cast<int16_t>(index), AttrPen));
}
} // namespace

ArrowStyle::ArrowStyle(uint32_t kind) : Attribute(AttributeLink(), 0) {
    reset();
    m_kind = kind;
}

ArrowStyle::ArrowStyle(const HostArrow& record) : Attribute(AttributeLink(), 0) {
    reset();
    m_kind = record.kind;
    m_pen = penAt(record.pen);
    m_size = record.size;
    m_extra[1] = record.byte4;
    m_extra[2] = record.byte5;
}

ArrowStyle::ArrowStyle(const ArrowStyle& other) = default;

ArrowStyle& ArrowStyle::operator=(const ArrowStyle& other) {
    if (this == &other) return *this;
    Attribute::operator=(other);
    m_record = other.m_record;
    m_kind = other.m_kind;
    m_pen = other.m_pen;
    m_size = other.m_size;
    m_word = other.m_word;
    for (size_t i = 0; i < sizeof m_extra; ++i)
        m_extra[i] = other.m_extra[i];
    return *this;
}

void ArrowStyle::reset() {
    m_record = HostAttributeHeader();
    m_pen = penAt(1);
    m_size = DefaultSize;
    m_word = DefaultWord;
    m_extra[0] = 0;
}

uint8_t ArrowStyle::getExtraByte(size_t index) const {
    if (index >= sizeof m_extra) throw std::out_of_range("invalid vector<T> subscript");
    return m_extra[index];
}

void ArrowStyle::setExtraByte(size_t index, uint8_t value) {
    if (index >= sizeof m_extra) throw std::out_of_range("invalid vector<T> subscript");
    m_extra[index] = value;
}

void ArrowStyle::toHost(HostArrow& record) const {
    record.kind = m_kind;
    record.pen = static_cast<uint16_t>(m_pen.getIndex16());
    record.size = m_size;
}

} // namespace tarnwick
