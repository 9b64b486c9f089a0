// Exact text forms of values and defined conversions between number types, shared by the XML
// proxies and the settings.
#pragma once

#include <cstdint>

#include "Environment/String.h"

namespace tarnwick {

// The shortest decimal text that reads back as the same double; "nan", "inf" and "-inf" for
// the values that have no digits.
String exactRealText(double value);
// Reads what exactRealText writes (spaces around it allowed); false for anything else.
bool parseExactReal(const String& text, double& value);

// Truncated toward zero and clamped to the type's range; NaN gives 0.
int32_t saturateToInt32(double value);
int64_t saturateToInt64(double value);
// The low 32 bits as a signed value.
inline int32_t lowInt32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// A number from the start of the text, as a user would read it: an integer, else a real number
// truncated toward zero, clamped to the range; text that is no number gives 0.
int64_t leadingInteger(const String& text);
// A real number from the start of the text ("2.5 cm" gives 2.5), or what parseExactReal reads;
// text that is no number gives 0, and a number beyond a double's range its bound.
double leadingReal(const String& text);

} // namespace tarnwick
