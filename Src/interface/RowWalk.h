// Where a walk over a row control (a list, a pop-up menu) starts and ends. Their step modes agree:
// 0 every row, 1 and 3 the same as 0, 2 the selected rows; other modes walk nothing.
#pragma once

#include <cstdint>

#include "interface/DialogControl.h"

namespace tarnwick::rowwalk {

inline constexpr uint32_t EveryRow = 0;
inline constexpr uint32_t SelectedRows = 2;

struct Start {
    int16_t row; // -1: none
    uint32_t mode;
};

inline bool walksEveryRow(uint32_t mode) {
    return mode == EveryRow || mode == 1 || mode == 3;
}

inline Start first(const DialogControl& control, uint32_t mode) {
    if (control.getRows() < 1) return {-1, mode};
    if (mode == SelectedRows) return {control.nextSelected(0), mode};
    if (walksEveryRow(mode)) return {0, EveryRow};
    return {-1, mode};
}

inline Start last(const DialogControl& control, uint32_t mode) {
    if (control.getRows() < 1) return {-1, mode};
    auto row = static_cast<int16_t>(control.getRows() - 1);
    if (walksEveryRow(mode)) return {row, EveryRow};
    if (mode != SelectedRows) return {-1, mode};
    while (row >= 0 && !control.isSelected(row))
        --row;
    return {row, mode};
}

} // namespace tarnwick::rowwalk
