#include "elements/Spline.h"

#include "elements/ArrowStyle.h"

namespace tarnwick {

Spline::Spline(std::unique_ptr<CadPolygon> polygon) : PolygonElement(TypeCode) {
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

Spline::Spline(const API_Element& record, const ElementLink& link) : PolygonElement(record, link) {}

void Spline::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.arrow.pen : 0), AttrPen));
}

std::unique_ptr<ArrowStyle> Spline::getArrowStyle(uint32_t which) const {
    if (which > 1) return nullptr;
    return std::make_unique<ArrowStyle>(m_record.arrow);
}

void Spline::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1)
        m_record.penValue = pen.getIndex();
    else if (which == 17)
        m_record.arrow.pen = static_cast<uint16_t>(pen.getIndex16());
}

void Spline::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    if (which <= 1) style.toHost(m_record.arrow);
}

void Spline::getReferencePoint(CadPoint& point) const {
    const CadPolygon* polygon = vertices();
    point =
        polygon != nullptr && polygon->getVertexCount() > 0 ? CadPoint(polygon->getVertex(0)) : CadPoint();
}

CadPoint Spline::getEndPoint() const {
    const CadPolygon* polygon = vertices();
    const size_t count = polygon != nullptr ? polygon->getVertexCount() : 0;
    return count > 0 ? CadPoint(polygon->getVertex(count - 1)) : CadPoint();
}

void Spline::setClosed(bool on) {
    m_record.closed = on ? 1 : 0;
    if (m_polygon) m_polygon->setClosed(on);
}

std::unique_ptr<Element> createSpline(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Spline::TypeCode) return nullptr;
    return std::make_unique<Spline>(record, link);
}

} // namespace tarnwick
