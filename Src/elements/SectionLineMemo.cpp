#include "elements/SectionLineMemo.h"

#include <cstdint>
#include <cstring>

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
GSHandle* addressOf(MemoStore& store, size_t index) {
    return index == 0   ? store.sectionPoints1Address()
           : index == 1 ? store.sectionPoints2Address()
                        : store.sectionPoints3Address();
}

GSHandle handleOf(const MemoStore& store, size_t index) {
    return index == 0   ? store.getSectionPoints1()
           : index == 1 ? store.getSectionPoints2()
                        : store.getSectionPoints3();
}

// An open line of the handle's first count points; null when the handle does not hold them.
std::unique_ptr<CadPolygon> readLine(GSHandle handle, uint16_t count) {
    if (static_cast<size_t>(getHandleSize(handle)) / sizeof(HostCoord2D) < count) return nullptr;
    auto polygon = std::make_unique<CadPolygon>(count, 0, false);
    for (size_t i = 0; i < count; ++i) {
        HostCoord2D point;
        std::memcpy(&point, *handle + i * sizeof point, sizeof point);
        polygon->append(std::make_unique<PolyPoint>(point, 0.0, 0));
    }
    polygon->setClosed(false);
    return polygon;
}
} // namespace

SectionLineMemo::SectionLineMemo(const SectionLineMemo& other) : Memo(other) {
    for (size_t i = 0; i < 3; ++i)
        if (other.m_lines[i]) m_lines[i] = std::make_unique<CadPolygon>(*other.m_lines[i]);
}

SectionLineMemo& SectionLineMemo::operator=(const SectionLineMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        for (size_t i = 0; i < 3; ++i)
            m_lines[i] = other.m_lines[i] ? std::make_unique<CadPolygon>(*other.m_lines[i]) : nullptr;
    }
    return *this;
}

SectionLineMemo::~SectionLineMemo() = default;

bool SectionLineMemo::isValid() const {
    // An open line: two straight points make one, though they enclose nothing.
    return m_lines[0] && m_lines[0]->getVertexCount() >= 2;
}

void SectionLineMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoMask, store);
}

CadPolygon* SectionLineMemo::line(size_t index) const {
    if (Element* owner = getOwner()) (void)const_cast<SectionLineMemo*>(this)->ensureLoaded(*owner);
    return m_lines[index].get();
}

void SectionLineMemo::setLine(size_t index, std::unique_ptr<CadPolygon> polygon) {
    m_lines[index] = std::move(polygon);
    m_loaded = true;
}

SectionLineCounts SectionLineMemo::getLineCounts() const {
    SectionLineCounts counts{};
    for (size_t i = 0; i < 3; ++i)
        counts[i] = m_lines[i] ? static_cast<uint16_t>(m_lines[i]->getVertexCount()) : 0;
    return counts;
}

bool SectionLineMemo::readMemo(MemoStore& store) {
    for (auto& line : m_lines)
        line.reset();
    m_loaded = false;
    const SectionLineCounts counts = getRecordLineCounts();
    GSHandle first = handleOf(store, 0);
    if (first == nullptr || counts[0] < 2) return false;
    std::unique_ptr<CadPolygon> lines[3];
    lines[0] = readLine(first, counts[0]);
    if (!lines[0]) return false;
    for (size_t i = 1; i < 3; ++i) {
        GSHandle handle = handleOf(store, i);
        if (handle == nullptr || counts[i] < 1) continue;
        lines[i] = readLine(handle, counts[i]);
        if (!lines[i]) return false;
    }
    for (size_t i = 0; i < 3; ++i)
        m_lines[i] = std::move(lines[i]);
    m_loaded = true;
    return true;
}

bool SectionLineMemo::writeMemo(MemoStore& store) {
    Element* owner = getOwner();
    if (owner == nullptr || !ensureLoaded(*owner)) return false;
    // The record counts a line's points in 16 bits.
    for (const auto& line : m_lines)
        if (line && line->getVertexCount() > UINT16_MAX) return false;
    for (size_t i = 0; i < 3; ++i) {
        const CadPolygon* polygon = m_lines[i].get();
        const size_t count = polygon != nullptr ? polygon->getVertexCount() : 0;
        if (count == 0 && i > 0) continue;
        GSHandle handle = allocateHandle(static_cast<GSSize>(count * sizeof(HostCoord2D)));
        for (size_t p = 0; p < count; ++p) {
            const HostCoord2D point = polygon->getVertex(p).getCoord2D();
            std::memcpy(*handle + p * sizeof point, &point, sizeof point);
        }
        GSHandle* field = addressOf(store, i);
        freeHandle(*field);
        *field = handle;
    }
    return true;
}

} // namespace tarnwick
