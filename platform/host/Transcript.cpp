#include "Transcript.h"

#include <ostream>

namespace zavhost {

void Transcript::action(const std::string& text) {
    add(text);
}

void Transcript::note(const std::string& text) {
    add("    " + text);
}

void Transcript::add(std::string line) {
    if (m_beforeLine && !m_inHook) {
        m_inHook = true;
        m_beforeLine();
        m_inHook = false;
    }
    if (m_echo != nullptr) *m_echo << line << '\n' << std::flush;
    m_lines.push_back(std::move(line));
}

std::string Transcript::text() const {
    std::string all;
    for (const std::string& line : m_lines)
        all += line + "\n";
    return all;
}

bool Transcript::contains(const std::string& fragment) const {
    for (const std::string& line : m_lines)
        if (line.find(fragment) != std::string::npos) return true;
    return false;
}

} // namespace zavhost
