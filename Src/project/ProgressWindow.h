// The host's process window: a title, phases with step counts, a bar and a cancel button.
#pragma once

#include <memory>

#include "Environment/String.h"

namespace tarnwick {

class ProgressMonitor {
public:
    virtual ~ProgressMonitor() = default;
    virtual void setValue(int32_t) {}
    virtual void increment(int32_t) {}
    virtual void step() {}
    virtual bool isOwner() const { return false; }
    virtual bool isCancelled() { return false; }
    virtual void setPhase(const String&, int32_t) {}
    virtual void addPhases(int16_t) {}
};

// Only one host process window can be open: a window made while another is open owns nothing
// and does nothing, and the outer window keeps its state.
class ProgressWindow : public ProgressMonitor {
public:
    // Opens the host's window unless one is open already; closes it when the last holder lets go.
    static std::shared_ptr<ProgressMonitor> create(const String& title, int16_t phases);
    ~ProgressWindow() override;

    void setValue(int32_t value) override;
    void increment(int32_t count) override;
    void step() override { increment(1); }
    bool isOwner() const override { return m_ownsWindow; }
    bool isCancelled() override; // true once the user has pressed cancel
    void setPhase(const String& text, int32_t steps) override;
    void addPhases(int16_t count) override; // empty phases of one step each

    static bool isWindowOpen() { return processWindowOpen; }

private:
    ProgressWindow() = default;

    bool m_ownsWindow = false;
    static bool processWindowOpen;
};

} // namespace tarnwick
