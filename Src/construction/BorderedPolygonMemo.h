// An outline whose edges may carry host data beside the polygon: a 16-byte edge record, a 32-bit
// edge value and a side-surface override per edge, each kept on the vertex the edge ends at. The
// host's edge data are carried back exactly as read; a vertex that never came from the host writes
// zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/ConstructionRecord.h"
#include "elements/PolygonMemo.h"
#include "platform/api/SlabRecords.h"
#include "project/ElementMemo.h"

namespace tarnwick {

// A vertex with the data of the edge that ends at it.
class BuiltPoint : public PolyPoint {
public:
    BuiltPoint() = default;
    explicit BuiltPoint(const PolyPoint& point) : PolyPoint(point) {}
    BuiltPoint(const BuiltPoint&) = default;
    BuiltPoint& operator=(const BuiltPoint&) = default;
    ~BuiltPoint() override = default;

    const HostEdgeRecord& getEdgeRecord() const { return m_edgeRecord; }
    void setEdgeRecord(const HostEdgeRecord& record) { m_edgeRecord = record; }
    uint32_t getEdgeValue() const { return m_edgeValue; }
    void setEdgeValue(uint32_t value) { m_edgeValue = value; }
    uint16_t getSideSurface() const { return m_sideSurface; }
    bool isSideOverriding() const { return m_sideOverriding != 0; }
    void setSideOverride(uint16_t surface, bool overriding) {
        m_sideSurface = surface;
        m_sideOverriding = overriding ? 1 : 0;
    }

protected:
    PolyPoint* newCopy() const override { return new BuiltPoint(*this); }

private:
    HostEdgeRecord m_edgeRecord;
    uint32_t m_edgeValue = 0;
    uint16_t m_sideSurface = 0;
    uint8_t m_sideOverriding = 0;
};

class BorderedPolygonMemo : public PolygonMemo {
public:
    BorderedPolygonMemo() = default;
    BorderedPolygonMemo(const BorderedPolygonMemo& other);
    BorderedPolygonMemo& operator=(const BorderedPolygonMemo& other);
    ~BorderedPolygonMemo() override = default;

    // Marks the polygon's second flag, then holds it.
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;
    // The polygon with its edge records and side overrides, and edge values where the owner has
    // them. Side overrides are always asked for: an override written back must not replace the
    // host's others with zeros.
    virtual uint64_t getMemoMask() const;
    // Whether the owner's edges carry edge values.
    virtual bool hasEdgeValues() const = 0;

    // Notes which edge arrays the store holds, so that an array read is written back.
    bool readMemo(MemoStore& store) override;
    // A plain vertex when the store holds none of the edge arrays, else a BuiltPoint.
    std::unique_ptr<PolyPoint> makePoint(const PolygonCounts& header, size_t index, const CadPoint& point,
                                         uint32_t id, double arcAngle) const override;
    // Allocates the edge arrays the vertices need, or that were read.
    bool canWrite(const PolygonCounts& header, MemoStore& store) override;
    void pointWritten(const PolyPoint& point, MemoStore& store, size_t index) override;
    bool lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override;
    void unlockHostParts(MemoStore& store) override;

    // --- For the owner.
    // The counts the outline will be written with (loaded first); held, the owner's record counts,
    // while the outline could not be loaded, so that a record built meanwhile keeps the host's.
    PolygonCounts countsToWrite(const PolygonCounts& held);
    // The owner's memo load of the outline: asks for it unless it is loaded and valid (or memo
    // loading is suspended) and reads it when the mask names it. A new element (no guid or
    // drawing) has nothing the host could hand out: the outline stands as loaded. When the host
    // cannot say it is left unloaded: an empty outline is never written over its own.
    void loadOutline(const Element& owner, uint64_t mask, MemoStore*& store, const MemoFetch& fetch);
    // Reads the outline from the store when the mask names it; with no store, what was asked
    // for stands as loaded and empty.
    void readOutline(uint64_t mask, MemoStore* store);
    // A new memo block with the outline and its edge arrays, and the mask of what it holds; null
    // when the outline cannot be written.
    ElementMemoPtr buildOutline(uint64_t& mask);

private:
    // Which edge arrays came from the host with the polygon.
    bool m_readRecords = false;
    bool m_readValues = false;
    bool m_readOverrides = false;
    // The store's edge arrays while it is read, each with the entries its block holds.
    const HostEdgeRecord* m_records = nullptr;
    size_t m_recordCount = 0;
    const uint32_t* m_values = nullptr;
    size_t m_valueCount = 0;
    const HostSideOverride* m_overrides = nullptr;
    size_t m_overrideCount = 0;
};

// The record of the copy with the counts its outline is written with.
template <class Part>
std::unique_ptr<API_Element> buildWithOutlineCounts(ConstructionRecord<Part> copy,
                                                    const BorderedPolygonMemo& outline,
                                                    const ElementLink& link) {
    // Counting loads the outline on first use: the memo is the cache of the host's outline.
    auto& counted = const_cast<BorderedPolygonMemo&>(outline);
    setPolygonCounts(copy.part(), counted.countsToWrite(polygonCountsOf(copy.part())));
    return copy.build(link);
}

} // namespace tarnwick
