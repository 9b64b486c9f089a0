#include "annotation/PlaceLabel.h"

#include <array>
#include <cmath>

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "annotation/AnnotationPlacement.h"
#include "annotation/LabelUpkeep.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "elements/Element.h"
#include "elements/input/UserPath.h"
#include "geometry/Cube.h"
#include "library/Label.h"
#include "platform/api/HostErrors.h"
#include "project/Drawing.h"
#include "project/Project.h"

namespace zavlink {

using namespace tarnwick;

namespace {
constexpr double WidthTolerance = 1e-5;
// The label's width when its text style cannot be had.
constexpr double FallbackLabelWidth = 5.0;

CadPoint labelPointOf(Element& element) {
    if (std::unique_ptr<Cube> bounds = element.getBounds(false)) return bounds->getCentre();
    CadPoint point;
    element.getReferencePoint(point);
    return point;
}

// The label, its user data and its link from the element; false as soon as one is not had.
bool placeLabel(AnnotationPlacement& placement, Drawing& drawing, const CadPoint& point, Element* element) {
    Label label(StyledString(placement.text), true);
    if (!label.hasDefaults()) return false;
    if (std::fabs(placement.labelWidth) <= WidthTolerance) {
        std::unique_ptr<TextStyle> style = label.getTextStyle(1);
        placement.labelWidth = style ? style->getTextLength(placement.text) + 1.0 : FallbackLabelWidth;
    }
    const double run = placement.labelRun;
    label.setReferencePoint(point);
    label.setMidPoint(CadPoint(point.getX() + run / 2.0, point.getY(), point.getZ()));
    label.setEndPoint(CadPoint(point.getX() + run, point.getY(), point.getZ()));
    label.setTextWidth(placement.labelWidth);
    Storey* storey = element != nullptr ? element->getStorey() : currentPlanStorey(drawing);
    if (storey != nullptr) label.setStorey(*storey, true);
    if (!drawing.saveElement(label, false, true)) return false;
    const bool linked = element != nullptr;
    if (placement.xmlSize > 0 && !label.storeUserData(placement.xml, 0, linked, AnnotationUserDataFlags))
        return false;
    return !linked || (element->linkTo(label.getLink(), 0) && element->setSwitched(true));
}
} // namespace

// Both edit-manager flags on, as for every product step.
LabelTransaction::LabelTransaction()
    : Transaction(Host::getResourceString(TransactionNames, NameItem), true, true) {}

bool LabelTransaction::mayStart() {
    const HostFailureWatch watch;
    if (prepare()) return true;
    (void)tellHostFailure(watch);
    return false;
}

bool LabelTransaction::prepare() {
    m_target = Host::getCurrentDatabase();
    if (m_target == nullptr) return false;
    String program;
    String specification;
    if (!checkReady(program, specification, false)) return false;
    ShipIsAccepted notShipped(false);
    return requestAnnotation(m_annotation);
}

GSErrCode LabelTransaction::run() {
    std::unique_ptr<AnnotationPlacement> placement = buildAnnotationMemo(m_annotation, *m_target);
    return placeAnnotationLabels(*placement);
}

GSErrCode placeAnnotationLabels(AnnotationPlacement& placement) {
    const HostFailureWatch watch;
    Drawing* target = placement.drawing;
    // A label without its clause would be no annotation at all.
    if (target == nullptr || placement.xmlSize == 0) return failStep(watch);
    const Drawing::Filter selected(Drawing::FilterSelected, 0, true, false, false);
    const HostFailureWatch selectionRead;
    const int32_t selectedCount = target->countElements(selected);
    // A selection the host would not read or confirm is not an empty one: no click is asked for.
    if (selectionRead.any()) return failStep(selectionRead);
    int32_t walked = 0;
    size_t made = 0;
    Drawing::iterator it = target->begin(selected);
    // The walk only reads: the selected elements must not be written back.
    it.setWriteBack(false);
    for (; !it.atEnd() && !placement.failed; ++it) {
        Element& element = *it;
        ++walked;
        if (createAnnotationLabel(placement, labelPointOf(element), &element)) ++made;
    }
    // A selected element the host would not hand out would be left unlabelled without a word.
    if (placement.failed || walked < selectedCount) return failStep(watch);
    if (selectedCount > 0) return made > 0 ? hosterr::Ok : hosterr::Cancelled;

    UserPath click;
    click.setPointPrompt(Host::getResourceString(ClickPrompts, LabelTransaction::OriginPrompt));
    if (!click.inputPoint() || click.getVertexCount() != 1)
        return watch.any() ? failStep(watch) : hosterr::Cancelled;
    if (createAnnotationLabel(placement, click.getPoint(0), nullptr)) return hosterr::Ok;
    return placement.failed ? failStep(watch) : hosterr::Cancelled;
}

void LabelTransaction::finished(bool) {
    if (m_target != nullptr) (void)Host::setCurrentDatabase(m_target);
}

bool createAnnotationLabel(AnnotationPlacement& placement, const CadPoint& point, Element* element) {
    Drawing* drawing = placement.drawing;
    if (drawing == nullptr) return false;
    if (!placement.labelLayerChecked) {
        Project* project = drawing->getProject() != nullptr ? drawing->getProject() : Host::getProject();
        const ElementLink tool(ElementLink::makeTypeId(Label::TypeCode), drawing);
        bool hostFailed = project == nullptr;
        placement.labelLayerChecked = project != nullptr && project->checkToolLayer(tool, false, &hostFailed);
        if (!placement.labelLayerChecked) {
            placement.failed = placement.failed || hostFailed;
            return false;
        }
    }
    // From here on nothing is the user's choice: a label not made whole is the host's failure.
    if (placeLabel(placement, *drawing, point, element)) return true;
    placement.failed = true;
    return false;
}

PlaceLabel::PlaceLabel()
    : m_addon(getAddon()), m_begin(std::make_unique<BeginEdit>(this)),
      m_edits(std::make_unique<EditLogger>(this)), m_deletes(std::make_unique<DeleteLogger>(this)),
      m_end(std::make_unique<EndEdit>(this)) {
    if (m_addon == nullptr) return;
    for (Subscriber* subscriber : subscribers())
        m_addon->add(subscriber);
}

PlaceLabel::~PlaceLabel() {
    if (m_addon == nullptr) return;
    for (Subscriber* subscriber : subscribers())
        m_addon->remove(subscriber);
}

std::array<Subscriber*, 4> PlaceLabel::subscribers() const {
    return {m_begin.get(), m_edits.get(), m_deletes.get(), m_end.get()};
}

void PlaceLabel::getEventTypes(std::vector<EventType>& types) const {
    types.push_back(Type);
}

bool PlaceLabel::receive(Event&) {
    LabelTransaction transaction;
    (void)Host::runTransaction(transaction);
    return true;
}

} // namespace zavlink
