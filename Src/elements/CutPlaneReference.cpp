#include "elements/CutPlaneReference.h"

#include <cstring>

#include "geometry/Line.h"
#include "geometry/LinearEquation.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
constexpr uint32_t SectionMarkerType = 25;
constexpr uint32_t ElevationMarkerType = 33;
constexpr double LineTolerance = 1e-5;
} // namespace

CutPlaneReference::CutPlaneReference(const ElementLink& link) : Element(link) {
    link.writeHeader(m_marker.head, true);
}

CutPlaneReference::CutPlaneReference(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_marker), record.raw, sizeof m_marker);
}

void CutPlaneReference::getPen(Pen& pen, uint32_t which) const {
    const int16_t index = which <= 1 ? static_cast<int16_t>(m_marker.markerPen) : int16_t(0);
    pen = Pen(AttributeLink(index, AttrPen));
}

void CutPlaneReference::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1) m_marker.markerPen = static_cast<uint16_t>(pen.getIndex16());
}

double CutPlaneReference::storeyLevel() const {
    const Storey* storey = getStorey();
    return storey != nullptr ? storey->getLevel() : 0.0;
}

double CutPlaneReference::getElevation(bool absolute) const {
    return absolute ? m_marker.elevation : m_marker.elevation - storeyLevel();
}

void CutPlaneReference::setElevation(double value, bool absolute) {
    m_marker.elevation = absolute ? value : value + storeyLevel();
}

void CutPlaneReference::getReferencePoint(CadPoint& point) const {
    const CadPolygon* first = getFirstLine();
    if (first == nullptr || first->getVertexCount() == 0) {
        point = CadPoint();
        return;
    }
    const PolyPoint& start = first->getVertex(0);
    point = CadPoint(start.getX(), start.getY(), getElevation(true));
}

void CutPlaneReference::setReferencePoint(const CadPoint& point) {
    CadPoint current;
    getReferencePoint(current);
    if (CadPolygon* first = getFirstLine())
        *first += CadPoint(point.getX() - current.getX(), point.getY() - current.getY(), 0.0);
    setElevation(point.getZ(), true);
}

SectionLineCounts CutPlaneReference::getRecordLineCounts() const {
    return {m_marker.lineCounts[0], m_marker.lineCounts[1], m_marker.lineCounts[2]};
}

std::unique_ptr<API_Element> CutPlaneReference::buildRecord() const {
    HostCutPlaneMarker marker = m_marker;
    // Counts of lines never loaded stay as the host gave them.
    if (SectionLineMemo::isLoaded()) {
        const SectionLineCounts counts = getLineCounts();
        for (size_t i = 0; i < counts.size(); ++i)
            marker.lineCounts[i] = counts[i];
    }
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &marker, sizeof marker);
    getLink().writeHeader(record->head, true);
    return record;
}

void CutPlaneReference::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!SectionLineMemo::isLoaded() || !SectionLineMemo::isValid()))
        mask |= MemoMask;
    if (store == nullptr) (void)fetchMemo(mask, store);
    if (store == nullptr) {
        SectionLineMemo::setLoaded(true); // nothing to fetch: a marker without lines
        return;
    }
    if ((mask & MemoMask) != 0) (void)readMemo(*store);
}

ElementMemoPtr CutPlaneReference::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    // All three line fields: a host that honours the mask keeps the second and third lines too.
    mask = getPartMask();
    return ElementMemoPtr(store.release());
}

bool CutPlaneReference::isLineAligned() const {
    const CadPolygon* first = getFirstLine();
    const CadPolygon* second = getSecondLine();
    if (first == nullptr || second == nullptr || first->getVertexCount() < 2 || second->getVertexCount() < 1)
        return false;
    const LinearEquation line(first->getVertex(0), first->getVertex(1));
    return line.classifyPoint(second->getVertex(0), LineTolerance) == LinearEquation::kRight;
}

double CutPlaneReference::getLineAngle() const {
    const CadPolygon* first = getFirstLine();
    if (first == nullptr || first->getVertexCount() < 2) return 0.0;
    const Line line(first->getVertex(0), first->getVertex(1));
    return isLineAligned() ? line.getAngle() : line.reversed().getAngle();
}

bool CutPlaneReference::setDefaults() {
    auto defaults = std::make_unique<API_Element>();
    if (!getDefaults(*defaults, nullptr)) return false;
    const HostElementHead head = m_marker.head;
    std::memcpy(static_cast<void*>(&m_marker), defaults->raw, sizeof m_marker);
    m_marker.head = head;
    setUserDataChanged(true);
    return true;
}

ElementLink CutPlaneReference::getTargetLink() const {
    return ElementLink(Guid(m_marker.targetGuid), getDrawing());
}

std::unique_ptr<Element> createSectionReference(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != SectionMarkerType) return nullptr;
    return std::make_unique<SectionReference>(record, link);
}

std::unique_ptr<Element> createElevationReference(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != ElevationMarkerType) return nullptr;
    return std::make_unique<ElevationReference>(record, link);
}

} // namespace tarnwick
