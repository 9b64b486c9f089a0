#include "AlertDesk.h"

#include "CallLog.h"
#include "Transcript.h"

namespace zavhost {

std::string ShownAlert::text() const {
    std::string line =
        std::string("alert (") + DGAlertTypeName(type) + ") " + inQuotes(headline) + ": " + inQuotes(message);
    if (!guide.empty()) line += " guide " + inQuotes(guide);
    for (const std::string& button : buttons)
        if (!button.empty()) line += " [" + button + "]";
    return line + " -> button " + std::to_string(answer);
}

short AlertDesk::answer(const DGAlertRequest& request) {
    ShownAlert alert;
    alert.type = request.type;
    alert.headline = request.largeText.ToCStr();
    alert.message = request.smallText.ToCStr();
    alert.guide = request.guideText.ToCStr();
    alert.buttons[0] = request.button1.ToCStr();
    alert.buttons[1] = request.button2.ToCStr();
    alert.buttons[2] = request.button3.ToCStr();
    alert.answer = 1;
    if (!m_queued.empty()) {
        AlertAnswer wanted = m_queued.front();
        m_queued.pop_front();
        short chosen = 0;
        if (wanted.button >= 1 && wanted.button <= 3) {
            // The first button is always there; the others only when they have a text.
            if (wanted.button == 1 || !alert.buttons[wanted.button - 1].empty())
                chosen = static_cast<short>(wanted.button);
        } else {
            for (short i = 0; i < 3 && chosen == 0; ++i)
                if (!alert.buttons[i].empty() && alert.buttons[i] == wanted.buttonText)
                    chosen = static_cast<short>(i + 1);
        }
        if (chosen != 0) {
            alert.answer = chosen;
        } else {
            std::string asked =
                wanted.button != 0 ? "button " + std::to_string(wanted.button) : inQuotes(wanted.buttonText);
            m_problems.push_back("the alert answer of line " + std::to_string(wanted.line) + " (" + asked +
                                 ") fits no button of alert " + inQuotes(alert.headline));
        }
    }
    m_transcript.note(alert.text());
    m_shown.push_back(std::move(alert));
    return m_shown.back().answer;
}

std::vector<std::string> AlertDesk::takeProblems() {
    std::vector<std::string> problems;
    problems.swap(m_problems);
    return problems;
}

void AlertDesk::clear() {
    m_shown.clear();
    m_queued.clear();
    m_problems.clear();
}

} // namespace zavhost
