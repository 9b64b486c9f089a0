#include "ViewWindow.h"

#include <cmath>
#include <limits>

namespace zavhost {

namespace {
bool finite(const HostBox2D& box) {
    return std::isfinite(box.xMin) && std::isfinite(box.yMin) && std::isfinite(box.xMax) &&
           std::isfinite(box.yMax);
}
} // namespace

bool ViewWindow::show(const HostBox2D& box) {
    if (!finite(box)) return false;
    HostBox2D sorted{std::fmin(box.xMin, box.xMax), std::fmin(box.yMin, box.yMax),
                     std::fmax(box.xMin, box.xMax), std::fmax(box.yMin, box.yMax)};
    const double w = sorted.xMax - sorted.xMin;
    const double h = sorted.yMax - sorted.yMin;
    if (!(w > 0.0) || !(h > 0.0) || !std::isfinite(w) || !std::isfinite(h)) return false;
    if (hasArea()) {
        // Model length per pixel: the larger of the two, so that the whole box is seen.
        const double perPixel = std::fmax(w / width, h / height);
        const double cx = (sorted.xMin + sorted.xMax) / 2.0;
        const double cy = (sorted.yMin + sorted.yMax) / 2.0;
        const double halfW = perPixel * width / 2.0;
        const double halfH = perPixel * height / 2.0;
        sorted = {cx - halfW, cy - halfH, cx + halfW, cy + halfH};
    }
    zoom = sorted;
    return true;
}

bool ViewWindow::resize(int32_t newWidth, int32_t newHeight) {
    if (newWidth < 0 || newHeight < 0 || (newWidth == 0) != (newHeight == 0)) return false;
    const double perPixel = hasArea() ? (zoom.xMax - zoom.xMin) / width : 0.0;
    width = newWidth;
    height = newHeight;
    if (!hasArea() || !(perPixel > 0.0)) return true;
    const double cx = (zoom.xMin + zoom.xMax) / 2.0;
    const double cy = (zoom.yMin + zoom.yMax) / 2.0;
    zoom = {cx - perPixel * width / 2.0, cy - perPixel * height / 2.0, cx + perPixel * width / 2.0,
            cy + perPixel * height / 2.0};
    return true;
}

std::optional<HostCoord2D> ViewWindow::toModel(const HostPixelPoint& pixel) const {
    if (!hasArea()) return std::nullopt;
    const double perPixel = (zoom.xMax - zoom.xMin) / width;
    return HostCoord2D{zoom.xMin + pixel.h * perPixel, zoom.yMax - pixel.v * perPixel};
}

std::optional<HostPixelPoint> ViewWindow::toPixels(const HostCoord2D& point) const {
    if (!hasArea() || !std::isfinite(point.x) || !std::isfinite(point.y)) return std::nullopt;
    const double perPixel = (zoom.xMax - zoom.xMin) / width;
    const double h = std::floor((point.x - zoom.xMin) / perPixel + 0.5);
    const double v = std::floor((zoom.yMax - point.y) / perPixel + 0.5);
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    if (!(h >= low && h <= high && v >= low && v <= high)) return std::nullopt;
    return HostPixelPoint{static_cast<int32_t>(h), static_cast<int32_t>(v)};
}

bool ViewWindow::operator==(const ViewWindow& other) const {
    return zoom.xMin == other.zoom.xMin && zoom.yMin == other.zoom.yMin && zoom.xMax == other.zoom.xMax &&
           zoom.yMax == other.zoom.yMax && width == other.width && height == other.height;
}

} // namespace zavhost
