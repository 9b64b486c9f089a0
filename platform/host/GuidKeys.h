// Guids as keys: their order and their hash, as the stand-in's indexes look elements up on every
// call the module makes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/api/HostRecords.h"

namespace zavhost {

// Word by word.
struct GuidLess {
    bool operator()(const API_Guid& a, const API_Guid& b) const {
        for (int i = 0; i < 4; ++i)
            if (a.words[i] != b.words[i]) return a.words[i] < b.words[i];
        return false;
    }
};

// Guids are random, but a generator may fill only some words, or make them from a counter: every
// word goes into the hash through a mixing that no simple pattern of the two halves undoes, and
// every bit of the hash depends on them (GuidTable takes its high bits and its low ones).
struct GuidHash {
    static uint64_t mix(uint64_t x) {
        x ^= x >> 30;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 27;
        x *= 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }
    size_t operator()(const API_Guid& guid) const noexcept {
        return static_cast<size_t>(mix(mix(guid.high()) ^ guid.low()));
    }
};

API_Guid newGuid();

} // namespace zavhost
