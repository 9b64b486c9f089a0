// What the annotation palette shows of the list it was handed.
#pragma once

#include <cstdint>

namespace zavlink {

enum class PaletteMode : uint8_t {
    // Find: every annotation found, each drawing with all its elements.
    AllFound = 0,
    // Update: only the annotations, drawings and elements that need attention.
    NeedingAttention = 1,
};

} // namespace zavlink
