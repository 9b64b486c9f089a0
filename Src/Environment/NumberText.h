// Numbers to text and back, independent of the machine's locale.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

class String;

std::string intToText(int64_t value);
std::string uintToText(uint64_t value);
// Rounded to the nearest multiple of precision when it is not 0, then six significant digits in
// general notation. NaN and infinities give "nan", "inf" and "-inf".
std::string realToText(double value, double precision = 0.0);

// Each answers the value, and through valid whether the whole text (spaces around it allowed) was a
// number in range. An invalid text answers 0.
int32_t parseInt(const String& text, bool* valid = nullptr);
uint32_t parseUInt(const String& text, bool* valid = nullptr);
int64_t parseInt64(const String& text, bool* valid = nullptr);
uint64_t parseUInt64(const String& text, bool* valid = nullptr);
double parseDouble(const String& text, bool* valid = nullptr);

} // namespace tarnwick
