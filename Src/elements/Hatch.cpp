#include "elements/Hatch.h"

#include <cstring>

#include "elements/ElementQuantities.h"
#include "elements/text/TextStyle.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

Hatch::Hatch(std::unique_ptr<CadPolygon> polygon)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

Hatch::Hatch(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

double Hatch::quantity(size_t offset) const {
    ElementQuantities quantities;
    ElementQuantities::request(quantities.getElementMask()[HostHatchQuantityMask + offset]);
    if (!quantities.fetch(getLink())) return 0.0;
    return quantities.getValue(offset);
}

uint32_t Hatch::getOutlineHoleCount() const {
    const CadPolygon* polygon = const_cast<Hatch*>(this)->getPolygon();
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

void Hatch::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
}

std::unique_ptr<Pattern> Hatch::getPattern(bool) const {
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

void Hatch::setPattern(const Pattern& pattern) {
    const auto index = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    if (index >= 1) m_record.fill = index;
}

void Hatch::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

void Hatch::setTextStyle(const TextStyle& style, uint32_t which) {
    if (which <= 1) style.toSizeRecord(m_record.textBlock);
}

std::unique_ptr<CadPolygon> Hatch::getOutline() const {
    const CadPolygon* polygon = const_cast<Hatch*>(this)->getPolygon();
    return polygon == nullptr ? nullptr : std::make_unique<CadPolygon>(*polygon);
}

void Hatch::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setClosed(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

PolygonCounts Hatch::getPolygonHeader() const {
    return PolygonCounts{m_record.coordinateCount, m_record.endCount, m_record.arcCount};
}

void Hatch::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 1;
}

std::unique_ptr<API_Element> Hatch::buildRecord() const {
    HostHatchElement part = m_record;
    auto* self = const_cast<Hatch*>(this);
    PolygonCounts counts;
    self->getPolygonCounts(counts);
    if (PolygonMemo::isLoaded()) {
        part.coordinateCount = counts.coordinates;
        part.endCount = counts.ends;
        part.arcCount = counts.arcs;
    }
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &part, sizeof part);
    getLink().writeHeader(record->head, true);
    return record;
}

void Hatch::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!PolygonMemo::isLoaded() || !PolygonMemo::isValid())) mask |= MemoPolygon;
    if ((mask & MemoPolygon) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new hatch: the host holds no region of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    readMemo(*store);
}

ElementMemoPtr Hatch::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getCoordinates() != nullptr) mask |= MemoPolygon;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createHatch(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Hatch::TypeCode) return nullptr;
    return std::make_unique<Hatch>(record, link);
}

} // namespace tarnwick
