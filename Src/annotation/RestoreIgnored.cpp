#include "annotation/RestoreIgnored.h"

#include "Environment/Host.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/Readiness.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/ProgressWindow.h"

namespace zavlink {

using namespace tarnwick;

// Both edit-manager flags on: what the step unlocks or shows, in any view, is put back after it.
RestoreTransaction::RestoreTransaction()
    : Transaction(Host::getResourceString(TransactionNames, NameItem), true, true) {}

bool RestoreTransaction::mayStart() {
    m_current = currentDatabaseOrTell();
    if (m_current == nullptr) return false;
    // Default buttons, "OK" and "Cancel": only the first goes on.
    const String question = Host::getResourceString(QuestionTexts, QuestionItem);
    if (ConfirmAlert().show(question, String(), String()) != ConfirmAlert::FirstButton) return false;
    const HostFailureWatch watch;
    {
        std::shared_ptr<ProgressMonitor> progress = ProgressWindow::create(
            Host::getResourceString(CollectPhaseTexts, ProgressTitleItem), ProgressPhases);
        (void)m_ignored.collectProject(progress.get());
    }
    // Clauses in what could not be read may be ignored: none can be said to be.
    if (tellHostFailure(watch)) return decline();
    if (m_ignored.keepIgnored() > 0) return true;
    NotifyAlert().show(Host::getResourceString(ClickPrompts, NoneIgnoredItem));
    return decline();
}

bool RestoreTransaction::decline() {
    // Collecting walks every view; a declined step has no end step to bring the user's back.
    (void)Host::setCurrentDatabase(m_current);
    return false;
}

GSErrCode RestoreTransaction::run() {
    // Rewritten without the mark, whatever a caller left the switch at.
    ShipIsAccepted shipped(false);
    const HostFailureWatch watch;
    uint32_t restored = 0;
    for (Annotation& annotation : m_ignored)
        restored += annotation.restoreIgnored();
    // Every ignored clause was found: none restored means the host took none of them.
    return restored > 0 ? hosterr::Ok : failStep(watch);
}

void RestoreTransaction::finished(bool) {
    if (m_current != nullptr) (void)Host::setCurrentDatabase(m_current);
}

bool RestoreIgnored::receive(Event&) {
    RestoreTransaction transaction;
    (void)Host::runTransaction(transaction);
    return true;
}

} // namespace zavlink
