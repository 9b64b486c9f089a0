#include "elements/PolyLine.h"

namespace tarnwick {

PolyLine::PolyLine(std::unique_ptr<CadPolygon> polygon) : PolygonElement(TypeCode) {
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

PolyLine::PolyLine(const API_Element& record, const ElementLink& link) : PolygonElement(record, link) {}

void PolyLine::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.secondPen : 0), AttrPen));
}

void PolyLine::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1)
        m_record.penValue = pen.getIndex();
    else if (which == 17)
        m_record.secondPen = static_cast<uint16_t>(pen.getIndex16());
}

std::unique_ptr<Element> createPolyLine(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != PolyLine::TypeCode) return nullptr;
    return std::make_unique<PolyLine>(record, link);
}

} // namespace tarnwick
