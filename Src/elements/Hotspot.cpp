#include "elements/Hotspot.h"

#include <cstring>

namespace tarnwick {

Hotspot::Hotspot() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
}

Hotspot::Hotspot(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void Hotspot::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.pen) : int16_t(0), AttrPen));
}

void Hotspot::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1) m_record.pen = static_cast<uint16_t>(pen.getIndex16());
}

void Hotspot::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.position.x, m_record.position.y, 0.0);
}

void Hotspot::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 0;
    setReferencePoint(CadPoint());
}

std::unique_ptr<API_Element> Hotspot::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

std::unique_ptr<Element> createHotspot(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Hotspot::TypeCode) return nullptr;
    return std::make_unique<Hotspot>(record, link);
}

} // namespace tarnwick
