#include "project/Pen.h"

#include <algorithm>

namespace tarnwick {

namespace {
uint32_t channel(double component) {
    double scaled = component * 255.0;
    // Out-of-range components would make the conversion undefined; keep them in the byte.
    if (!(scaled > 0.0)) return 0;
    return scaled >= 255.0 ? 255u : static_cast<uint32_t>(scaled);
}
} // namespace

uint32_t rgb24Of(double red, double green, double blue) {
    return (channel(red) << 16) | (channel(green) << 8) | channel(blue);
}

void rgbFrom24(uint32_t rgb, double& red, double& green, double& blue) {
    red = std::min(((rgb >> 16) & 0xFF) / 255.0, 1.0);
    green = std::min(((rgb >> 8) & 0xFF) / 255.0, 1.0);
    blue = std::min((rgb & 0xFF) / 255.0, 1.0);
}

Colour Pen::getColour() const {
    const HostPen& pen = record();
    return Colour(pen.red, pen.green, pen.blue, 1.0);
}

void Pen::setColour(const Colour& colour) {
    HostPen& pen = record();
    pen.red = colour.getRed();
    pen.green = colour.getGreen();
    pen.blue = colour.getBlue();
}

uint32_t Pen::getRGB24() const {
    const HostPen& pen = record();
    return rgb24Of(pen.red, pen.green, pen.blue);
}

void Pen::setRGB24(uint32_t rgb) {
    HostPen& pen = record();
    rgbFrom24(rgb, pen.red, pen.green, pen.blue);
}

} // namespace tarnwick
