// The records of a composite structure's extension block: one core per layer and the edges
// between and around them, one more than the cores.
#pragma once

#include <cstddef>
#include <cstdint>

// Flag 0x20 marks a core that is a finish rather than structure: a slab's elevation reference
// passes over such cores at the top or bottom.
inline constexpr uint16_t HostCoreFinishFlag = 0x20;

struct HostCompositeCore {
    uint16_t material = 0; // the building material's index
    uint16_t flags = 0;
    uint32_t reserved = 0; // the host's, carried unchanged
    double thickness = 0.0;
};
static_assert(sizeof(HostCompositeCore) == 16);
static_assert(offsetof(HostCompositeCore, flags) == 2 && offsetof(HostCompositeCore, reserved) == 4);
static_assert(offsetof(HostCompositeCore, thickness) == 8);

struct HostCompositeEdge {
    uint8_t bytes[32] = {}; // the host's, carried unchanged
};
static_assert(sizeof(HostCompositeEdge) == 32);
