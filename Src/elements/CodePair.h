// An ordered pair of 32-bit codes, such as the (source, kind) key of event subscriptions.
#pragma once

#include <cstdint>

namespace tarnwick {

struct CodePair {
    uint32_t first = 0;
    uint32_t second = 0;

    CodePair() = default;
    CodePair(uint32_t a, uint32_t b) : first(a), second(b) {}
    bool operator==(const CodePair& other) const { return first == other.first && second == other.second; }
    bool operator!=(const CodePair& other) const { return !(*this == other); }
    // By first, then by second.
    bool operator<(const CodePair& other) const {
        return first != other.first ? first < other.first : second < other.second;
    }
};

} // namespace tarnwick
