#include "elements/LineElement.h"

#include <cstring>

#include "elements/ArrowStyle.h"
#include "geometry/CadPolygon.h"
#include "project/LineStyle.h"

namespace tarnwick {

LineElement::LineElement() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
}

LineElement::LineElement(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void LineElement::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.arrow.pen : 0), AttrPen));
}

void LineElement::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
}

std::unique_ptr<ArrowStyle> LineElement::getArrowStyle(uint32_t which) const {
    if (which > 1) return nullptr;
    return std::make_unique<ArrowStyle>(m_record.arrow);
}

void LineElement::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1)
        m_record.penValue = pen.getIndex();
    else if (which == 17)
        m_record.arrow.pen = static_cast<uint16_t>(pen.getIndex16());
}

void LineElement::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

void LineElement::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    if (which <= 1) style.toHost(m_record.arrow);
}

void LineElement::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.start.x, m_record.start.y, 0.0);
}

double LineElement::getOutlineMeasure() const {
    CadPoint start;
    getReferencePoint(start);
    return start.distance2D(getEndPoint());
}

std::unique_ptr<CadPolygon> LineElement::getOutline() const {
    auto outline = std::make_unique<CadPolygon>(2, 0, false);
    CadPoint start;
    getReferencePoint(start);
    outline->append(PolyPoint(start));
    outline->append(PolyPoint(getEndPoint()));
    return outline;
}

void LineElement::setReferencePoint(const CadPoint& point) {
    m_record.start = point.getCoord2D();
}

bool LineElement::moveBy(const CadPoint& offset) {
    CadPoint start;
    getReferencePoint(start);
    setReferencePoint(start + offset);
    setEndPoint(getEndPoint() + offset);
    return true;
}

void LineElement::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 0;
    setReferencePoint(CadPoint());
    setEndPoint(CadPoint());
}

std::unique_ptr<API_Element> LineElement::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

std::unique_ptr<Element> createLine(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != LineElement::TypeCode) return nullptr;
    return std::make_unique<LineElement>(record, link);
}

} // namespace tarnwick
