#include "construction/PivotPolygonMemo.h"

#include <cstring>

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

size_t recordBytes(const PolygonCounts& header) {
    return (size_t(header.coordinates) + 1) * PivotPoint::DataSize;
}

// The parts of the pivot handles, checked against the counts as the outline's are.
bool fitParts(GSHandle coordinates, GSHandle ends, GSHandle arcs, GSHandle ids, const PolygonCounts& header,
              PolygonParts& parts) {
    parts = PolygonParts();
    if (header.coordinates < 1 || header.ends < 1 || coordinates == nullptr || ends == nullptr) return false;
    // The pivot polygon's own arc field: the outline may well have none.
    if (header.arcs > 0 && arcs == nullptr) return false;
    parts.setHandles(coordinates, ends, arcs, ids);
    return true;
}

} // namespace

PivotPolygonMemo::PivotPolygonMemo(const PolygonCounts* header) {
    if (header != nullptr) m_header = *header;
}

void PivotPolygonMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(getMemoMask(), store);
}

bool PivotPolygonMemo::readMemo(MemoStore& store) {
    GSPtr records = store.getPivotRecords();
    if (records != nullptr && static_cast<size_t>(getPtrSize(records)) < recordBytes(m_header)) {
        m_loaded = false;
        m_polygon.reset();
        return false;
    }
    m_records = reinterpret_cast<const uint8_t*>(records);
    const bool read = PolygonMemo::readMemo(store);
    m_records = nullptr;
    m_hasVertexIds = store.getPivotVertexIds() != nullptr;
    return read;
}

std::unique_ptr<PolyPoint> PivotPolygonMemo::makePoint(const PolygonCounts&, size_t index,
                                                       const CadPoint& point, uint32_t id,
                                                       double arcAngle) const {
    PolyPoint vertex(point, arcAngle, id);
    if (m_records == nullptr) return std::make_unique<PolyPoint>(vertex);
    PivotPoint::Data data;
    std::memcpy(data.data(), m_records + index * PivotPoint::DataSize, PivotPoint::DataSize);
    return std::make_unique<PivotPoint>(vertex, data);
}

bool PivotPolygonMemo::canWrite(const PolygonCounts& header, MemoStore& store) {
    if (!m_polygon) return false;
    GSPtr* field = store.pivotRecordsAddress();
    freePtr(*field);
    bool any = false;
    auto carries = [&any](const CadPolygon& contour) {
        for (size_t i = 0; i < contour.getVertexCount() && !any; ++i)
            any = dynamic_cast<const PivotPoint*>(&contour.getVertex(i)) != nullptr;
    };
    carries(*m_polygon);
    for (size_t h = 0; h < m_polygon->getHoleCount(); ++h)
        carries(m_polygon->getHole(h));
    if (any) *field = allocatePtr(static_cast<GSSize>(recordBytes(header)));
    return true;
}

void PivotPolygonMemo::pointWritten(const PolyPoint& point, MemoStore& store, size_t index) {
    GSPtr block = *store.pivotRecordsAddress();
    if (block == nullptr || (index + 1) * PivotPoint::DataSize > static_cast<size_t>(getPtrSize(block)))
        return;
    auto* pivot = dynamic_cast<const PivotPoint*>(&point);
    uint8_t* entry = reinterpret_cast<uint8_t*>(block) + index * PivotPoint::DataSize;
    if (pivot != nullptr)
        std::memcpy(entry, pivot->getPivotData().data(), PivotPoint::DataSize);
    else
        std::memset(entry, 0, PivotPoint::DataSize);
}

bool PivotPolygonMemo::allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    parts = PolygonParts();
    if (header.coordinates < 1 || header.ends < 1) return false;
    const size_t points = size_t(header.coordinates) + 1;
    GSHandle ids = replaceHandle(store.pivotVertexIdsAddress(), points * sizeof(uint32_t));
    GSHandle coordinates = replaceHandle(store.pivotCoordinatesAddress(), points * sizeof(HostCoord2D));
    GSHandle ends = replaceHandle(store.pivotEndsAddress(), (size_t(header.ends) + 1) * sizeof(uint32_t));
    GSHandle* arcField = store.pivotArcsAddress();
    freeHandle(*arcField);
    if (header.arcs >= 1)
        *arcField = allocateHandle(static_cast<GSSize>(header.arcs * sizeof(HostPolygonArc)));
    return fitParts(coordinates, ends, *arcField, ids, header, parts);
}

bool PivotPolygonMemo::lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    GSHandle coordinates = store.getPivotCoordinates();
    if (!fitParts(coordinates, store.getPivotEnds(), store.getPivotArcs(), store.getPivotVertexIds(), header,
                  parts))
        return false;
    if (parts.coordinateCount < uint64_t(header.coordinates) + 1) return false;
    if (static_cast<size_t>(getHandleSize(coordinates)) % sizeof(HostCoord2D) != 0) return false;
    if (parts.endCount < uint64_t(header.ends) + 1) return false;
    return parts.arcCount >= header.arcs;
}

} // namespace tarnwick
