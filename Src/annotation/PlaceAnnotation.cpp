#include "annotation/PlaceAnnotation.h"

#include "Environment/Host.h"
#include "annotation/AnnotationPlacement.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/api/HostErrors.h"

namespace zavlink {

using namespace tarnwick;

// Both edit-manager flags on: what the step unlocks or shows, in any view, is put back after it.
AnnotationTransaction::AnnotationTransaction()
    : Transaction(Host::getResourceString(TransactionNames, NameItem), true, true) {}

bool AnnotationTransaction::mayStart() {
    const HostFailureWatch watch;
    if (prepare()) return true;
    (void)tellHostFailure(watch);
    return false;
}

bool AnnotationTransaction::prepare() {
    m_target = Host::getCurrentDatabase();
    if (m_target == nullptr) return false;
    String program;
    String specification;
    if (!checkReady(program, specification, false)) return false;
    if (!requestAnnotation(m_annotation)) return false;

    m_clicks.clear();
    m_clicks.setPointPrompt(Host::getResourceString(ClickPrompts, OriginPrompt));
    if (!m_clicks.inputPoint() || m_clicks.getVertexCount() != 1) return false;
    m_clicks.setPointPrompt(Host::getResourceString(ClickPrompts, BoundsPrompt));
    m_clicks.setRubberBander(std::make_unique<RubberBounder>());
    return m_clicks.inputPoint() && m_clicks.getVertexCount() == 2;
}

GSErrCode AnnotationTransaction::run() {
    const HostFailureWatch watch;
    std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(m_annotation, *m_target);
    // A text without its clause would be no annotation at all.
    if (placement->xmlSize == 0) return failStep(watch);
    if (createAnnotationText(*placement, m_clicks.getPoint(0), m_clicks.getPoint(1))) return hosterr::Ok;
    return placement->failed ? failStep(watch) : hosterr::Cancelled;
}

void AnnotationTransaction::finished(bool) {
    if (m_target != nullptr) (void)Host::setCurrentDatabase(m_target);
}

bool PlaceAnnotation::receive(Event&) {
    AnnotationTransaction transaction;
    (void)Host::runTransaction(transaction);
    return true;
}

} // namespace zavlink
