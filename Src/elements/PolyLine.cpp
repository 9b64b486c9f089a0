#include "elements/PolyLine.h"

#include <cstring>

#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

PolyLine::PolyLine(std::unique_ptr<CadPolygon> polygon)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

PolyLine::PolyLine(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void PolyLine::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.secondPen : 0), AttrPen));
}

void PolyLine::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
}

void PolyLine::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1)
        m_record.penValue = pen.getIndex();
    else if (which == 17)
        m_record.secondPen = static_cast<uint16_t>(pen.getIndex16());
}

void PolyLine::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

std::unique_ptr<CadPolygon> PolyLine::getOutline() const {
    const CadPolygon* polygon = const_cast<PolyLine*>(this)->getPolygon();
    return polygon == nullptr ? nullptr : std::make_unique<CadPolygon>(*polygon);
}

PolygonCounts PolyLine::getPolygonHeader() const {
    return PolygonCounts{m_record.coordinateCount, m_record.endCount, m_record.arcCount};
}

void PolyLine::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 1;
}

std::unique_ptr<API_Element> PolyLine::buildRecord() const {
    HostPolyLineElement part = m_record;
    auto* self = const_cast<PolyLine*>(this);
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

void PolyLine::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!PolygonMemo::isLoaded() || !PolygonMemo::isValid())) mask |= MemoPolygon;
    if ((mask & MemoPolygon) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new polyline: the host holds no vertices of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    readMemo(*store);
}

ElementMemoPtr PolyLine::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getCoordinates() != nullptr) mask |= MemoPolygon;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createPolyLine(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != PolyLine::TypeCode) return nullptr;
    return std::make_unique<PolyLine>(record, link);
}

} // namespace tarnwick
