#include "elements/PolygonElement.h"

#include <cstddef>
#include <cstring>

#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
template <class Part>
concept CountsInPart = requires(Part part) {
    part.coordinateCount;
};

template <CountsInPart Part> void writeCounts(Part& part, API_Element&, const PolygonCounts& counts) {
    part.coordinateCount = counts.coordinates;
    part.endCount = counts.ends;
    part.arcCount = counts.arcs;
}

// A spline's counts follow its part in the record.
void writeCounts(HostSplineElement&, API_Element& record, const PolygonCounts& counts) {
    HostSplineCounts written;
    written.coordinates = counts.coordinates;
    written.subPolygons = counts.ends;
    std::memcpy(record.raw + offsetof(HostSplineRecord, counts), &written, sizeof written);
}
} // namespace

template <class VertexMemo, class Part>
PolygonElement<VertexMemo, Part>::PolygonElement(uint8_t typeCode)
    : Element(ElementLink(ElementLink::makeTypeId(typeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
}

template <class VertexMemo, class Part>
PolygonElement<VertexMemo, Part>::PolygonElement(const API_Element& record, const ElementLink& link)
    : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

template <class VertexMemo, class Part>
void PolygonElement<VertexMemo, Part>::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
}

template <class VertexMemo, class Part>
void PolygonElement<VertexMemo, Part>::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
}

template <class VertexMemo, class Part>
std::unique_ptr<CadPolygon> PolygonElement<VertexMemo, Part>::getOutline() const {
    const CadPolygon* polygon = vertices();
    return polygon == nullptr ? nullptr : std::make_unique<CadPolygon>(*polygon);
}

template <class VertexMemo, class Part>
PolygonCounts PolygonElement<VertexMemo, Part>::getPolygonHeader() const {
    if constexpr (CountsInPart<Part>)
        return PolygonCounts{m_record.coordinateCount, m_record.endCount, m_record.arcCount};
    else
        return VertexMemo::getPolygonHeader();
}

template <class VertexMemo, class Part> void PolygonElement<VertexMemo, Part>::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 1;
}

template <class VertexMemo, class Part>
std::unique_ptr<API_Element> PolygonElement<VertexMemo, Part>::buildRecord() const {
    Part part = m_record;
    PolygonCounts counts;
    const_cast<PolygonElement*>(this)->getPolygonCounts(counts);
    auto record = std::make_unique<API_Element>();
    if (VertexMemo::isLoaded()) writeCounts(part, *record, counts);
    std::memcpy(record->raw, &part, sizeof part);
    getLink().writeHeader(record->head, true);
    return record;
}

template <class VertexMemo, class Part>
void PolygonElement<VertexMemo, Part>::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!VertexMemo::isLoaded() || !VertexMemo::isValid())) mask |= MemoPolygon;
    if ((mask & MemoPolygon) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            this->m_loaded = true; // a new element: the host holds no vertices of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    this->readMemo(*store);
}

template <class VertexMemo, class Part>
ElementMemoPtr PolygonElement<VertexMemo, Part>::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!this->writeMemo(store)) return nullptr;
    if (store.getCoordinates() != nullptr) mask |= MemoPolygon;
    return ElementMemoPtr(store.release());
}

template class PolygonElement<PolygonMemo, HostHatchElement>;
template class PolygonElement<PolygonMemo, HostPolyLineElement>;
template class PolygonElement<SplinePolygonMemo, HostSplineElement>;

} // namespace tarnwick
