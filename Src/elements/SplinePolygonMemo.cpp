#include "elements/SplinePolygonMemo.h"

#include <cstring>

#include "Environment/Memory.h"
#include "project/MemoStore.h"

namespace tarnwick {

SplinePoint::SplinePoint(const CadPoint& point, const HostSplineDirection* direction) : PolyPoint(point) {
    if (direction != nullptr) m_direction = *direction;
}

SplinePoint::SplinePoint(const CadPoint& point, double first, double second, double third)
    : PolyPoint(point), m_direction{first, second, third} {}

bool SplinePolygonMemo::readMemo(MemoStore& store) {
    m_readCount = static_cast<uint32_t>(handleEntries<HostCoord2D>(store.getCoordinates()));
    const bool read = PolygonMemo::readMemo(store);
    m_readCount.reset();
    return read;
}

PolygonCounts SplinePolygonMemo::getPolygonHeader() const {
    PolygonCounts counts;
    counts.ends = 1;
    if (m_readCount)
        counts.coordinates = *m_readCount;
    else if (m_polygon)
        counts.coordinates = static_cast<uint32_t>(m_polygon->getVertexCount());
    return counts;
}

std::unique_ptr<PolyPoint> SplinePolygonMemo::makePoint(const PolygonCounts&, size_t index,
                                                        const CadPoint& point, uint32_t, double) const {
    const HostSplineDirection* direction = index < m_directionCount ? &m_directions[index] : nullptr;
    return std::make_unique<SplinePoint>(point, direction);
}

void SplinePolygonMemo::pointWritten(const PolyPoint& point, MemoStore& store, size_t index) {
    GSHandle directions = store.getSplineDirections();
    if (index >= handleEntries<HostSplineDirection>(directions)) return;
    const auto* spline = dynamic_cast<const SplinePoint*>(&point);
    reinterpret_cast<HostSplineDirection*>(*directions)[index] =
        spline != nullptr ? spline->getDirection() : HostSplineDirection();
}

bool SplinePolygonMemo::allocateHostParts(MemoStore& store, const PolygonCounts& header,
                                          PolygonParts& parts) {
    parts = PolygonParts();
    if (header.coordinates < 1) return false;
    GSHandle* directions = store.splineDirectionsAddress();
    freeHandle(*directions);
    *directions = nullptr;
    if (!isDirectionFree())
        *directions = allocateHandle(static_cast<GSSize>(header.coordinates * sizeof(HostSplineDirection)));
    GSHandle* coordinates = store.coordinatesAddress();
    freeHandle(*coordinates);
    *coordinates = allocateHandle(static_cast<GSSize>(header.coordinates * sizeof(HostCoord2D)));
    m_splineCounts = HostSplineCounts();
    m_splineCounts.coordinates = header.coordinates;
    m_splineCounts.subPolygons = 1;
    if (!lockHostParts(store, header, parts)) return false;
    parts.ends = m_ends;
    parts.endCount = 2;
    return true;
}

bool SplinePolygonMemo::lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    parts = PolygonParts();
    GSHandle coordinates = store.getCoordinates();
    if (header.coordinates < 1 || coordinates == nullptr) return false;
    parts.coordinates = reinterpret_cast<HostCoord2D*>(*coordinates);
    parts.coordinateCount = handleEntries<HostCoord2D>(coordinates);
    if (parts.coordinateCount < header.coordinates) return false;
    GSHandle directions = store.getSplineDirections();
    m_directions =
        directions != nullptr ? reinterpret_cast<const HostSplineDirection*>(*directions) : nullptr;
    m_directionCount = handleEntries<HostSplineDirection>(directions);
    return true;
}

void SplinePolygonMemo::unlockHostParts(MemoStore&) {
    m_directions = nullptr;
    m_directionCount = 0;
}

} // namespace tarnwick
