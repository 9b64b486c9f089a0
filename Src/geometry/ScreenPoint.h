// A position or offset in dialog coordinates, with the code of its coordinate space.
#pragma once

#include <cstdint>

#include "platform/dg/Point.h"

namespace tarnwick {

class ScreenPoint {
public:
    ScreenPoint() = default;
    // Callers pass 0, 0 for the codes of a plain point or offset.
    ScreenPoint(int16_t x, int16_t y, uint32_t space = 0, uint32_t further = 0)
        : m_x(x), m_y(y), m_space(space), m_further(further) {}
    explicit ScreenPoint(const DG::Point& p) : m_x(p.GetX()), m_y(p.GetY()) {}
    ScreenPoint(const ScreenPoint&) = default;
    ScreenPoint& operator=(const ScreenPoint&) = default;
    virtual ~ScreenPoint() = default;

    // Add or subtract x and y only; the codes stay.
    virtual ScreenPoint& operator+=(const ScreenPoint& o);
    virtual ScreenPoint& operator-=(const ScreenPoint& o);
    ScreenPoint operator+(const ScreenPoint& o) const;
    ScreenPoint operator-(const ScreenPoint& o) const;

    int16_t getX() const { return m_x; }
    int16_t getY() const { return m_y; }
    void setX(int16_t x) { m_x = x; }
    void setY(int16_t y) { m_y = y; }
    uint32_t getCoordinateSpace() const { return m_space; }
    void setCoordinateSpace(uint32_t space) { m_space = space; }
    uint32_t getFurther() const { return m_further; }
    void setFurther(uint32_t further) { m_further = further; }
    DG::Point toDGPoint() const { return DG::Point(m_x, m_y); }

    // True for the codes 0, 2 and 4; any other code means frame space.
    bool isClientCoordinateSpace() const { return m_space == 0 || m_space == 2 || m_space == 4; }

private:
    int16_t m_x = 0;
    int16_t m_y = 0;
    uint32_t m_space = 0;
    uint32_t m_further = 0;
};

} // namespace tarnwick
