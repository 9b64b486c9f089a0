// Basic types shared by the module and the host across the function table.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define HOSTLIB_API __attribute__((visibility("default")))
#else
#define HOSTLIB_API
#endif

using GSErrCode = int32_t;
using GSHandle = char**;
using GSPtr = char*;
using GSSize = int64_t;

// Four-character codes: the first character is the most significant byte.
constexpr uint32_t fourCC(const char (&code)[5]) {
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}

// The host's character code for multibyte text; UTF-8 on this platform.
constexpr int32_t CharacterCodeMultibyte = 99;

// The product name in the host's main-window title, by which the module finds that window.
inline constexpr char HostApplicationTitle[] = "ZAVHOST";
