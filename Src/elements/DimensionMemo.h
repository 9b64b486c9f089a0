// The points of a linear dimension: one host dimension-point record each, kept in the element
// memo, plus a mark for a point whose node the host could not place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Environment/Containers.h"
#include "geometry/CadPoint.h"
#include "platform/api/DimensionRecords.h"
#include "project/ElementLink.h"
#include "project/Memo.h"

namespace tarnwick {

class TextStyle;

class DimensionPoint {
public:
    // A copy of the record, its host reference left behind; zeros without one.
    explicit DimensionPoint(const HostDimensionPoint* record = nullptr);
    // A point on a node of the element. Without near, on the link's node: unusable when the host
    // cannot place it. With near, at near, on the first node within the tolerance of it, the
    // link's own asked first; marked as on no node when none is.
    DimensionPoint(const ElementLink& element, const CadPoint* near, uint32_t value, double tolerance);
    DimensionPoint(const DimensionPoint&) = default;
    DimensionPoint& operator=(const DimensionPoint&) = default;
    virtual ~DimensionPoint() = default;

    virtual std::unique_ptr<DimensionPoint> clone() const { return std::make_unique<DimensionPoint>(*this); }
    virtual std::unique_ptr<TextStyle> getTextStyle() const;
    virtual void setTextStyle(const TextStyle& style);

    // The plan position with the height as z.
    CadPoint getPosition() const;
    // The plan and the 3D position.
    void setPosition(const CadPoint& point);
    void setElement(const ElementLink& element);
    // The measured element, its part index the node's.
    ElementLink getElementLink() const;
    bool isUsable() const { return !m_unresolved; }
    void setUnresolved(bool on) { m_unresolved = on; }
    const HostDimensionPoint& getRecord() const { return m_record; }
    HostDimensionPoint& getRecord() { return m_record; }

private:
    HostDimensionPoint m_record;
    bool m_unresolved = false;
};

class DimensionMemo : public Memo {
public:
    class PointList : public Vector<DimensionPoint> {};

    static constexpr uint64_t Mask = 0x7FFFFFFBFFFFFFFull;

    DimensionMemo() = default;
    DimensionMemo(const DimensionMemo& other); // every point cloned
    DimensionMemo& operator=(const DimensionMemo& other);
    ~DimensionMemo() override = default;

    // More than one point.
    bool isValid() const override { return m_points.size() > 1; }
    // No points: true, writing nothing.
    bool writeMemo(MemoStore& store) override;
    // False, not loaded, without a whole record or when a position of any point is not a finite
    // number; a partial record at the end is left out.
    bool readMemo(MemoStore& store) override;

    // Each takes the point; an index out of range or a null point changes nothing.
    virtual void setPoint(std::unique_ptr<DimensionPoint> point, size_t index);
    // At or past the end appends.
    virtual void insertPoint(std::unique_ptr<DimensionPoint> point, size_t index);
    virtual void appendPoint(std::unique_ptr<DimensionPoint> point);
    // With release the points are handed back in their order, else deleted.
    virtual std::vector<std::unique_ptr<DimensionPoint>> clearPoints(bool release);
    virtual void removePoint(size_t index);
    virtual uint64_t getMask() const { return Mask; }
    // The element that embeds the memo.
    virtual Element& getMemoOwner() = 0;

    DimensionPoint* getPoint(size_t index);
    size_t getPointCount();
    // The first point at or after from measuring the element; -1 when none.
    int64_t findPoint(const ElementLink& element, size_t from);
    void removeAllPoints() { (void)clearPoints(false); }

protected:
    PointList m_points;
};

} // namespace tarnwick
