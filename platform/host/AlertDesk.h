// Alerts as the scripted user meets them: each one is recorded in the transcript and answered with
// the next queued answer (a button number or a button text), else with the first button.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dg/Alert.h"

namespace zavhost {

class Transcript;

struct ShownAlert {
    short type = 0;
    std::string headline;
    std::string message;
    std::string guide;
    std::string buttons[3];
    short answer = 0;

    std::string text() const; // one line for the transcript
};

struct AlertAnswer {
    int button = 0;         // 1-3; 0 when the button is given by its text
    std::string buttonText; // matched exactly against the offered buttons
    int line = 0;           // where the scenario queued it, for messages
};

class AlertDesk {
public:
    explicit AlertDesk(Transcript& transcript) : m_transcript(transcript) {}

    void queue(AlertAnswer answer) { m_queued.push_back(std::move(answer)); }
    // Records the alert and answers it. An answer that fits no offered button is noted as a
    // problem and the first button is pressed instead.
    short answer(const DGAlertRequest& request);

    const std::vector<ShownAlert>& shown() const { return m_shown; }
    const std::deque<AlertAnswer>& queued() const { return m_queued; }
    // Problems met since the last call (answers that fitted no button), then forgotten.
    std::vector<std::string> takeProblems();
    void clear();
    // Forgets the answers queued, keeping what was shown.
    void dropQueued() { m_queued.clear(); }

private:
    Transcript& m_transcript;
    std::vector<ShownAlert> m_shown;
    std::deque<AlertAnswer> m_queued;
    std::vector<std::string> m_problems;
};

} // namespace zavhost
