#include "elements/PolygonMemo.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
constexpr double ArcTolerance = 1e-5;
constexpr size_t ContourDone = std::numeric_limits<size_t>::max();

} // namespace

void PolygonParts::setHandles(GSHandle coordinateHandle, GSHandle endHandle, GSHandle arcHandle,
                              GSHandle idHandle) {
    coordinates = handleData<HostCoord2D>(coordinateHandle);
    coordinateCount = handleEntries<HostCoord2D>(coordinateHandle);
    ends = handleData<uint32_t>(endHandle);
    endCount = handleEntries<uint32_t>(endHandle);
    arcs = handleData<HostPolygonArc>(arcHandle);
    arcCount = handleEntries<HostPolygonArc>(arcHandle);
    ids = handleData<uint32_t>(idHandle);
    idCount = handleEntries<uint32_t>(idHandle);
}

PolygonMemo::PolygonMemo(const PolygonMemo& other)
    : Memo(other), m_polygon(other.m_polygon ? std::make_unique<CadPolygon>(*other.m_polygon) : nullptr),
      m_counts(other.m_counts), m_hasVertexIds(other.m_hasVertexIds) {}

PolygonMemo& PolygonMemo::operator=(const PolygonMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        m_polygon = other.m_polygon ? std::make_unique<CadPolygon>(*other.m_polygon) : nullptr;
        m_counts = other.m_counts;
        m_hasVertexIds = other.m_hasVertexIds;
    }
    return *this;
}

PolygonMemo::~PolygonMemo() = default;

bool PolygonMemo::isValid() const {
    return m_polygon && m_polygon->isValid(false, ArcTolerance);
}

void PolygonMemo::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon.get() == m_polygon.get()) {
        (void)polygon.release(); // the same object: keep holding it once
    } else {
        m_polygon = std::move(polygon);
    }
    m_loaded = true;
}

void PolygonMemo::copyPolygon(const CadPolygon& polygon) {
    m_polygon = std::make_unique<CadPolygon>(polygon);
    m_loaded = true;
}

std::unique_ptr<PolyPoint> PolygonMemo::makePoint(const PolygonCounts&, size_t, const CadPoint& point,
                                                  uint32_t id, double arcAngle) const {
    return std::make_unique<PolyPoint>(point, arcAngle, id);
}

bool PolygonMemo::canWrite(const PolygonCounts&, MemoStore&) {
    return true;
}

void PolygonMemo::pointWritten(const PolyPoint&, MemoStore&, size_t) {}

CadPolygon* PolygonMemo::getPolygon() {
    if (Element* owner = getOwner()) ensureLoaded(*owner);
    return m_polygon.get();
}

bool PolygonMemo::movePolygon(const CadPoint& offset) {
    CadPolygon* polygon = getPolygon();
    if (!isLoaded()) return false;
    if (polygon != nullptr) *polygon += offset;
    return true;
}

// --- Reading.

bool PolygonMemo::lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    parts = PolygonParts();
    GSHandle coordinates = store.getCoordinates();
    GSHandle ends = store.getSubPolygonEnds();
    GSHandle arcs = store.getArcs();
    if (header.coordinates < 1 || header.ends < 1 || coordinates == nullptr || ends == nullptr) return false;
    if (header.arcs > 0 && arcs == nullptr) return false;
    parts.setHandles(coordinates, ends, arcs, store.getVertexIds());
    GSHandle doubles = store.getVertexDoubles();
    parts.doubles = handleData<double>(doubles);
    parts.doubleCount = handleEntries<double>(doubles);
    // The counts must fit the handles they index.
    const uint64_t firstIndex = isOneBased() ? 1 : 0;
    if (parts.coordinateCount < uint64_t(header.coordinates) + firstIndex) return false;
    // A coordinate handle of a partial point was not written by the host's own format.
    if (static_cast<size_t>(getHandleSize(coordinates)) % sizeof(HostCoord2D) != 0) return false;
    if (parts.endCount < uint64_t(header.ends) + 1) return false;
    if (parts.arcCount < header.arcs) return false;
    return true;
}

void PolygonMemo::unlockHostParts(MemoStore&) {}

bool PolygonMemo::readMemo(MemoStore& store) {
    m_loaded = false;
    m_polygon.reset();
    const PolygonCounts header = getPolygonHeader();
    m_hasVertexIds = store.getVertexIds() != nullptr;
    PolygonParts parts;
    if (!lockHostParts(store, header, parts)) {
        unlockHostParts(store);
        return false;
    }
    bool read = readContours(header, parts);
    unlockHostParts(store);
    if (!read) m_polygon.reset();
    m_loaded = m_polygon != nullptr;
    return m_loaded;
}

bool PolygonMemo::readContours(const PolygonCounts& header, const PolygonParts& parts) {
    const int64_t available = static_cast<int64_t>(parts.coordinateCount);
    int64_t index = isOneBased() ? 1 : 0;
    const int64_t contours = parts.ends != nullptr ? int64_t(header.ends) : 1;
    const size_t arcCount = parts.arcs != nullptr ? header.arcs : 0;
    // The ends are read as counts from the first stored point: one that starts elsewhere would
    // pair each contour with another's points.
    if (parts.ends != nullptr && parts.ends[0] != 0) return false;
    for (size_t a = 0; a < arcCount; ++a)
        if (!std::isfinite(parts.arcs[a].angle)) return false;
    for (int64_t c = 0; c < contours; ++c) {
        int64_t n = parts.ends != nullptr ? int64_t(parts.ends[c + 1]) - int64_t(parts.ends[c])
                                          : int64_t(header.coordinates);
        if (c >= 1 || skipsFirstPoint()) {
            --n;
            ++index;
        }
        // A contour needs two points to bound anything (two with an arc make a circle).
        if (n < 2 || index + n > available) return false;
        if (parts.ids != nullptr && index + n > int64_t(parts.idCount)) return false;
        if (parts.doubles != nullptr && index + n > int64_t(parts.doubleCount)) return false;
        auto contour = std::make_unique<CadPolygon>(static_cast<size_t>(n),
                                                    c == 0 ? static_cast<size_t>(contours - 1) : 0, true);
        for (int64_t k = 0; k < n; ++k, ++index) {
            const size_t at = static_cast<size_t>(index);
            const HostCoord2D& coordinate = parts.coordinates[at];
            if (!std::isfinite(coordinate.x) || !std::isfinite(coordinate.y)) return false;
            uint32_t id = parts.ids != nullptr ? parts.ids[at] : 0;
            double arcAngle = 0.0;
            for (size_t a = 0; a < arcCount; ++a)
                if (parts.arcs[a].end == at) {
                    arcAngle = parts.arcs[a].angle;
                    break;
                }
            double z = parts.doubles != nullptr ? parts.doubles[at] : 0.0;
            if (!std::isfinite(z)) return false;
            contour->append(makePoint(header, at, CadPoint(coordinate, z), id, arcAngle).release());
        }
        if (c == 0)
            m_polygon = std::move(contour);
        else
            m_polygon->addHole(contour.release());
    }
    if (!m_polygon) return false;
    m_polygon->setClosed(isClosed());
    if (parts.ids != nullptr && parts.idCount > 0)
        m_polygon->setVertexIdCounter(parts.ids[0]);
    else
        m_polygon->renumberVertexIds(0);
    return true;
}

// --- Writing.

template <class Visit> void PolygonMemo::forEachWritten(Visit visit) const {
    if (!m_polygon) return;
    // Holes only where the format has contours; a closing point only where it stores one.
    const size_t contours = hasContours() ? m_polygon->getHoleCount() + 1 : 1;
    const bool closing = hasContours();
    for (size_t c = 0; c < contours; ++c) {
        const CadPolygon& contour = c == 0 ? *m_polygon : m_polygon->getHole(c - 1);
        const size_t m = contour.getVertexCount();
        if (m == 0) continue;
        const size_t n = m + (closing ? 1 : 0);
        for (size_t i = 0; i < n; ++i) {
            const PolyPoint& vertex = contour.getVertex(i);
            bool writesArc = i >= 1 && std::fabs(vertex.getArcAngle()) > ArcTolerance;
            visit(c, i, &vertex, writesArc);
        }
        visit(c, ContourDone, nullptr, false);
    }
}

void PolygonMemo::getPolygonCounts(PolygonCounts& header) {
    header = PolygonCounts();
    if (Element* owner = getOwner()) ensureLoaded(*owner);
    if (!m_polygon) return;
    m_polygon->renumberVertexIds(0);
    forEachWritten([&header](size_t, size_t i, const PolyPoint*, bool writesArc) {
        if (i == ContourDone) {
            ++header.ends;
            return;
        }
        ++header.coordinates;
        if (writesArc) ++header.arcs;
    });
}

bool PolygonMemo::allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    parts = PolygonParts();
    if (header.coordinates < 1 || header.ends < 1) return false;
    const size_t points = size_t(header.coordinates) + 1;
    GSHandle ids = replaceHandle(store.vertexIdsAddress(), points * sizeof(uint32_t));
    GSHandle coordinates = replaceHandle(store.coordinatesAddress(), points * sizeof(HostCoord2D));
    GSHandle ends =
        replaceHandle(store.subPolygonEndsAddress(), (size_t(header.ends) + 1) * sizeof(uint32_t));
    GSHandle* arcField = store.arcsAddress();
    freeHandle(*arcField);
    if (header.arcs >= 1)
        *arcField = allocateHandle(static_cast<GSSize>(header.arcs * sizeof(HostPolygonArc)));
    GSHandle* doubleField = store.vertexDoublesAddress();
    if (*doubleField != nullptr) resizeHandle(*doubleField, static_cast<GSSize>(points * sizeof(double)));
    parts.setHandles(coordinates, ends, *arcField, ids);
    parts.doubles = handleData<double>(*doubleField);
    parts.doubleCount = handleEntries<double>(*doubleField);
    return true;
}

bool PolygonMemo::writeMemo(MemoStore& store) {
    if (Element* owner = getOwner()) ensureLoaded(*owner);
    if (!isValid()) return false;
    PolygonCounts& header = getCountHeader();
    getPolygonCounts(header);
    if (!canWrite(header, store)) return false;
    PolygonParts parts;
    if (!allocateHostParts(store, header, parts)) {
        unlockHostParts(store);
        return false;
    }
    if (parts.ids != nullptr && parts.idCount > 0) parts.ids[0] = m_polygon->getVertexIdCounter();
    if (isOneBased() && parts.coordinateCount > 0)
        parts.coordinates[0] = isClosed() ? HostCoord2D{0.0, 0.0} : HostCoord2D{-1.0, 0.0};
    if (parts.endCount > 0) parts.ends[0] = 0;
    if (parts.doubles != nullptr && parts.doubleCount > 0) parts.doubles[0] = 0.0;

    size_t index = isOneBased() ? 1 : 0;
    size_t arc = 0;
    bool fits = true;
    forEachWritten([&](size_t contour, size_t i, const PolyPoint* vertex, bool writesArc) {
        if (!fits) return;
        if (i == ContourDone) {
            if (contour + 1 >= parts.endCount) return void(fits = false);
            parts.ends[contour + 1] = static_cast<uint32_t>(index - 1);
            return;
        }
        if (index >= parts.coordinateCount || (writesArc && arc >= parts.arcCount)) return void(fits = false);
        if (parts.ids != nullptr && index < parts.idCount) parts.ids[index] = vertex->getId();
        parts.coordinates[index] = vertex->getCoord2D();
        if (parts.doubles != nullptr && index < parts.doubleCount) parts.doubles[index] = vertex->getZ();
        if (writesArc) {
            parts.arcs[arc].begin = static_cast<uint32_t>(index - 1);
            parts.arcs[arc].end = static_cast<uint32_t>(index);
            parts.arcs[arc].angle = vertex->getArcAngle();
            ++arc;
        }
        pointWritten(*vertex, store, index);
        ++index;
    });
    unlockHostParts(store);
    return fits;
}

// --- PolygonConstructor.

std::unique_ptr<CadPolygon> PolygonConstructor::build(const PolygonCounts& header, GSHandle coordinates,
                                                      GSHandle ends, GSHandle arcs) {
    m_header = header;
    API_ElementMemo memo;
    memo.coordinates = coordinates;
    memo.subPolygonEnds = ends;
    memo.arcs = arcs;
    ElementMemoStore store(&memo);
    store.setReleased(true); // the handles stay with their owner
    readMemo(store);
    m_loaded = false;
    return std::move(m_polygon);
}

} // namespace tarnwick
