#include "ProcessWindow.h"

#include "CallLog.h"
#include "Transcript.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

void ProcessWindow::registerSelectors(SelectorTable& interfaceCalls) {
    interfaceCalls.add("IPWD", [this](SelectorCall& call) { return open(call); });
    interfaceCalls.add("SPRP", [this](SelectorCall& call) { return setPhase(call); });
    interfaceCalls.add("SPRV", [this](SelectorCall& call) { return setValue(call); });
    interfaceCalls.add("IPRV", [this](SelectorCall& call) { return increment(call); });
    interfaceCalls.add("CANC", [this](SelectorCall& call) { return poll(call); });
    interfaceCalls.add("CPWD", [this](SelectorCall& call) { return close(call); });
}

void ProcessWindow::cancelAfter(int32_t polls) {
    m_cancelArmed = true;
    m_cancelAfter = polls < 0 ? 0 : polls;
    m_cancelBound = m_state.open;
    m_pollsSinceBound = 0;
}

void ProcessWindow::forceClose() {
    if (m_state.open) closeWindow("left open by the module; the host closes it");
}

GSErrCode ProcessWindow::open(SelectorCall& call) {
    auto* title = static_cast<const GS::UniString*>(call.args[0]);
    auto* phaseCount = static_cast<const int16_t*>(call.args[1]);
    if (title == nullptr || phaseCount == nullptr) {
        call.brief = "null argument";
        return hosterr::BadParameter;
    }
    call.brief = inQuotes(title->ToCStr()) + ", " + std::to_string(*phaseCount);
    if (m_state.open) {
        m_transcript.note("progress window " + inQuotes(title->ToCStr()) +
                          " refused: " + inQuotes(m_state.title) + " is open");
        return hosterr::Refused;
    }
    m_state = ProcessWindowState();
    m_state.open = true;
    m_state.title = title->ToCStr();
    m_state.phaseCount = *phaseCount;
    ++m_timesOpened;
    if (m_cancelArmed && !m_cancelBound) {
        m_cancelBound = true;
        m_pollsSinceBound = 0;
    }
    m_transcript.note("progress window " + inQuotes(m_state.title) + " opens with " +
                      std::to_string(*phaseCount) + " phase(s)");
    return hosterr::Ok;
}

GSErrCode ProcessWindow::setPhase(SelectorCall& call) {
    auto* text = static_cast<const GS::UniString*>(call.args[0]);
    auto* steps = static_cast<const int32_t*>(call.args[1]);
    if (text == nullptr || steps == nullptr) {
        call.brief = "null argument";
        return hosterr::BadParameter;
    }
    call.brief = inQuotes(text->ToCStr()) + ", " + std::to_string(*steps);
    if (!m_state.open) return hosterr::Refused;
    m_state.phases.push_back({text->ToCStr(), *steps});
    m_state.value = 0;
    m_transcript.note("progress phase " + std::to_string(m_state.phases.size()) + " " +
                      inQuotes(text->ToCStr()) + " with " + std::to_string(*steps) + " step(s)");
    return hosterr::Ok;
}

GSErrCode ProcessWindow::setValue(SelectorCall& call) {
    auto* value = static_cast<const int32_t*>(call.args[0]);
    if (value == nullptr) {
        call.brief = "null argument";
        return hosterr::BadParameter;
    }
    call.brief = std::to_string(*value);
    if (!m_state.open) return hosterr::Refused;
    m_state.value = *value;
    return hosterr::Ok;
}

GSErrCode ProcessWindow::increment(SelectorCall& call) {
    auto* count = static_cast<const int32_t*>(call.args[0]);
    if (count == nullptr) {
        call.brief = "null argument";
        return hosterr::BadParameter;
    }
    call.brief = std::to_string(*count);
    if (!m_state.open) return hosterr::Refused;
    m_state.value += *count;
    return hosterr::Ok;
}

GSErrCode ProcessWindow::poll(SelectorCall& call) {
    // With no window there is no Cancel button to press.
    if (!m_state.open) return hosterr::Ok;
    ++m_state.polls;
    if (m_cancelArmed && m_cancelBound && !m_state.cancelled) {
        if (m_pollsSinceBound >= m_cancelAfter) {
            m_state.cancelled = true;
            m_transcript.note("the user presses Cancel in " + inQuotes(m_state.title) + " (after " +
                              std::to_string(m_pollsSinceBound) + " poll(s))");
        } else {
            ++m_pollsSinceBound;
        }
    }
    call.brief = m_state.cancelled ? "cancelled" : "";
    return m_state.cancelled ? hosterr::Cancelled : hosterr::Ok;
}

GSErrCode ProcessWindow::close(SelectorCall&) {
    if (!m_state.open) return hosterr::Refused;
    closeWindow(nullptr);
    return hosterr::Ok;
}

void ProcessWindow::closeWindow(const char* why) {
    if (m_beforeClose) m_beforeClose(m_state);
    m_state.open = false;
    if (m_cancelBound) {
        m_cancelArmed = false;
        m_cancelBound = false;
    }
    std::string line = "progress window " + inQuotes(m_state.title) + " closes at phase " +
                       std::to_string(m_state.phases.size()) + " of " + std::to_string(m_state.phaseCount) +
                       ", value " + std::to_string(m_state.value) + ", " + std::to_string(m_state.polls) +
                       " poll(s)" + (m_state.cancelled ? ", cancelled" : "");
    if (why != nullptr) line += std::string(" (") + why + ")";
    m_transcript.note(line);
}

} // namespace zavhost
