#include "geometry/ScreenRect.h"

#include <cstdlib>

namespace tarnwick {

namespace {
int16_t span(int16_t a, int16_t b) {
    const int d = std::abs(static_cast<int>(b) - static_cast<int>(a));
    return static_cast<int16_t>(d > INT16_MAX ? INT16_MAX : d);
}
} // namespace

ScreenRect& ScreenRect::operator+=(const ScreenPoint& offset) {
    m_first += offset;
    m_second += offset;
    return *this;
}

int16_t ScreenRect::getWidth() const {
    return span(m_first.getX(), m_second.getX());
}
int16_t ScreenRect::getHeight() const {
    return span(m_first.getY(), m_second.getY());
}

ScreenRect::Rect ScreenRect::toRect() const {
    return {m_first.getY(), m_first.getX(), m_second.getY(), m_second.getX()};
}

bool ScreenRect::operator==(const ScreenRect& o) const {
    return m_first.getX() == o.m_first.getX() && m_first.getY() == o.m_first.getY() &&
           m_second.getX() == o.m_second.getX() && m_second.getY() == o.m_second.getY();
}

void ScreenRect::moveTo(const ScreenPoint& p) {
    const ScreenPoint offset(static_cast<int16_t>(p.getX() - m_first.getX()),
                             static_cast<int16_t>(p.getY() - m_first.getY()));
    *this += offset;
}

} // namespace tarnwick
