// A point of the dialog manager, in dialog coordinates.
#pragma once

#include <cstdint>

namespace DG {

class Point {
public:
    Point() = default;
    Point(short x, short y) : m_x(x), m_y(y) {}

    short GetX() const { return m_x; }
    short GetY() const { return m_y; }
    void SetX(short x) { m_x = x; }
    void SetY(short y) { m_y = y; }
    void Set(short x, short y) {
        m_x = x;
        m_y = y;
    }

    bool operator==(const Point&) const = default;

private:
    short m_x = 0;
    short m_y = 0;
};

} // namespace DG
