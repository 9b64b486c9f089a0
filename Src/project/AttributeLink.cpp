#include "project/AttributeLink.h"

#include <algorithm>
#include <iterator>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"

namespace tarnwick {

AttributeLink::AttributeLink(uint32_t index, uint8_t type, Specification* database)
    : m_index(index), m_database(database), m_type(type) {
    bindToCurrent();
}

AttributeLink::AttributeLink(int16_t index, uint8_t type, Specification* database)
    : m_index(static_cast<uint16_t>(index)), m_database(database), m_type(type) {
    bindToCurrent();
}

AttributeLink::AttributeLink(const String& name, uint8_t type, Specification* database)
    : m_database(database), m_type(type) {
    HostAttributeHeader header;
    header.typeCode = type;
    copyName(name, header);
    if (ACAPSearchAttribute(&header) == hosterr::Ok) m_index = static_cast<uint16_t>(header.index);
    bindToCurrent();
}

AttributeLink::AttributeLink(const HostAttributeHeader& header, Specification* database)
    : m_database(database) {
    setFromHeader(header);
    bindToCurrent();
}

AttributeLink AttributeLink::fromHeader(const HostAttributeHeader& header) {
    AttributeLink link;
    link.setFromHeader(header);
    return link;
}

void AttributeLink::bindToCurrent() {
    if (m_database == nullptr && m_index != 0) m_database = Host::getSpecification();
}

void AttributeLink::makeHeader(HostAttributeHeader& header) const {
    header = HostAttributeHeader();
    header.typeCode = m_type;
    header.index = getIndex16();
}

void AttributeLink::setFromHeader(const HostAttributeHeader& header) {
    m_type = static_cast<uint8_t>(header.typeCode);
    m_index = static_cast<uint16_t>(header.index);
}

void AttributeLink::copyName(const String& name, HostAttributeHeader& header) {
    std::fill(std::begin(header.name), std::end(header.name), '\0');
    name.copyTo(header.name, sizeof header.name);
}

} // namespace tarnwick
