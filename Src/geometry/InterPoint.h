// An intersection point of two geometries, with the position code of the point on each of them.
#pragma once

#include <cstdint>

#include "geometry/CadPoint.h"

namespace tarnwick {

// Position of a point on a segment or an arc.
enum PositionCode : uint32_t {
    kOff = 1,     // not on the geometry
    kAtStart = 2, // on its start point
    kInside = 4,  // on it, between the ends
    kAtEnd = 8,   // on its end point
};

inline bool isOnGeometry(uint32_t code) {
    return code == kAtStart || code == kInside || code == kAtEnd;
}

class InterPoint : public CadPoint {
public:
    InterPoint() = default;
    InterPoint(const CadPoint& p, uint32_t firstCode, uint32_t secondCode)
        : CadPoint(p), m_firstCode(firstCode), m_secondCode(secondCode) {}
    std::unique_ptr<InterPoint> clone() const { return std::unique_ptr<InterPoint>(newCopy()); }

    uint32_t getFirstCode() const { return m_firstCode; }
    uint32_t getSecondCode() const { return m_secondCode; }
    // On both geometries (codes 2, 4 or 8).
    bool isOnBoth() const { return isOnGeometry(m_firstCode) && isOnGeometry(m_secondCode); }

protected:
    InterPoint* newCopy() const override { return new InterPoint(*this); }

private:
    uint32_t m_firstCode = kOff;
    uint32_t m_secondCode = kOff;
};

} // namespace tarnwick
