// The drawing area of a view's window: the model rectangle it shows (the zoom box) and its size
// in host pixels. Pixels count from the area's top-left corner, h to the right and v downwards;
// model y grows upwards, so v = 0 is the zoom box's top edge (yMax) and h = 0 its left (xMin).
// The zoom box always has the area's proportions: a box asked for is widened to them about its
// centre, so that one pixel covers the same model length along both axes.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/api/HostRecords.h"

namespace zavhost {

struct ViewWindow {
    HostBox2D zoom{0.0, 0.0, 40.0, 30.0};
    int32_t width = 800; // pixels; 0 by 0: the view has no window open
    int32_t height = 600;

    bool hasArea() const { return width > 0 && height > 0; }
    // Shows the box (widened to the area's proportions); false, changing nothing, for a box
    // without width or height or with a coordinate that is not finite.
    bool show(const HostBox2D& box);
    // A new area size; the zoom box keeps its centre and its scale along x. False for a negative
    // size, or only one side 0.
    bool resize(int32_t newWidth, int32_t newHeight);
    // Nothing without a drawing area.
    std::optional<HostCoord2D> toModel(const HostPixelPoint& pixel) const;
    // Rounded to the nearest pixel; nothing without a drawing area or when it falls outside
    // what 32 bits hold.
    std::optional<HostPixelPoint> toPixels(const HostCoord2D& point) const;

    bool operator==(const ViewWindow& other) const;
};

} // namespace zavhost
