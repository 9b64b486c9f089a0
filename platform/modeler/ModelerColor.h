// A colour of the modeler library: red, green and blue from 0.0 to 1.0.
#pragma once

namespace ModelerAPI {

struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;

    bool operator==(const Color&) const = default;
};

} // namespace ModelerAPI
