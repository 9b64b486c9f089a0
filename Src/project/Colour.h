// A colour of four components in 0..1 (red, green, blue, alpha; alpha 1.0 is opaque), as pens,
// surfaces, zone categories, text styles and controls hand colours around.
#pragma once

#include <cstdint>

namespace tarnwick {

class Colour {
public:
    Colour() = default;
    // Each 16-bit channel divided by 65535.
    Colour(uint16_t red, uint16_t green, uint16_t blue, uint16_t alpha);
    Colour(double red, double green, double blue, double alpha = 1.0)
        : m_red(red), m_green(green), m_blue(blue), m_alpha(alpha) {}
    // From the host's three-double colour record (red, green, blue).
    explicit Colour(const double (&rgb)[3], double alpha = 1.0)
        : m_red(rgb[0]), m_green(rgb[1]), m_blue(rgb[2]), m_alpha(alpha) {}

    double getRed() const { return m_red; }
    double getGreen() const { return m_green; }
    double getBlue() const { return m_blue; }
    double getAlpha() const { return m_alpha; }

    // Equal when every component differs by at most 1e-5.
    bool operator==(const Colour& other) const;

    void getRGB(double (&rgb)[3]) const;
    // Each component clamped to 0..1, then floor(c * 65535 + 0.5).
    void getRGB16(uint16_t& red, uint16_t& green, uint16_t& blue) const;
    // floor(c * 255 + 0.5); components outside 0..1 give values outside 0..255.
    int getRed8() const;
    int getGreen8() const;
    int getBlue8() const;
    int getAlpha8() const;

private:
    double m_red = 0.0;
    double m_green = 0.0;
    double m_blue = 0.0;
    double m_alpha = 1.0;
};

} // namespace tarnwick
