#include "project/ProgressWindow.h"

#include "Environment/HostCalls.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace {
// The window only shows the user how far a tool has come: a call of it that fails stops nothing,
// and must not stand for what stopped a tool.
template <class... Args> GSErrCode windowCall(uint32_t selector, Args... args) {
    const UnnotedHostCalls unnoted;
    return ACAPInterfaceCall(selector, args...);
}
} // namespace

bool ProgressWindow::processWindowOpen = false;

std::shared_ptr<ProgressMonitor> ProgressWindow::create(const String& title, int16_t phases) {
    std::shared_ptr<ProgressWindow> window(new ProgressWindow());
    if (!processWindowOpen) {
        GS::UniString hostTitle = title.toUniString();
        int16_t phaseCount = phases;
        if (windowCall(fourCC("IPWD"), &hostTitle, &phaseCount) == hosterr::Ok) {
            window->m_ownsWindow = true;
            processWindowOpen = true;
        }
    }
    return window;
}

ProgressWindow::~ProgressWindow() {
    if (!m_ownsWindow) return;
    processWindowOpen = false;
    // A destructor cannot pass on what the host throws.
    try {
        windowCall(fourCC("CPWD"));
    } catch (...) {
    }
}

void ProgressWindow::setValue(int32_t value) {
    if (m_ownsWindow) windowCall(fourCC("SPRV"), &value);
}

void ProgressWindow::increment(int32_t count) {
    if (m_ownsWindow) windowCall(fourCC("IPRV"), &count);
}

bool ProgressWindow::isCancelled() {
    return m_ownsWindow && windowCall(fourCC("CANC")) == hosterr::Cancelled;
}

void ProgressWindow::setPhase(const String& text, int32_t steps) {
    if (!m_ownsWindow) return;
    GS::UniString hostText = text.toUniString();
    windowCall(fourCC("SPRP"), &hostText, &steps);
}

void ProgressWindow::addPhases(int16_t count) {
    for (int16_t i = 0; i < count; ++i)
        setPhase(String(), 1);
}

} // namespace tarnwick
