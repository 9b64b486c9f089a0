// Reading and writing the parts of host records the stand-in keeps: a record's kind-specific part
// over its raw bytes, and the texts of fixed-size name fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/api/ElementRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

template <class Part> Part partOf(const API_Element& record) {
    static_assert(sizeof(Part) <= sizeof record.raw);
    Part part;
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
    return part;
}

template <class Part> void setPart(API_Element& record, const Part& part) {
    static_assert(sizeof(Part) <= sizeof record.raw);
    std::memcpy(record.raw, &part, sizeof part);
}

// Whether a quantity query's mask asks for the field at offset: any of its bytes set to 0xFF.
inline bool fieldAsked(const uint8_t* mask, size_t offset, size_t width = sizeof(double)) {
    for (size_t i = 0; i < width; ++i)
        if (mask[offset + i] == 0xFF) return true;
    return false;
}

// A field's text up to its first NUL or its end.
template <size_t N> std::string textOf(const char16_t (&field)[N]) {
    size_t units = 0;
    while (units < N && field[units] != 0)
        ++units;
    return GS::Utf16ToUtf8(std::u16string_view(field, units));
}

template <size_t N> std::string textOf(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

} // namespace zavhost
