#include "elements/Dimensions.h"

#include <cstring>

#include "elements/ArrowStyle.h"
#include "elements/text/TextStyle.h"

namespace tarnwick {

namespace {

template <class Part> void copyPart(Part& part, const API_Element& record) {
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
}

template <class Part> std::unique_ptr<API_Element> recordOf(const Part& part, const ElementLink& link) {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &part, sizeof part);
    link.writeHeader(record->head, true);
    return record;
}

// The host's defaults of the kind. These kinds write no memo, so their records claim none: a
// record that did could never be created.
template <class Part> void defaultsInto(Element& element, Part& part) {
    API_Element defaults;
    if (element.getDefaults(defaults, nullptr)) copyPart(part, defaults);
    element.getLink().writeHeader(part.head, true);
    part.head.byte76 = 0;
}

// Roles 0/1 the dimension pen, 16 the text pen and, with an arrow, 17 the arrow's.
template <class Part> uint32_t penOf(const Part& part, uint32_t which, const HostArrow* arrow) {
    if (which <= 1) return part.pen;
    if (which == 16) return part.textBlock.pen;
    if (which == 17 && arrow != nullptr) return arrow->pen;
    return 0;
}

template <class Part> void setPenOf(Part& part, const Pen& pen, uint32_t which, HostArrow* arrow) {
    const auto index16 = static_cast<uint16_t>(pen.getIndex16());
    if (which <= 1) part.pen = index16;
    if (which == 0 || which == 16) part.textBlock.pen = pen.getIndex();
    if ((which == 0 || which == 17) && arrow != nullptr) arrow->pen = index16;
}

std::unique_ptr<ArrowStyle> arrowStyleOf(const HostArrow& arrow, uint32_t which) {
    if (which > 1) return nullptr;
    auto style = std::make_unique<ArrowStyle>(12);
    style->setKind(arrow.kind);
    style->setPen(Pen(AttributeLink(int16_t(arrow.pen), AttrPen)));
    style->setSize(arrow.size);
    return style;
}

void setArrowOf(HostArrow& arrow, const ArrowStyle& style, uint32_t which) {
    if (which > 1) return;
    arrow.kind = style.getKind();
    arrow.pen = static_cast<uint16_t>(style.getPen().getIndex16());
    arrow.size = style.getSize();
}

std::unique_ptr<TextStyle> textStyleOf(const HostPenFontSize& block, uint32_t which) {
    return which <= 1 ? std::make_unique<TextStyle>(block) : nullptr;
}

} // namespace

// --- Radial.

RadialDimension::RadialDimension() : Dimension(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    applyDefaults();
}

RadialDimension::RadialDimension(const API_Element& record, const ElementLink& link) : Dimension(link) {
    copyPart(m_record, record);
}

void RadialDimension::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(penOf(m_record, which, &m_record.arrow), AttrPen));
}

void RadialDimension::setPen(const Pen& pen, uint32_t which) {
    setPenOf(m_record, pen, which, &m_record.arrow);
}

std::unique_ptr<TextStyle> RadialDimension::getTextStyle(uint32_t which) const {
    return textStyleOf(m_record.textBlock, which);
}

void RadialDimension::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

std::unique_ptr<ArrowStyle> RadialDimension::getArrowStyle(uint32_t which) const {
    return arrowStyleOf(m_record.arrow, which);
}

void RadialDimension::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    setArrowOf(m_record.arrow, style, which);
}

void RadialDimension::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.reference.x, m_record.reference.y, 0.0);
}

std::unique_ptr<API_Element> RadialDimension::buildRecord() const {
    return recordOf(m_record, getLink());
}

void RadialDimension::applyDefaults() {
    defaultsInto(*this, m_record);
}

// --- Level.

LevelDimension::LevelDimension() : Dimension(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    applyDefaults();
}

LevelDimension::LevelDimension(const API_Element& record, const ElementLink& link) : Dimension(link) {
    copyPart(m_record, record);
}

void LevelDimension::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(penOf(m_record, which, nullptr), AttrPen));
}

void LevelDimension::setPen(const Pen& pen, uint32_t which) {
    setPenOf(m_record, pen, which, nullptr);
}

std::unique_ptr<TextStyle> LevelDimension::getTextStyle(uint32_t which) const {
    return textStyleOf(m_record.textBlock, which);
}

void LevelDimension::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

void LevelDimension::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.reference.x, m_record.reference.y, 0.0);
}

std::unique_ptr<API_Element> LevelDimension::buildRecord() const {
    return recordOf(m_record, getLink());
}

void LevelDimension::applyDefaults() {
    defaultsInto(*this, m_record);
}

// --- Angular.

AngularDimension::AngularDimension() : Dimension(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    applyDefaults();
}

AngularDimension::AngularDimension(const API_Element& record, const ElementLink& link) : Dimension(link) {
    copyPart(m_record, record);
}

void AngularDimension::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(penOf(m_record, which, &m_record.arrow), AttrPen));
}

void AngularDimension::setPen(const Pen& pen, uint32_t which) {
    setPenOf(m_record, pen, which, &m_record.arrow);
}

std::unique_ptr<TextStyle> AngularDimension::getTextStyle(uint32_t which) const {
    return textStyleOf(m_record.textBlock, which);
}

void AngularDimension::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

std::unique_ptr<ArrowStyle> AngularDimension::getArrowStyle(uint32_t which) const {
    return arrowStyleOf(m_record.arrow, which);
}

void AngularDimension::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    setArrowOf(m_record.arrow, style, which);
}

void AngularDimension::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.points[0].point.x, m_record.points[0].point.y, 0.0);
}

void AngularDimension::setReferencePoint(const CadPoint& point) {
    const double dx = point.getX() - m_record.points[0].point.x;
    const double dy = point.getY() - m_record.points[0].point.y;
    for (HostAngularPoint& each : m_record.points) {
        each.point.x += dx;
        each.point.y += dy;
    }
    m_record.points[0].point = point.getCoord2D(); // exactly there, whatever the rounding
}

std::unique_ptr<API_Element> AngularDimension::buildRecord() const {
    return recordOf(m_record, getLink());
}

void AngularDimension::applyDefaults() {
    defaultsInto(*this, m_record);
}

std::unique_ptr<Element> createRadialDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != RadialDimension::TypeCode) return nullptr;
    return std::make_unique<RadialDimension>(record, link);
}

std::unique_ptr<Element> createLevelDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != LevelDimension::TypeCode) return nullptr;
    return std::make_unique<LevelDimension>(record, link);
}

std::unique_ptr<Element> createAngularDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != AngularDimension::TypeCode) return nullptr;
    return std::make_unique<AngularDimension>(record, link);
}

} // namespace tarnwick
