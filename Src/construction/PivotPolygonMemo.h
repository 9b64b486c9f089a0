// The pivot polygon of a multi-plane roof: a second polygon beside the roof's outline, kept in the
// memo's pivot fields so that both travel in one memo block. Each vertex may carry the host's
// 32-byte pivot record, which travels unchanged and is written back whole.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "elements/PolygonMemo.h"

namespace tarnwick {

class PivotPoint : public PolyPoint {
public:
    static constexpr size_t DataSize = 32;
    using Data = std::array<uint8_t, DataSize>;

    PivotPoint() = default; // a zeroed pivot record
    PivotPoint(const PolyPoint& vertex, const Data& data) : PolyPoint(vertex), m_pivotData(data) {}
    PivotPoint(const PivotPoint&) = default;
    PivotPoint& operator=(const PivotPoint&) = default;
    ~PivotPoint() override = default;

    // The address of the pivot record.
    virtual uint8_t* getVertexData() { return m_pivotData.data(); }
    const Data& getPivotData() const { return m_pivotData; }

protected:
    PolyPoint* newCopy() const override { return new PivotPoint(*this); }

private:
    Data m_pivotData{};
};

class PivotPolygonMemo : public PolygonMemo {
public:
    // The counts the host's pivot arrays are read under: the given ones, else zero.
    explicit PivotPolygonMemo(const PolygonCounts* header = nullptr);
    PivotPolygonMemo(const PivotPolygonMemo&) = default;
    PivotPolygonMemo& operator=(const PivotPolygonMemo&) = default;
    ~PivotPolygonMemo() override = default;

    virtual uint64_t getMemoMask() const { return MemoPivotPolygon; }
    void load(Element& owner, MemoStore*& store) override;
    // Reads the pivot arrays, each vertex with its entry of the pivot-record block when the store
    // has one; a block shorter than the coordinates is refused.
    bool readMemo(MemoStore& store) override;

    // A pivot point when a record block is being read, else a plain vertex.
    std::unique_ptr<PolyPoint> makePoint(const PolygonCounts& header, size_t index, const CadPoint& point,
                                         uint32_t id, double arcAngle) const override;
    // Makes the record block when any vertex carries a pivot record (none otherwise); true once
    // there is a polygon.
    bool canWrite(const PolygonCounts& header, MemoStore& store) override;
    // Entry `index` of the record block: the vertex's record, zeros for a plain vertex.
    void pointWritten(const PolyPoint& point, MemoStore& store, size_t index) override;
    PolygonCounts getPolygonHeader() const override { return m_header; }
    void setPolygonHeader(const PolygonCounts& header) { m_header = header; }
    // The pivot arrays, never the outline's.
    bool allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override;
    bool lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override;

private:
    PolygonCounts m_header;
    // The record block of the store being read, only while it is read.
    const uint8_t* m_records = nullptr;
};

} // namespace tarnwick
