// A spline's vertices: coordinates without arcs, contours or ids, counted from 0, and beside them
// the direction data of each vertex, unless the spline is direction-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "elements/PolygonMemo.h"
#include "platform/api/DraftingRecords.h"

namespace tarnwick {

class SplinePoint : public PolyPoint {
public:
    SplinePoint() = default;
    // Zero directions without a record.
    SplinePoint(const CadPoint& point, const HostSplineDirection* direction);
    SplinePoint(const CadPoint& point, double first, double second, double third);
    SplinePoint(const SplinePoint&) = default;
    SplinePoint& operator=(const SplinePoint&) = default;
    ~SplinePoint() override = default;

    const HostSplineDirection& getDirection() const { return m_direction; }
    void setDirection(const HostSplineDirection& direction) { m_direction = direction; }

protected:
    PolyPoint* newCopy() const override { return new SplinePoint(*this); }

private:
    HostSplineDirection m_direction;
};

class SplinePolygonMemo : public PolygonMemo {
public:
    SplinePolygonMemo() = default;
    SplinePolygonMemo(const SplinePolygonMemo&) = default;
    SplinePolygonMemo& operator=(const SplinePolygonMemo&) = default;
    ~SplinePolygonMemo() override = default;

    // Counts the vertices by the size of the coordinate handle, a partial point left out.
    bool readMemo(MemoStore& store) override;
    std::unique_ptr<PolyPoint> makePoint(const PolygonCounts& header, size_t index, const CadPoint& point,
                                         uint32_t id, double arcAngle) const override;
    void pointWritten(const PolyPoint& point, MemoStore& store, size_t index) override;
    bool isClosed() const override { return true; }
    bool isOneBased() const override { return false; }
    bool skipsFirstPoint() const override { return false; }
    bool hasContours() const override { return false; }
    // One contour of the vertices being read, else of the vertices held.
    PolygonCounts getPolygonHeader() const override;
    // No direction handle for a direction-free spline.
    bool allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override;
    bool lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override;
    void unlockHostParts(MemoStore& store) override;
    virtual bool isDirectionFree() const { return false; }

    const HostSplineCounts& getSplineCounts() const { return m_splineCounts; }

private:
    HostSplineCounts m_splineCounts;
    std::optional<uint32_t> m_readCount;
    const HostSplineDirection* m_directions = nullptr; // while a store is read
    size_t m_directionCount = 0;
    uint32_t m_ends[2] = {}; // the one contour the writer closes; the host keeps no ends
};

} // namespace tarnwick
