#include "elements/Dimension.h"

#include <cstring>

#include "elements/ArrowStyle.h"
#include "elements/text/TextStyle.h"

namespace tarnwick {

namespace {
template <class Part>
concept HasArrow = requires(Part part) {
    part.arrow;
};

template <class Part>
concept HasReference = requires(Part part) {
    part.reference;
};
} // namespace

template <class Part>
DimensionOf<Part>::DimensionOf(uint8_t typeCode)
    : Dimension(ElementLink(ElementLink::makeTypeId(typeCode), nullptr, 0)) {}

template <class Part>
DimensionOf<Part>::DimensionOf(const API_Element& record, const ElementLink& link) : Dimension(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

template <class Part> void DimensionOf<Part>::getPen(Pen& pen, uint32_t which) const {
    uint32_t index = 0;
    if (which <= 1)
        index = m_record.pen;
    else if (which == 16)
        index = m_record.textBlock.pen;
    else if constexpr (HasArrow<Part>)
        index = which == 17 ? m_record.arrow.pen : 0;
    pen = Pen(AttributeLink(index, AttrPen));
}

template <class Part> void DimensionOf<Part>::setPen(const Pen& pen, uint32_t which) {
    const auto index16 = static_cast<uint16_t>(pen.getIndex16());
    if (which <= 1) m_record.pen = index16;
    if (which == 0 || which == 16) m_record.textBlock.pen = pen.getIndex();
    if constexpr (HasArrow<Part>)
        if (which == 0 || which == 17) m_record.arrow.pen = index16;
}

template <class Part> std::unique_ptr<TextStyle> DimensionOf<Part>::getTextStyle(uint32_t which) const {
    return which <= 1 ? std::make_unique<TextStyle>(m_record.textBlock) : nullptr;
}

template <class Part> void DimensionOf<Part>::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

template <class Part> std::unique_ptr<ArrowStyle> DimensionOf<Part>::getArrowStyle(uint32_t which) const {
    if constexpr (HasArrow<Part>) {
        if (which > 1) return nullptr;
        auto style = std::make_unique<ArrowStyle>(12);
        style->setKind(m_record.arrow.kind);
        style->setPen(Pen(AttributeLink(int16_t(m_record.arrow.pen), AttrPen)));
        style->setSize(m_record.arrow.size);
        return style;
    } else {
        return Dimension::getArrowStyle(which);
    }
}

template <class Part> void DimensionOf<Part>::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    if constexpr (HasArrow<Part>) {
        if (which > 1) return;
        m_record.arrow.kind = style.getKind();
        m_record.arrow.pen = static_cast<uint16_t>(style.getPen().getIndex16());
        m_record.arrow.size = style.getSize();
    } else {
        Dimension::setArrowStyle(style, which);
    }
}

template <class Part> void DimensionOf<Part>::getReferencePoint(CadPoint& point) const {
    if constexpr (HasReference<Part>)
        point = CadPoint(m_record.reference.x, m_record.reference.y, 0.0);
    else
        Dimension::getReferencePoint(point);
}

template <class Part> void DimensionOf<Part>::setReferencePoint(const CadPoint& point) {
    if constexpr (HasReference<Part>)
        m_record.reference = point.getCoord2D();
    else
        Dimension::setReferencePoint(point);
}

template <class Part> std::unique_ptr<API_Element> DimensionOf<Part>::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

// A record that claimed a memo these kinds never write could never be created.
template <class Part> void DimensionOf<Part>::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 0;
}

template class DimensionOf<HostLinearDimension>;
template class DimensionOf<HostRadialDimension>;
template class DimensionOf<HostLevelDimension>;
template class DimensionOf<HostAngularDimension>;

} // namespace tarnwick
