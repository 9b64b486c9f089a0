// The pieces script text is made of: tabs, keywords, integers, reals rounded to 0.00001 and
// written with six significant digits, points moved by the writer's offset, quoted texts. The
// output is a file format, so every byte here is fixed.
#pragma once

#include <cstdint>

#include "Environment/DataBufferOut.h"
#include "Environment/String.h"
#include "geometry/CadPoint.h"

namespace tarnwick {

class ScriptText {
public:
    static constexpr double Precision = 0.00001;
    static constexpr double DegreesPerRadian = 57.29577951308232;

    // Rounded to a multiple of 0.00001, then as a stream writes a double by default (classic
    // locale): 1234.57, 1e-05, 1.5e+06, 0.
    static String number(double value);
    // Between double quotes, bytes unchanged. A text holding a double quote and no single one is
    // put between single quotes; holding both, its double quotes become single ones. Line breaks
    // become spaces, so a statement stays on its line.
    static String quoted(const String& text);

    ScriptText(DataBufferOut& out, const CadPoint& offset, uint16_t indent)
        : m_out(out), m_offset(offset), m_indent(indent) {}

    DataBufferOut& stream() { return m_out; }
    uint16_t getIndent() const { return m_indent; }
    // The indent plus extra tabs.
    ScriptText& tabs(uint16_t extra = 0);
    ScriptText& operator<<(const char* text);
    ScriptText& operator<<(const String& text);
    ScriptText& operator<<(int32_t value);
    ScriptText& real(double value);
    ScriptText& degrees(double radians) { return real(radians * DegreesPerRadian); }
    // x, y (and z) moved by the offset, comma-separated.
    ScriptText& point2(const CadPoint& p);
    ScriptText& point3(const CadPoint& p);
    // Neither "no sink" nor "write failed" has happened to the stream.
    bool isGood() const;

private:
    DataBufferOut& m_out;
    CadPoint m_offset;
    uint16_t m_indent;
};

} // namespace tarnwick
