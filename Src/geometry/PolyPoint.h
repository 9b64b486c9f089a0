// A polygon vertex: a point plus the arc angle of the edge that ends at it (0 = straight,
// positive = counter-clockwise) and a vertex id.
#pragma once

#include <cstdint>

#include "geometry/CadPoint.h"

namespace tarnwick {

class PolyPoint : public CadPoint {
public:
    PolyPoint() = default;
    explicit PolyPoint(const CadPoint& p, double arcAngle = 0.0, uint32_t id = 0)
        : CadPoint(p), m_arcAngle(arcAngle), m_id(id) {}
    explicit PolyPoint(const HostCoord2D& c, double arcAngle = 0.0, uint32_t id = 0)
        : CadPoint(c), m_arcAngle(arcAngle), m_id(id) {}
    PolyPoint(const PolyPoint&) = default;
    PolyPoint& operator=(const PolyPoint&) = default;
    ~PolyPoint() override = default;

    std::unique_ptr<PolyPoint> clone() const { return std::unique_ptr<PolyPoint>(newCopy()); }

    double getArcAngle() const { return m_arcAngle; }
    void setArcAngle(double angle) { m_arcAngle = angle; }
    bool isArc(double tolerance = kTolerance) const;
    uint32_t getId() const { return m_id; }
    void setId(uint32_t id) { m_id = id; }

    // Makes the edge from lineEnd to this vertex an arc tangent to the line lineStart -> lineEnd
    // at lineEnd. The sweep is twice the turn from the line's direction to the chord, the turn
    // taken in (-pi, pi]: a point right of the line gives a clockwise (negative) arc. A point on
    // the line (ahead or behind) or at lineEnd gives a straight edge.
    void setTangentArc(const CadPoint& lineStart, const CadPoint& lineEnd, double tolerance = kTolerance);
    // Makes the edge from lineEnd to this vertex an arc about lineStart: 2 asin(chord / 2r) with
    // r = |lineEnd - lineStart| in plan, negative when this vertex lies clockwise of lineEnd
    // (farther than the tolerance right of the line centre -> lineEnd). A vertex on that line
    // within the tolerance turns counter-clockwise: behind the centre a half circle of +pi.
    // Points farther than the diameter give a half circle; a zero radius a straight edge.
    void setArcAroundCentre(const CadPoint& centre, const CadPoint& lineEnd);

protected:
    PolyPoint* newCopy() const override { return new PolyPoint(*this); }

private:
    double m_arcAngle = 0.0;
    uint32_t m_id = 0;
};

} // namespace tarnwick
