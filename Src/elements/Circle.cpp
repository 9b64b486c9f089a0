#include "elements/Circle.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "geometry/CadPolygon.h"
#include "geometry/Tolerance.h"
#include "project/LineStyle.h"

namespace tarnwick {

namespace {
constexpr double twoPi = 2.0 * std::numbers::pi;
}

Circle::Circle() : Circle(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
}

Circle::Circle(const CadArc& arc) : Circle() {
    setArc(arc);
}

Circle::Circle(const ElementLink& link) : Element(link) {}

Circle::Circle(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void Circle::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.secondPen : 0), AttrPen));
}

void Circle::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
}

void Circle::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1)
        m_record.penValue = pen.getIndex();
    else if (which == 17)
        m_record.secondPen = static_cast<uint16_t>(pen.getIndex16());
}

void Circle::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

void Circle::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.centre.x, m_record.centre.y, 0.0);
}

CadPoint Circle::getCentre() const {
    CadPoint centre;
    getReferencePoint(centre);
    return centre;
}

double Circle::getOutlineMeasure() const {
    return twoPi * m_record.radius;
}

double Circle::getOutlineArea() const {
    return std::numbers::pi * m_record.radius * m_record.radius;
}

CadArc Circle::getArc() const {
    const double begin = m_record.beginAngle;
    const double end = m_record.endAngle;
    const bool reflected = isReflected();
    const double sweep = std::fmod((reflected ? begin - end : end - begin) + twoPi, twoPi);
    return CadArc(getCentre(), m_record.radius, reflected ? -sweep : sweep, begin);
}

std::unique_ptr<CadPolygon> Circle::getOutline() const {
    auto outline = std::make_unique<CadPolygon>(2, 0, isFullCircle());
    const CadArc arc = getArc();
    outline->append(PolyPoint(arc.getStartPoint()));
    outline->append(arc.getEndPoint());
    return outline;
}

void Circle::setReferencePoint(const CadPoint& point) {
    m_record.centre = point.getCoord2D();
}

bool Circle::isFullCircle() const {
    return std::fabs(m_record.beginAngle - m_record.endAngle) <= kTolerance;
}

void Circle::setArc(const CadArc& arc) {
    setReferencePoint(arc.getCentre());
    setRadius(arc.getRadius());
    setBeginAngle(arc.getStartAngle());
    setEndAngle(arc.getEndAngle());
    setAxisRatio(1.0);
    setReflected(false);
}

void Circle::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 0;
    setReferencePoint(CadPoint());
    setRadius(1.0);
    m_record.word224 = 0.0;
    setAxisRatio(1.0);
}

std::unique_ptr<API_Element> Circle::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

std::unique_ptr<Element> createCircle(const API_Element& record, ElementLink& link) {
    const uint32_t type = record.head.typeCode;
    if (type != Circle::TypeCode && type != Circle::ArcTypeCode) return nullptr;
    return std::make_unique<Circle>(record, link);
}

} // namespace tarnwick
