// The records of a composite structure's extension block: one core per layer and the edges
// between and around them, one more than the cores.
#pragma once

#include <cstddef>
#include <cstdint>

struct HostCompositeCore {
    uint16_t material = 0; // the building material's index
    uint8_t rest[14] = {}; // the host's, carried unchanged
};
static_assert(sizeof(HostCompositeCore) == 16);

struct HostCompositeEdge {
    uint8_t bytes[32] = {}; // the host's, carried unchanged
};
static_assert(sizeof(HostCompositeEdge) == 32);
