// The user's clicks in the drawing window, answering the module's interactive inputs ("IPOI",
// "ILIN", "IARC", "IPOL"), and the rubber band it draws meanwhile ("DRLI"). A scenario queues the
// clicks; each input takes what it needs from the front of the queue. An input that finds no
// click, or the user's Escape, is cancelled. One input waits at a time, and rubber-band lines are
// drawn only while one waits.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "SelectorTable.h"
#include "platform/api/InputRecords.h"

namespace zavhost {

class Transcript;

struct InputAction {
    enum Kind { Click, Finish, Cancel };
    Kind kind = Click;
    HostCoord3D point;                   // model coordinates in the current view
    std::optional<double> arcAngle;      // a polygon edge ending here is an arc of this sweep
    std::string label;                   // the element clicked on, for the transcript
    std::optional<HostNeighbour> target; // the element clicked on
    int line = 0;                        // where the scenario gave it
};

class UserInput {
public:
    explicit UserInput(Transcript& transcript) : m_transcript(transcript) {}

    // Adds IPOI, ILIN, IARC, IPOL, INCA and DRLI to the interface dispatcher.
    void registerSelectors(SelectorTable& interfaceCalls);

    void queue(InputAction action) { m_queued.push_back(std::move(action)); }
    const std::deque<InputAction>& queued() const { return m_queued; }
    void clear() { m_queued.clear(); }
    bool waiting() const { return m_waiting; }
    // Rubber-band lines drawn, in all.
    size_t rubberLines() const { return m_rubberLines; }
    // Problems met since the last call (a step that fits no input), then forgotten.
    std::vector<std::string> takeProblems();

private:
    // While an input waits for the user.
    class Waiting {
    public:
        explicit Waiting(UserInput& input);
        ~Waiting();
        Waiting(const Waiting&) = delete;
        Waiting& operator=(const Waiting&) = delete;

    private:
        UserInput& m_input;
    };

    GSErrCode inputPoint(SelectorCall& call);
    GSErrCode inputLine(SelectorCall& call);
    GSErrCode inputArc(SelectorCall& call);
    GSErrCode inputPolygon(SelectorCall& call);
    GSErrCode drawLine(SelectorCall& call);
    // The next click for an input of that kind, or nothing when the user cancels.
    std::optional<InputAction> nextClick(const std::string& what);
    GSErrCode cancelled(const std::string& what);
    void begin(const std::string& what, const char* prompt);
    void feedback(HostInputFeedbackProc proc, HostCoord3D& point);

    Transcript& m_transcript;
    std::deque<InputAction> m_queued;
    std::vector<std::string> m_problems;
    bool m_waiting = false;
    bool m_lastCancelled = false;
    size_t m_rubberLines = 0;
    size_t m_linesThisInput = 0;
};

} // namespace zavhost
