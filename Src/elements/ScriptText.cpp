#include "elements/ScriptText.h"

#include "Environment/NumberText.h"

namespace tarnwick {

String ScriptText::number(double value) {
    return String(realToText(value, Precision));
}

String ScriptText::quoted(const String& text) {
    const std::string_view bytes = text.view();
    const bool hasDouble = bytes.find('"') != std::string_view::npos;
    const bool hasSingle = bytes.find('\'') != std::string_view::npos;
    const char delimiter = hasDouble && !hasSingle ? '\'' : '"';
    std::string result;
    result.reserve(bytes.size() + 2);
    result += delimiter;
    for (char c : bytes) {
        if (c == '\r' || c == '\n')
            result += ' ';
        else if (c == '"' && delimiter == '"')
            result += '\'';
        else
            result += c;
    }
    result += delimiter;
    return String(std::move(result));
}

ScriptText& ScriptText::tabs(uint16_t extra) {
    for (uint32_t i = 0; i < uint32_t(m_indent) + extra; ++i)
        m_out << "\t";
    return *this;
}

ScriptText& ScriptText::operator<<(const char* text) {
    m_out << text;
    return *this;
}

ScriptText& ScriptText::operator<<(const String& text) {
    m_out << text;
    return *this;
}

ScriptText& ScriptText::operator<<(int32_t value) {
    m_out << value;
    return *this;
}

ScriptText& ScriptText::real(double value) {
    m_out << number(value);
    return *this;
}

ScriptText& ScriptText::point2(const CadPoint& p) {
    real(p.getX() + m_offset.getX());
    m_out << ", ";
    return real(p.getY() + m_offset.getY());
}

ScriptText& ScriptText::point3(const CadPoint& p) {
    point2(p);
    m_out << ", ";
    return real(p.getZ() + m_offset.getZ());
}

bool ScriptText::isGood() const {
    return (m_out.getState() & (DataBufferOut::StateNoSink | DataBufferOut::StateWriteFailed)) == 0;
}

} // namespace tarnwick
