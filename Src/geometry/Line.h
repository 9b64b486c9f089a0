// A straight segment between two points.
#pragma once

#include <vector>

#include "geometry/InterPoint.h"

namespace tarnwick {

class CadArc;

class Line {
public:
    Line() = default;
    Line(const CadPoint& start, const CadPoint& end) : m_start(start), m_end(end) {}
    Line(const HostCoord2D& start, const HostCoord2D& end, double z) : m_start(start, z), m_end(end, z) {}

    const CadPoint& getStartPoint() const { return m_start; }
    const CadPoint& getEndPoint() const { return m_end; }
    void setStartPoint(const CadPoint& p) { m_start = p; }
    void setEndPoint(const CadPoint& p) { m_end = p; }
    Line reversed() const { return {m_end, m_start}; }

    Line& operator+=(const CadPoint& offset);
    Line& operator-=(const CadPoint& offset);

    // Plan direction from start to end, in [0, 2pi).
    double getAngle() const { return m_start.getAngle(m_end); }
    double getPlanLength() const { return m_start.distance2D(m_end); }
    double getLength() const { return m_start.distance(m_end); }

    // Plan position code of p on the segment (kAtStart, kInside, kAtEnd or kOff); kOff for NaN.
    uint32_t getPosition(const CadPoint& p, double tolerance = kTolerance) const;
    // Plan intersection points with another segment or an arc, with the codes on this line (first)
    // and on the other (second). Overlapping collinear segments answer the ends of the overlap.
    // A segment or arc with a NaN or infinite coordinate meets nothing.
    [[nodiscard]] std::vector<InterPoint> intersectInPlan(const Line& other,
                                                          double tolerance = kTolerance) const;
    [[nodiscard]] std::vector<InterPoint> intersectInPlan(const CadArc& arc,
                                                          double tolerance = kTolerance) const;
    // True when the two share a point in plan (its code is 2, 4 or 8 on both).
    [[nodiscard]] bool intersectsInPlan(const Line& other, double tolerance = kTolerance) const;
    [[nodiscard]] bool intersectsInPlan(const CadArc& arc, double tolerance = kTolerance) const;

private:
    CadPoint m_start;
    CadPoint m_end;
};

} // namespace tarnwick
