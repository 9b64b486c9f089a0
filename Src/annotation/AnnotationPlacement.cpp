#include "annotation/AnnotationPlacement.h"

#include <cmath>

#include "Environment/Host.h"
#include "annotation/Annotation.h"
#include "elements/input/RubberBand.h"
#include "elements/text/Text.h"
#include "geometry/CadPolygon.h"
#include "geometry/Cube.h"
#include "project/Drawing.h"
#include "project/ElementLink.h"
#include "project/Plan.h"
#include "project/Project.h"

namespace zavlink {

using namespace tarnwick;

double usableScale(double scale) {
    return std::isfinite(scale) && scale > 0.0 ? scale : FallbackScale;
}

Storey* currentPlanStorey(Drawing& drawing) {
    auto* plan = dynamic_cast<Plan*>(&drawing);
    if (plan == nullptr) plan = Host::getPlan();
    return plan != nullptr ? plan->getCurrentStorey() : nullptr;
}

std::unique_ptr<AnnotationPlacement> buildAnnotationMemo(Annotation& annotation, Drawing& drawing) {
    auto placement = std::make_unique<AnnotationPlacement>();
    placement->text = annotation.originalDisplayTitle;
    if (drawing.getDatabaseType() == DatabaseLayout)
        placement->labelRun = AnnotationPlacement::LayoutLabelRun;
    if (std::unique_ptr<MemoryBlock> xml = annotation.writeToBlock(false)) {
        placement->xmlSize = static_cast<uint32_t>(xml->getSize());
        placement->xml = std::move(*xml);
    }
    placement->drawing = &drawing;
    return placement;
}

bool createAnnotationText(AnnotationPlacement& placement, const CadPoint& first, const CadPoint& second) {
    Drawing* drawing = placement.drawing;
    if (drawing == nullptr) return false;
    if (!placement.textLayerChecked) {
        Project* project = drawing->getProject() != nullptr ? drawing->getProject() : Host::getProject();
        const ElementLink tool(ElementLink::makeTypeId(Text::TypeCode), drawing);
        bool hostFailed = project == nullptr;
        placement.textLayerChecked = project != nullptr && project->checkToolLayer(tool, false, &hostFailed);
        if (!placement.textLayerChecked) {
            placement.failed = placement.failed || hostFailed;
            return false;
        }
    }
    Text text(placement.text);
    const MemoryBlock* userData = placement.xmlSize > 0 ? &placement.xml : nullptr;
    if (text.hasDefaults() && text.placeInBox(first, second, *drawing, usableScale(drawing->getScale()),
                                              currentPlanStorey(*drawing), userData))
        return true;
    placement.failed = true;
    return false;
}

void RubberBounder::drawFeedback(const UserPath&, const PolyPoint& candidate, const PolyPoint* last,
                                 uint8_t) {
    draw(candidate, last != nullptr ? *last : m_reference, last != nullptr);
}

void RubberBounder::draw(const PolyPoint& cursor, const PolyPoint& reference, bool takeReference) {
    if (takeReference) m_reference = reference;
    (void)drawRubberPolygon(RubberLineStyle(), CadPolygon(Cube(m_reference, cursor), 0.0));
}

} // namespace zavlink
