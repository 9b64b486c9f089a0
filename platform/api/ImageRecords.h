// The part of the element record a placed picture (type 31) uses; its picture is in the memo.
#pragma once

#include <cstddef>

#include "ElementRecords.h"

struct HostImageElement {
    HostElementHead head;
    uint8_t reserved0[16] = {};
    double xMin = 0.0; // the picture's box
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    uint8_t reserved1[36] = {};
    uint32_t word196 = 0; // the host's; 4 in the defaults
    uint8_t reserved2[672] = {};
};
static_assert(sizeof(HostImageElement) == 872);
static_assert(offsetof(HostImageElement, xMin) == 128 && offsetof(HostImageElement, yMax) == 152);
static_assert(offsetof(HostImageElement, word196) == 196);
