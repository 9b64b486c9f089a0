#include "construction/MeshMemo.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "Environment/Memory.h"
#include "construction/ConstructionHelpers.h"
#include "elements/Element.h"
#include "platform/api/MeshRecords.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

bool isFinite(const CadPoint& p) {
    return std::isfinite(p.getX()) && std::isfinite(p.getY()) && std::isfinite(p.getZ());
}

bool allFinite(const CadPolygon& polygon) {
    for (const PolyPoint* vertex : polygon.getVertices())
        if (!isFinite(*vertex)) return false;
    return true;
}

HostLevelCoordinate levelRecord(const PolyPoint& point) {
    HostLevelCoordinate record;
    record.x = point.getX();
    record.y = point.getY();
    record.z = point.getZ();
    record.vertexId = point.getId();
    return record;
}

} // namespace

// --- PolygonLevelMemo.

bool PolygonLevelMemo::writeMemo(MemoStore& store) {
    (void)replaceHandle(store.vertexDoublesAddress(), 0); // the field holds the new handle
    return PolygonMemo::writeMemo(store);
}

void PolygonLevelMemo::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setSecondFlag(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

// --- MeshMemo.

MeshMemo::MeshMemo(const MeshMemo& other) : Memo(other) {
    *this = other;
}

MeshMemo& MeshMemo::operator=(const MeshMemo& other) {
    if (this == &other) return *this;
    Memo::operator=(other);
    m_levelLines.reset();
    if (other.m_levelLines) {
        m_levelLines = std::make_unique<PolyList>();
        m_levelLines->cloneFrom(*other.m_levelLines, [](const CadPolygon& line) { return line.clone(); });
    }
    m_levelPoints = other.m_levelPoints ? std::make_unique<CadPolygon>(*other.m_levelPoints) : nullptr;
    return *this;
}

MeshMemo::~MeshMemo() = default;

bool MeshMemo::isValid() const {
    if (m_levelLines)
        for (const CadPolygon* line : *m_levelLines)
            if (line == nullptr || line->getVertexCount() < 2 || !allFinite(*line)) return false;
    return !m_levelPoints || allFinite(*m_levelPoints);
}

bool MeshMemo::writeMemo(MemoStore& store) {
    // Held edits are written as they are: a memo that is loaded is not fetched again over them.
    if (!isLoaded()) {
        Element* owner = getOwner();
        if (owner == nullptr || !ensureLoaded(*owner)) return false;
    }
    if (!isValid()) return false;
    const size_t lines = getLevelLineCount();
    const size_t points = getLevelPointCount();
    if (lines + points == 0) return true;
    const size_t total = getLevelVertexCount(true);
    GSHandle coordinates =
        replaceHandle(store.levelCoordinatesAddress(), total * sizeof(HostLevelCoordinate));
    GSHandle ends = replaceHandle(store.levelEndsAddress(), (lines + points) * sizeof(uint32_t));
    size_t written = 0;
    size_t group = 0;
    auto put = [&](const PolyPoint& point) {
        const HostLevelCoordinate record = levelRecord(point);
        std::memcpy(*coordinates + written * sizeof record, &record, sizeof record);
        ++written;
    };
    auto end = [&] {
        const auto value = static_cast<uint32_t>(written);
        std::memcpy(*ends + group * sizeof value, &value, sizeof value);
        ++group;
    };
    for (size_t l = 0; l < lines; ++l) {
        const CadPolygon& line = *(*m_levelLines)[l];
        for (const PolyPoint* vertex : line.getVertices())
            put(*vertex);
        end();
    }
    for (size_t p = 0; p < points; ++p) {
        put(m_levelPoints->getVertex(p));
        end();
    }
    return true;
}

bool MeshMemo::readMemo(MemoStore& store) {
    m_levelLines.reset();
    m_levelPoints.reset();
    GSHandle coordinates = store.getLevelCoordinates();
    GSHandle ends = store.getLevelEnds();
    const auto endBytes = static_cast<size_t>(getHandleSize(ends));
    if (coordinates == nullptr || ends == nullptr || endBytes < sizeof(uint32_t)) {
        m_loaded = isValid();
        return m_loaded;
    }
    m_loaded = false;
    const auto coordinateBytes = static_cast<size_t>(getHandleSize(coordinates));
    if (coordinateBytes % sizeof(HostLevelCoordinate) != 0) return false;
    const size_t available = coordinateBytes / sizeof(HostLevelCoordinate);
    std::vector<uint32_t> groupEnds(endBytes / sizeof(uint32_t));
    std::memcpy(groupEnds.data(), *ends, groupEnds.size() * sizeof(uint32_t));
    // Every group must end after the one before it and inside what the handle holds.
    uint32_t previous = 0;
    for (uint32_t value : groupEnds) {
        if (value <= previous || value > available) return false;
        previous = value;
    }
    std::vector<HostLevelCoordinate> records(available);
    std::memcpy(static_cast<void*>(records.data()), *coordinates, available * sizeof(HostLevelCoordinate));
    for (const HostLevelCoordinate& r : records)
        if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.z)) return false;
    auto pointOf = [&](size_t i) {
        const HostLevelCoordinate& r = records[i];
        return std::make_unique<PolyPoint>(CadPoint(r.x, r.y, r.z), 0.0, r.vertexId);
    };
    previous = 0;
    for (uint32_t value : groupEnds) {
        if (value - previous > 1) {
            auto line = std::make_unique<CadPolygon>(value - previous, 0, false);
            for (size_t i = previous; i < value; ++i)
                line->append(pointOf(i));
            addLevelLine(line.release());
        } else {
            addLevelPoint(pointOf(previous).release());
        }
        previous = value;
    }
    m_loaded = isValid();
    return m_loaded;
}

const CadPolygon* MeshMemo::getLevelLine(size_t index) const {
    checkIndex(index, getLevelLineCount());
    return (*m_levelLines)[index];
}

void MeshMemo::addLevelLine(CadPolygon* line) {
    if (line == nullptr) return;
    std::unique_ptr<CadPolygon> held(line);
    if (!m_levelLines) m_levelLines = std::make_unique<PolyList>();
    m_levelLines->push_back(std::move(held));
}

void MeshMemo::replaceLevelLine(CadPolygon* line, size_t index) {
    std::unique_ptr<CadPolygon> held(line);
    if (!held) throw std::out_of_range("invalid vector<T> subscript: no line");
    checkIndex(index, getLevelLineCount());
    (void)m_levelLines->replace(index, std::move(held)); // the old line is deleted with the answer
}

void MeshMemo::removeLevelLine(size_t index) {
    checkIndex(index, getLevelLineCount());
    m_levelLines->erase(index);
}

void MeshMemo::clearLevelLines() {
    if (m_levelLines) m_levelLines->clear();
}

const PolyPoint& MeshMemo::getLevelPoint(size_t index) const {
    checkIndex(index, getLevelPointCount());
    return m_levelPoints->getVertex(index);
}

void MeshMemo::addLevelPoint(PolyPoint* point) {
    if (point == nullptr) return;
    std::unique_ptr<PolyPoint> held(point);
    if (!m_levelPoints) m_levelPoints = std::make_unique<CadPolygon>(0, 0, false);
    m_levelPoints->append(held.release());
}

void MeshMemo::removeLevelPoint(size_t index) {
    checkIndex(index, getLevelPointCount());
    m_levelPoints->removeVertex(index);
}

void MeshMemo::clearLevelPoints() {
    if (m_levelPoints) m_levelPoints->clearVertices();
}

size_t MeshMemo::getLevelVertexCount(bool includeLines) const {
    size_t count = getLevelPointCount();
    if (includeLines && m_levelLines)
        for (const CadPolygon* line : *m_levelLines)
            count += line->getVertexCount();
    return count;
}

} // namespace tarnwick
