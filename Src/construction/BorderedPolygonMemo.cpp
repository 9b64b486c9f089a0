#include "construction/BorderedPolygonMemo.h"

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

size_t entriesOfHandle(GSHandle handle, size_t width) {
    return handle == nullptr ? 0 : static_cast<size_t>(getHandleSize(handle)) / width;
}

size_t entriesOfPtr(GSPtr ptr, size_t width) {
    return ptr == nullptr ? 0 : static_cast<size_t>(getPtrSize(ptr)) / width;
}

template <class T> T* entryAt(char* data, size_t count, size_t index) {
    return data != nullptr && index < count ? reinterpret_cast<T*>(data) + index : nullptr;
}

} // namespace

BorderedPolygonMemo::BorderedPolygonMemo(const BorderedPolygonMemo& other)
    : PolygonMemo(other), m_readRecords(other.m_readRecords), m_readValues(other.m_readValues),
      m_readOverrides(other.m_readOverrides) {}

BorderedPolygonMemo& BorderedPolygonMemo::operator=(const BorderedPolygonMemo& other) {
    if (this != &other) {
        PolygonMemo::operator=(other);
        m_readRecords = other.m_readRecords;
        m_readValues = other.m_readValues;
        m_readOverrides = other.m_readOverrides;
    }
    return *this;
}

void BorderedPolygonMemo::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setSecondFlag(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

uint64_t BorderedPolygonMemo::getMemoMask() const {
    const uint64_t mask = MemoPolygon | MemoEdgeRecords | MemoSideOverrides;
    return hasEdgeValues() ? mask | MemoEdgeValues : mask;
}

bool BorderedPolygonMemo::readMemo(MemoStore& store) {
    m_readRecords = store.getEdgeRecords() != nullptr;
    m_readValues = hasEdgeValues() && store.getEdgeValues() != nullptr;
    m_readOverrides = store.getSideOverrides() != nullptr;
    return PolygonMemo::readMemo(store);
}

bool BorderedPolygonMemo::lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) {
    GSHandle records = store.getEdgeRecords();
    m_records = records != nullptr ? reinterpret_cast<const HostEdgeRecord*>(*records) : nullptr;
    m_recordCount = entriesOfHandle(records, sizeof(HostEdgeRecord));
    // A kind without edge values never reads them, whatever the store holds.
    GSPtr values = hasEdgeValues() ? store.getEdgeValues() : nullptr;
    m_values = reinterpret_cast<const uint32_t*>(values);
    m_valueCount = entriesOfPtr(values, sizeof(uint32_t));
    GSPtr overrides = store.getSideOverrides();
    m_overrides = reinterpret_cast<const HostSideOverride*>(overrides);
    m_overrideCount = entriesOfPtr(overrides, sizeof(HostSideOverride));
    return PolygonMemo::lockHostParts(store, header, parts);
}

void BorderedPolygonMemo::unlockHostParts(MemoStore& store) {
    m_records = nullptr;
    m_values = nullptr;
    m_overrides = nullptr;
    m_recordCount = m_valueCount = m_overrideCount = 0;
    PolygonMemo::unlockHostParts(store);
}

std::unique_ptr<PolyPoint> BorderedPolygonMemo::makePoint(const PolygonCounts& header, size_t index,
                                                          const CadPoint& point, uint32_t id,
                                                          double arcAngle) const {
    if (m_records == nullptr && m_values == nullptr && m_overrides == nullptr)
        return PolygonMemo::makePoint(header, index, point, id, arcAngle);
    auto built = std::make_unique<BuiltPoint>(PolyPoint(point, arcAngle, id));
    // An entry past what a block holds reads as zero.
    if (m_records != nullptr && index < m_recordCount) built->setEdgeRecord(m_records[index]);
    if (m_values != nullptr && index < m_valueCount) built->setEdgeValue(m_values[index]);
    if (m_overrides != nullptr && index < m_overrideCount)
        built->setSideOverride(m_overrides[index].surface, m_overrides[index].overriding != 0);
    return built;
}

bool BorderedPolygonMemo::canWrite(const PolygonCounts& header, MemoStore& store) {
    if (!m_polygon) return false;
    bool anyBuilt = false, anyOverride = false, anyValue = false;
    auto visit = [&](const CadPolygon& contour) {
        for (size_t i = 0; i < contour.getVertexCount(); ++i) {
            const auto* built = dynamic_cast<const BuiltPoint*>(&contour.getVertex(i));
            if (built == nullptr) continue;
            anyBuilt = true;
            anyOverride = anyOverride || built->getSideSurface() != 0;
            anyValue = anyValue || built->getEdgeValue() != 0;
        }
    };
    visit(*m_polygon);
    for (const CadPolygon* hole : m_polygon->getHoles())
        if (hole != nullptr) visit(*hole);
    const size_t entries = size_t(header.coordinates) + 1;
    GSHandle* records = store.edgeRecordsAddress();
    freeHandle(*records);
    if (anyBuilt || m_readRecords)
        *records = allocateHandle(static_cast<GSSize>(entries * sizeof(HostEdgeRecord)));
    // An array read is written back even when every entry is now zero: that is how a cleared
    // last override or value reaches the host.
    GSPtr* overrides = store.sideOverridesAddress();
    freePtr(*overrides);
    if (anyOverride || m_readOverrides)
        *overrides = allocatePtr(static_cast<GSSize>(entries * sizeof(HostSideOverride)));
    GSPtr* values = store.edgeValuesAddress();
    freePtr(*values);
    if (hasEdgeValues() && (anyValue || m_readValues))
        *values = allocatePtr(static_cast<GSSize>(entries * sizeof(uint32_t)));
    return true;
}

void BorderedPolygonMemo::pointWritten(const PolyPoint& point, MemoStore& store, size_t index) {
    const auto* built = dynamic_cast<const BuiltPoint*>(&point);
    GSHandle records = *store.edgeRecordsAddress();
    if (records != nullptr) {
        auto* entry =
            entryAt<HostEdgeRecord>(*records, entriesOfHandle(records, sizeof(HostEdgeRecord)), index);
        if (entry != nullptr) *entry = built != nullptr ? built->getEdgeRecord() : HostEdgeRecord();
    }
    GSPtr overrides = *store.sideOverridesAddress();
    auto* side =
        entryAt<HostSideOverride>(overrides, entriesOfPtr(overrides, sizeof(HostSideOverride)), index);
    if (side != nullptr) {
        *side = HostSideOverride();
        if (built != nullptr) {
            side->surface = built->getSideSurface();
            side->overriding = built->isSideOverriding() ? 1 : 0;
        }
    }
    GSPtr values = *store.edgeValuesAddress();
    auto* value = entryAt<uint32_t>(values, entriesOfPtr(values, sizeof(uint32_t)), index);
    if (value != nullptr) *value = built != nullptr ? built->getEdgeValue() : 0;
}

} // namespace tarnwick

namespace tarnwick {

PolygonCounts BorderedPolygonMemo::countsToWrite(const PolygonCounts& held) {
    PolygonCounts counts;
    getPolygonCounts(counts);
    return isLoaded() ? counts : held;
}

void BorderedPolygonMemo::loadOutline(const Element& owner, uint64_t mask, MemoStore*& store,
                                      const MemoFetch& fetch) {
    const MemoPart outline[] = {{*this, getMemoMask()}};
    mask = withUnloadedParts(outline, mask);
    if ((mask & getMemoMask()) == 0) return;
    if (store == nullptr) {
        if (!owner.getLink().hasGuid() || owner.getDrawing() == nullptr) return readOutline(mask, nullptr);
        if (!fetch(mask, store)) return;
    }
    readOutline(mask, store);
}

void BorderedPolygonMemo::readOutline(uint64_t mask, MemoStore* store) {
    if ((mask & getMemoMask()) == 0) return;
    if (store == nullptr) {
        setLoaded(true);
        return;
    }
    (void)readMemo(*store); // an outline that cannot be read stays unloaded
}

ElementMemoPtr BorderedPolygonMemo::buildOutline(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (memo->coordinates != nullptr) mask |= MemoPolygon;
    if (memo->edgeRecords != nullptr) mask |= MemoEdgeRecords;
    if (memo->sideOverrides != nullptr) mask |= MemoSideOverrides;
    if (hasEdgeValues() && memo->edgeValues != nullptr) mask |= MemoEdgeValues;
    return ElementMemoPtr(store.release());
}

} // namespace tarnwick
