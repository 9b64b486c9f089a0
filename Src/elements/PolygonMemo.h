// An element's polygon held as a CadPolygon and converted to and from the host's polygon parts:
// coordinates (16-byte x, y; from index 1 when one-based), sub-polygon ends (u32, a leading 0,
// then the index of each contour's last point), arcs (begin index, end index, angle), vertex ids
// (u32 per coordinate, [0] the polygon-wide value) and per-vertex doubles (z). A closed polygon
// stores each contour closed: its last point repeats its first.
//
// Every count from the host is checked against the size of the handle it indexes: data shorter
// than its counts is refused, never read past. So is a polygon that could not be drawn: ends not
// starting at 0, a contour of one point, a coordinate or arc angle that is not a finite number, a
// coordinate handle with a partial point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "geometry/CadPolygon.h"
#include "platform/api/ElementRecords.h"
#include "project/Memo.h"

namespace tarnwick {

// The host's polygon counts header: coordinates, contours (sub-polygon ends) and arcs.
struct PolygonCounts {
    uint32_t coordinates = 0;
    uint32_t ends = 0;
    uint32_t arcs = 0;
    bool operator==(const PolygonCounts&) const = default;
};

// The host parts of a polygon as locked, each with the number of entries its handle holds.
struct PolygonParts {
    HostCoord2D* coordinates = nullptr;
    size_t coordinateCount = 0;
    uint32_t* ends = nullptr;
    size_t endCount = 0;
    HostPolygonArc* arcs = nullptr;
    size_t arcCount = 0;
    uint32_t* ids = nullptr;
    size_t idCount = 0;
    double* doubles = nullptr;
    size_t doubleCount = 0;

    // The data of the four handles, each with the number of entries it holds (none for null); the
    // doubles stay as they are.
    void setHandles(GSHandle coordinateHandle, GSHandle endHandle, GSHandle arcHandle, GSHandle idHandle);
};

class PolygonMemo : public Memo {
public:
    PolygonMemo() = default;
    PolygonMemo(const PolygonMemo& other); // deep
    PolygonMemo& operator=(const PolygonMemo& other);
    ~PolygonMemo() override;

    // A polygon is held and valid (tolerance 1e-5).
    bool isValid() const override;
    // Loads for the owner first; writes the counted contours into new handles of the store and
    // fills the count header. False, writing nothing, when there is no valid polygon.
    bool writeMemo(MemoStore& store) override;
    // Replaces the polygon by the one the store's parts describe under getPolygonHeader; false,
    // with no polygon and the memo unloaded, for missing, inconsistent or corrupt parts.
    bool readMemo(MemoStore& store) override;

    // Holds the polygon (the held one is deleted unless it is the same); loaded.
    virtual void setPolygon(std::unique_ptr<CadPolygon> polygon);
    virtual void copyPolygon(const CadPolygon& polygon);
    // The element that embeds the memo; null for a memo without one.
    virtual Element* getOwner() const = 0;
    // One vertex read from the host, at a coordinate index, with the id and the arc angle of the
    // edge that ends at it.
    virtual std::unique_ptr<PolyPoint> makePoint(const PolygonCounts& header, size_t index,
                                                 const CadPoint& point, uint32_t id, double arcAngle) const;
    // Asked before the parts are allocated; true.
    virtual bool canWrite(const PolygonCounts& header, MemoStore& store);
    // Told of every point written; nothing.
    virtual void pointWritten(const PolyPoint& point, MemoStore& store, size_t index);
    virtual bool isClosed() const { return true; }
    virtual bool isOneBased() const { return true; }
    // Whether reading skips the first contour's first stored point (later contours always skip it).
    virtual bool skipsFirstPoint() const { return isClosed(); }
    // Whether the format stores holes and a closing point per contour.
    virtual bool hasContours() const { return isClosed(); }
    virtual PolygonCounts& getCountHeader() { return m_counts; }
    // The counts under which the host's parts are read (the element's record gives them).
    virtual PolygonCounts getPolygonHeader() const = 0;
    // New handles for the counts in the store's target fields (old ones there are freed), then
    // locked. False below one coordinate or one contour.
    virtual bool allocateHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts);
    // The store's parts for reading; false when the header has no coordinate or contour, or a part
    // the header needs is missing or shorter than its count.
    virtual bool lockHostParts(MemoStore& store, const PolygonCounts& header, PolygonParts& parts);
    virtual void unlockHostParts(MemoStore& store);

    // Loads for the owner first; may be null.
    CadPolygon* getPolygon();
    // Loads for the owner first, then moves the polygon (if any); false when it could not be read.
    bool movePolygon(const CadPoint& offset);
    const CadPolygon* heldPolygon() const { return m_polygon.get(); }
    // The counts the polygon is written with (loads it for the owner first); zero without one.
    void getPolygonCounts(PolygonCounts& header);
    bool hasVertexIds() const { return m_hasVertexIds; }

protected:
    std::unique_ptr<CadPolygon> m_polygon;
    PolygonCounts m_counts;
    bool m_hasVertexIds = false;

private:
    // Calls visit(contour, i, vertex, writesArc) for every point the writer stores, in order, and
    // visit(contour, SIZE_MAX, ...) after each contour.
    template <class Visit> void forEachWritten(Visit visit) const;
    bool readContours(const PolygonCounts& header, const PolygonParts& parts);
};

// Reads loose host polygon parts into a polygon, without an element; the handles stay their
// owner's.
class PolygonConstructor : public PolygonMemo {
public:
    // A new polygon, or null when the parts do not make one.
    std::unique_ptr<CadPolygon> build(const PolygonCounts& header, GSHandle coordinates, GSHandle ends,
                                      GSHandle arcs);

    Element* getOwner() const override { return nullptr; }
    PolygonCounts getPolygonHeader() const override { return m_header; }
    void load(Element&, MemoStore*&) override {}

private:
    PolygonCounts m_header;
};

} // namespace tarnwick
