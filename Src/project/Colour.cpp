#include "project/Colour.h"

#include <cmath>

namespace tarnwick {

namespace {
constexpr double tolerance = 1e-5;

bool near(double a, double b) {
    return std::fabs(a - b) <= tolerance;
}

// A component beyond 0..1 (or NaN) would make the conversion to 16 bits undefined.
uint16_t to16(double component) {
    double c = component > 0.0 ? (component < 1.0 ? component : 1.0) : 0.0;
    return static_cast<uint16_t>(std::floor(c * 65535.0 + 0.5));
}

int to8(double component) {
    return static_cast<int>(std::floor(component * 255.0 + 0.5));
}
} // namespace

Colour::Colour(uint16_t red, uint16_t green, uint16_t blue, uint16_t alpha)
    : m_red(red / 65535.0), m_green(green / 65535.0), m_blue(blue / 65535.0), m_alpha(alpha / 65535.0) {}

bool Colour::operator==(const Colour& other) const {
    return near(m_red, other.m_red) && near(m_green, other.m_green) && near(m_blue, other.m_blue) &&
           near(m_alpha, other.m_alpha);
}

void Colour::getRGB(double (&rgb)[3]) const {
    rgb[0] = m_red;
    rgb[1] = m_green;
    rgb[2] = m_blue;
}

void Colour::getRGB16(uint16_t& red, uint16_t& green, uint16_t& blue) const {
    red = to16(m_red);
    green = to16(m_green);
    blue = to16(m_blue);
}

int Colour::getRed8() const {
    return to8(m_red);
}
int Colour::getGreen8() const {
    return to8(m_green);
}
int Colour::getBlue8() const {
    return to8(m_blue);
}
int Colour::getAlpha8() const {
    return to8(m_alpha);
}

} // namespace tarnwick
