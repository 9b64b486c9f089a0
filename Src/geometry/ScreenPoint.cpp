#include "geometry/ScreenPoint.h"

namespace tarnwick {

// 16-bit dialog coordinates wrap as the host's do.
ScreenPoint& ScreenPoint::operator+=(const ScreenPoint& o) {
    m_x = static_cast<int16_t>(m_x + o.m_x);
    m_y = static_cast<int16_t>(m_y + o.m_y);
    return *this;
}

ScreenPoint& ScreenPoint::operator-=(const ScreenPoint& o) {
    m_x = static_cast<int16_t>(m_x - o.m_x);
    m_y = static_cast<int16_t>(m_y - o.m_y);
    return *this;
}

ScreenPoint ScreenPoint::operator+(const ScreenPoint& o) const {
    ScreenPoint r(*this);
    r += o;
    return r;
}

ScreenPoint ScreenPoint::operator-(const ScreenPoint& o) const {
    ScreenPoint r(*this);
    r -= o;
    return r;
}

} // namespace tarnwick
