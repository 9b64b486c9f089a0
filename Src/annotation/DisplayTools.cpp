#include "annotation/DisplayTools.h"

#include "Environment/Host.h"
#include "annotation/AnnotationList.h"
#include "annotation/CommandList.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "project/Alert.h"
#include "project/Drawing.h"

namespace zavlink {

using namespace tarnwick;

bool DisplayTool::receive(Event&) {
    Drawing* current = currentDatabaseOrTell();
    if (current == nullptr) return true;
    String program;
    String specification;
    if (checkReady(program, specification, false)) (void)display(*current);
    (void)Host::setCurrentDatabase(current);
    return true;
}

bool DisplayTool::display(Drawing& drawing) const {
    // The Annotator is shown the clause, not the user's decision to ignore its changes.
    ShipIsAccepted shipped(false);
    AnnotationList selected;
    const HostFailureWatch watch;
    (void)selected.collectSelection(drawing);
    // A selection that could not be read is not one without a clause.
    if (selected.empty() && tellHostFailure(watch)) return false;
    if (selected.empty() && needsAnnotation()) {
        ErrorAlert().show(Host::getResourceString(ErrorTexts, NoClauseItem));
        return false;
    }
    std::unique_ptr<AnnotatedCommand> command = makeCommand();
    if (!selected.empty()) {
        command->annotation = selected[0];
        command->hasAnnotation = true;
    }
    CommandList list;
    list.append(std::move(command));
    return sendCommands(list);
}

std::unique_ptr<AnnotatedCommand> DisplayClause::makeCommand() const {
    return std::make_unique<DisplayClauseCommand>(SentCommandID);
}

std::unique_ptr<AnnotatedCommand> DisplayGuidance::makeCommand() const {
    return std::make_unique<DisplayGuidanceCommand>(SentCommandID);
}

std::unique_ptr<AnnotatedCommand> DisplayManufacturer::makeCommand() const {
    return std::make_unique<DisplayManufacturerCommand>(SentCommandID);
}

} // namespace zavlink
