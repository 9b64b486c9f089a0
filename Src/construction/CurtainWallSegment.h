// A curtain wall's segment (type 38): a part over its record copy, with its contour (kept in the
// memo's 56-byte sub-block rather than the memo's own polygon fields) and the frames that lie on it.
#pragma once

#include <cstdint>
#include <memory>

#include "construction/ConstructionHelpers.h"
#include "construction/CurtainWallPartMemo.h"
#include "construction/CurtainWallParts.h"
#include "elements/PolygonMemo.h"

namespace tarnwick {

using FrameMemo = CurtainWallPartMemo<CurtainWallFrame, MemoCurtainWallFrames>;

// A polygon memo over the contour sub-block: its counts, then the handles of its coordinates,
// sub-polygon ends, arcs and vertex ids.
class CurtainWallSegmentContour : public PolygonMemo {
public:
    static constexpr uint64_t MemoMask = MemoContour;
    static uint64_t getMemoMask() { return MemoContour; }

    // Reads under the counts of the store's sub-block.
    bool readMemo(MemoStore& store) override;
    // Sets the polygon's second flag, then holds it.
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;
    PolygonCounts getPolygonHeader() const override { return m_readCounts; }
    bool allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override {
        return allocateContourParts(store, header, parts);
    }
    bool lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts) override {
        return lockContourParts(store, header, parts);
    }

    // The counts of the store's sub-block, or the memo's own header without a store.
    virtual PolygonCounts getWriteCounts(const MemoStore* store);
    // The counts of the store's sub-block; zero without a store or a sub-block.
    virtual PolygonCounts getReadCounts(const MemoStore* store) const;
    // New handles in the store's sub-block for the counts (those there are freed): coordinates and
    // vertex ids one past the coordinate count, ends one past theirs, arcs only when there are
    // any; the sub-block takes the counts. False, allocating nothing, below one coordinate or end.
    virtual bool allocateContourParts(MemoStore& store, const PolygonCounts& counts, PolygonParts& parts);
    // The sub-block's arrays for the counts. False below one coordinate or end, without a
    // sub-block or its coordinates, or when an array is shorter than its count.
    virtual bool lockContourParts(MemoStore& store, const PolygonCounts& counts, PolygonParts& parts);

private:
    PolygonCounts m_readCounts;
};

class CurtainWallSegment : public CurtainWallPart<HostCurtainWallSegment, HostCurtainWallSegmentTypeCode>,
                           public CurtainWallSegmentContour,
                           public FrameMemo {
public:
    // A new segment of the host's defaults on the current database; with a contour, the contour (its
    // second flag set).
    explicit CurtainWallSegment(std::unique_ptr<CadPolygon> contour = nullptr);
    CurtainWallSegment(const API_Element& record, const ElementLink& link) : CurtainWallPart(record, link) {}
    CurtainWallSegment(const HostCurtainWallSegment& record, Drawing* drawing)
        : CurtainWallPart(record, drawing) {}
    // The contour copied, the frames cloned.
    CurtainWallSegment(const CurtainWallSegment& other) = default;

    using CurtainWallPart::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<CurtainWallSegment>(*this); }
    void getReferencePoint(CadPoint& point) const override { point = linePoint(m_record.part().begin); }
    double getBoundsZSize() override { return 0.0; }
    double getLength() override { return 0.0; }
    // A copy of the contour; null without one.
    std::unique_ptr<CadPolygon> getOutline() const override;
    // The record, with the held contour's counts.
    std::unique_ptr<API_Element> buildRecord() const override;
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The contour, then the frames; null when either cannot be written.
    ElementMemoPtr buildMemo(uint64_t& mask) override;

    Element* getOwner() const override { return memoOwner(this); }
    Element* getOwnerElement() const override { return memoOwner(this); }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(MemoContour, store); }

    // The end point, z 0, with the arc angle (0.0) and id 0.
    virtual PolyPoint getEndVertex() const {
        return PolyPoint(linePoint(m_record.part().end), getArcAngle());
    }
    virtual double getSegmentValue() const { return 0.0; }
    virtual double getArcAngle() const { return 0.0; }
    virtual PolyEdge getReferenceLine() const { return referenceLineOf(*this, getEndVertex()); }
};

std::unique_ptr<Element> createCurtainWallSegment(const API_Element& record, ElementLink& link);

} // namespace tarnwick
