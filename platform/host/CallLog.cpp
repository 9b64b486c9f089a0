#include "CallLog.h"

#include <cstdio>

#include "platform/api/HostErrors.h"

namespace zavhost {

std::string HostCall::text() const {
    std::string line = function;
    if (!selector.empty()) line += " " + selector;
    line += " (" + arguments() + ") -> " + answerText(answer);
    return line;
}

size_t CallLog::count(const std::string& fragment, size_t from) const {
    size_t n = 0;
    for (size_t i = from; i < m_calls.size(); ++i)
        if (fragment.empty() || m_calls[i].text().find(fragment) != std::string::npos) ++n;
    return n;
}

std::string CallLog::texts(size_t from) const {
    std::string all;
    for (size_t i = from; i < m_calls.size(); ++i)
        all += m_calls[i].text() + "\n";
    return all;
}

std::string codeText(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", code);
            return hex;
        }
        text += c;
    }
    return text;
}

std::string answerText(GSErrCode answer) {
    if (answer == hosterr::Ok) return "ok";
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<uint32_t>(answer));
    return std::string(hosterr::name(answer)) + " (" + hex + ")";
}

std::string inQuotes(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

} // namespace zavhost
