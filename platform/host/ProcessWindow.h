// The host's process window: a title, phases with a text and a step count, a bar value and a
// cancel button that the module polls. One window at a time. A scenario can make the user press
// Cancel after a number of polls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SelectorTable.h"

namespace zavhost {

class Transcript;

struct ProgressPhase {
    std::string text;
    int32_t steps = 0;
};

struct ProcessWindowState {
    bool open = false;
    std::string title;
    int16_t phaseCount = 0;            // as announced when it opened
    std::vector<ProgressPhase> phases; // as set, in order; the last one is current
    int32_t value = 0;                 // of the current phase
    int32_t polls = 0;                 // "CANC" calls while open
    bool cancelled = false;
};

class ProcessWindow {
public:
    explicit ProcessWindow(Transcript& transcript) : m_transcript(transcript) {}

    // Adds IPWD, SPRP, SPRV, IPRV, CANC and CPWD to the interface dispatcher.
    void registerSelectors(SelectorTable& interfaceCalls);

    // The window open now, or the last one that was open (state kept after it closed).
    const ProcessWindowState& state() const { return m_state; }
    int32_t timesOpened() const { return m_timesOpened; }

    // The user presses Cancel once `polls` "CANC" polls have answered "not cancelled": in the window
    // open now, or else in the next one to open. Consumed when that window closes.
    void cancelAfter(int32_t polls);
    bool cancelArmed() const { return m_cancelArmed; }

    // Closes a window the module left open (the module went away).
    void forceClose();

    // Runs as a window closes, before the transcript tells it, with the window's last state.
    void beforeClose(std::function<void(const ProcessWindowState&)> hook) { m_beforeClose = std::move(hook); }

private:
    GSErrCode open(SelectorCall& call);
    GSErrCode setPhase(SelectorCall& call);
    GSErrCode setValue(SelectorCall& call);
    GSErrCode increment(SelectorCall& call);
    GSErrCode poll(SelectorCall& call);
    GSErrCode close(SelectorCall& call);
    void closeWindow(const char* why);

    Transcript& m_transcript;
    ProcessWindowState m_state;
    int32_t m_timesOpened = 0;
    bool m_cancelArmed = false;
    bool m_cancelBound = false; // the armed cancel belongs to the window open now
    int32_t m_cancelAfter = 0;
    int32_t m_pollsSinceBound = 0;
    std::function<void(const ProcessWindowState&)> m_beforeClose;
};

} // namespace zavhost
