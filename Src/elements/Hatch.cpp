#include "elements/Hatch.h"

#include "elements/ElementQuantities.h"
#include "elements/text/TextStyle.h"
#include "project/Material.h"

namespace tarnwick {

Hatch::Hatch(std::unique_ptr<CadPolygon> polygon) : PolygonElement(TypeCode) {
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

Hatch::Hatch(const API_Element& record, const ElementLink& link) : PolygonElement(record, link) {}

double Hatch::quantity(size_t offset) const {
    ElementQuantities quantities;
    ElementQuantities::request(quantities.getElementMask()[HostHatchQuantityMask + offset]);
    if (!quantities.fetch(getLink())) return 0.0;
    return quantities.getValue(offset);
}

uint32_t Hatch::getOutlineHoleCount() const {
    const CadPolygon* polygon = vertices();
    return polygon == nullptr ? 0 : static_cast<uint32_t>(polygon->getHoleCount());
}

void Hatch::getPen(Pen& pen, uint32_t which) const {
    switch (which) {
    case 0:
    case 1:
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
        break;
    case 6:
        pen = fromMaterial(OwnForeground) ? Material::fromIndex(m_record.material).getFillPen()
                                          : Pen(AttributeLink(m_record.foregroundPen, AttrPen));
        break;
    case 8:
        pen = fromMaterial(OwnBackground) ? Material::fromIndex(m_record.material).getFillBackgroundPen()
                                          : Pen(AttributeLink(int16_t(m_record.backgroundPen), AttrPen));
        break;
    default:
        pen = Pen(AttributeLink(int16_t(0), AttrPen));
        break;
    }
}

std::unique_ptr<Pattern> Hatch::getPattern(uint32_t kind) const {
    if (kind > 1) return nullptr;
    const int16_t index = m_record.fillSource == FillFromMaterial
                              ? Material::fromIndex(m_record.material).getFill().getIndex16()
                              : m_record.fill;
    if (index == 0) return nullptr;
    return std::make_unique<Fill>(AttributeLink(index, AttrFill));
}

std::unique_ptr<TextStyle> Hatch::getTextStyle(uint32_t which) const {
    return which <= 1 ? std::make_unique<TextStyle>(m_record.textBlock) : nullptr;
}

void Hatch::getMaterial(Material& material) const {
    material = m_record.fillSource == FillFromMaterial ? Material::fromIndex(m_record.material) : Material();
}

void Hatch::setPen(const Pen& pen, uint32_t which) {
    const auto index16 = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        m_record.penValue = pen.getIndex();
        m_record.foregroundPen = pen.getIndex();
        m_record.backgroundPen = index16;
        break;
    case 1:
        m_record.penValue = pen.getIndex();
        break;
    case 6:
        m_record.foregroundPen = pen.getIndex();
        break;
    case 8:
        m_record.backgroundPen = index16;
        break;
    default:
        break;
    }
}

void Hatch::setPattern(const Pattern& pattern, uint32_t kind) {
    const int16_t index = fillIndexOf(pattern);
    if (kind <= 1 && index >= 1) m_record.fill = index;
}

void Hatch::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

void Hatch::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setClosed(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

std::unique_ptr<Element> createHatch(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Hatch::TypeCode) return nullptr;
    return std::make_unique<Hatch>(record, link);
}

} // namespace tarnwick
