// The story of a session as the host tells it: actions, alerts, undo steps, the progress window
// and notable host calls, one line each. Optionally echoed to a stream as it grows.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zavhost {

class Transcript {
public:
    // Echoes every new line to `out` (null: keep quiet).
    void echoTo(std::ostream* out) { m_echo = out; }
    // Runs before each new line, so that output gathered elsewhere (debug prints) can be written
    // first and the story stays in order. Lines the hook writes do not run it again.
    void beforeEachLine(std::function<void()> hook) { m_beforeLine = std::move(hook); }

    void action(const std::string& text); // something the user or the host does
    void note(const std::string& text);   // what happened because of it (indented)

    const std::vector<std::string>& lines() const { return m_lines; }
    std::string text() const; // all lines, each ended by a newline
    bool contains(const std::string& fragment) const;
    void clear() { m_lines.clear(); }

private:
    void add(std::string line);

    std::vector<std::string> m_lines;
    std::ostream* m_echo = nullptr;
    std::function<void()> m_beforeLine;
    bool m_inHook = false;
};

} // namespace zavhost
