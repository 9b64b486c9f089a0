#include "elements/Spline.h"

#include <cstring>

#include "elements/ArrowStyle.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

Spline::Spline(std::unique_ptr<CadPolygon> polygon)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
    if (polygon) setPolygon(std::move(polygon));
}

Spline::Spline(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void Spline::getPen(Pen& pen, uint32_t which) const {
    if (which <= 1)
        pen = Pen(AttributeLink(m_record.penValue, AttrPen));
    else
        pen = Pen(AttributeLink(int16_t(which == 17 ? m_record.arrow.pen : 0), AttrPen));
}

void Spline::getLineStyle(LineStyle& style, uint32_t which) const {
    style = LineStyle(
        AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.lineType) : int16_t(0), AttrLineType));
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

void Spline::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.lineType = static_cast<uint16_t>(style.getIndex16());
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

std::unique_ptr<CadPolygon> Spline::getOutline() const {
    const CadPolygon* polygon = vertices();
    return polygon == nullptr ? nullptr : std::make_unique<CadPolygon>(*polygon);
}

void Spline::setClosed(bool on) {
    m_record.closed = on ? 1 : 0;
    if (m_polygon) m_polygon->setClosed(on);
}

void Spline::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.head.byte76 = 1;
}

std::unique_ptr<API_Element> Spline::buildRecord() const {
    auto* self = const_cast<Spline*>(this);
    PolygonCounts counts;
    self->getPolygonCounts(counts);
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &m_record, sizeof m_record);
    if (PolygonMemo::isLoaded()) {
        HostSplineCounts written;
        written.coordinates = counts.coordinates;
        written.subPolygons = counts.ends;
        std::memcpy(record->raw + offsetof(HostSplineRecord, counts), &written, sizeof written);
    }
    getLink().writeHeader(record->head, true);
    return record;
}

void Spline::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!PolygonMemo::isLoaded() || !PolygonMemo::isValid())) mask |= MemoPolygon;
    if ((mask & MemoPolygon) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new spline: the host holds no vertices of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    readMemo(*store);
}

ElementMemoPtr Spline::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getCoordinates() != nullptr) mask |= MemoPolygon;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createSpline(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Spline::TypeCode) return nullptr;
    return std::make_unique<Spline>(record, link);
}

} // namespace tarnwick
