// A polygon edge from a start point to an end vertex; the end vertex carries the edge's arc angle.
#pragma once

#include "geometry/CadArc.h"
#include "geometry/PolyPoint.h"

namespace tarnwick {

class PolyEdge {
public:
    PolyEdge() = default;
    PolyEdge(const CadPoint& start, const PolyPoint& end) : m_start(start), m_end(end) {}

    const CadPoint& getStartPoint() const { return m_start; }
    const PolyPoint& getEndPoint() const { return m_end; }
    CadPoint& getStartPoint() { return m_start; }
    PolyPoint& getEndPoint() { return m_end; }
    void setStartPoint(const CadPoint& p) { m_start.setPoint(p); }
    void setEndPoint(const PolyPoint& p) { m_end = p; }

    double getArcAngle() const { return m_end.getArcAngle(); }
    void setArcAngle(double angle) { m_end.setArcAngle(angle); }
    bool isArc(double tolerance = kTolerance) const { return m_end.isArc(tolerance); }
    // The arc of the edge (a zero sweep for a straight edge).
    CadArc getArc() const { return CadArc(m_start, m_end); }
    // The centre of the arc edge; the chord's midpoint for a straight edge.
    CadPoint getArcCentre() const { return getArc().getCentre(); }
    PolyEdge reversed() const;

    PolyEdge& operator+=(const CadPoint& offset);
    void movePolar(double distance, double angle);
    void setHeight(double z);

    // Plan direction from the start to the end point, in [0, 2pi).
    double getAngle() const { return m_start.getAngle(m_end); }
    // The straight distance, or |sweep| x radius for an arc edge.
    double getPlanLength() const;
    // The same plan length: the edge's own measure along its path.
    double getLength() const { return getPlanLength(); }

    // Moves the end vertex to the projection of p onto the edge's line or circle. With
    // lengthenOnly set the edge is not shortened. A point at an arc's centre changes nothing.
    void extendTo(const CadPoint& p, bool lengthenOnly = false, double tolerance = kTolerance);
    // The same at the start point.
    void extendReversedTo(const CadPoint& p, bool lengthenOnly = false, double tolerance = kTolerance);
    // Moves the edge sideways, positive to the left of its direction; an arc keeps its centre and
    // sweep and changes its radius (never below 0).
    void offset(double distance);
    // Lengthens (or, negative, shortens) the edge at its end along its line or circle.
    void lengthenBy(double amount);

private:
    void extend(const CadPoint& p, bool atEnd, bool lengthenOnly, double tolerance);

    CadPoint m_start;
    PolyPoint m_end;
};

} // namespace tarnwick
