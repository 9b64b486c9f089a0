#include "annotation/SelectSpecification.h"

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "annotation/AnnotationMenu.h"
#include "annotation/CommandList.h"
#include "annotation/Request.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkPrefs.h"
#include "platform/api/HostFunctionTable.h"
#include "project/Project.h"

namespace zavlink {

using namespace tarnwick;

ZAVLinkPrefs* projectPrefs() {
    if (!Host::hasProject()) return nullptr;
    Project* project = Host::getProject();
    return project != nullptr ? dynamic_cast<ZAVLinkPrefs*>(project->getPackage(ZAVLinkPrefs::Code))
                              : nullptr;
}

bool isSpecificationChosen(const ZAVLinkPrefs* prefs) {
    if (prefs == nullptr || !prefs->isSpecification) return false;
    const String& path = prefs->specificationPath;
    const size_t dot = path.findLastOf(String("."));
    return dot != String::npos && path.substring(dot + 1).toLower() == "spec";
}

void SelectSpecification::getEventTypes(std::vector<EventType>& types) const {
    types.push_back(SelectSpecificationEvent);
}

bool SelectSpecification::receive(Event&) {
    Drawing* current = currentDatabaseOrTell();
    if (current == nullptr) return true;
    if (ZAVLinkPrefs* prefs = projectPrefs()) {
        ResultReceiver receiver;
        CommandList list(&receiver);
        list.append(std::make_unique<SelectSpecificationCommand>(SentCommandID));
        const bool published = sendCommands(list);
        if (const auto* answer = acceptedAnswer<SelectSpecificationResult>(published, receiver)) {
            prefs->isSpecification = true;
            prefs->specificationPath = answer->getZavPath();
            // Into the project's module data at once, so that the choice survives even when
            // nothing else makes the project save its add-on data; a choice that does not go in
            // is still used, and the user knows it is not kept yet.
            Addon* addon = getAddon();
            const HostFailureWatch watch;
            if (addon != nullptr && !addon->savePackages(0)) tellSpecificationNotStored(watch);
        }
    }
    (void)Host::setCurrentDatabase(current);
    return false;
}

void SpecificationChangeHandler::getEventTypes(std::vector<EventType>& types) const {
    ProjectSubscriber::getEventTypes(types);
    types.push_back(SelectSpecificationEvent);
}

bool SpecificationChangeHandler::receive(Event& event) {
    if (event.getType() == SelectSpecificationEvent)
        refreshMenu();
    else
        ProjectSubscriber::receive(event);
    return false;
}

bool SpecificationChangeHandler::handleProjectEvent(ProjectEvent& event) {
    switch (event.getNotification()) {
    case ProjectNew:
    case ProjectNewAndReset:
    case ProjectOpen:
        refreshMenu();
        break;
    default:
        break;
    }
    return false;
}

void SpecificationChangeHandler::refreshMenu() {
    const bool enabled = isSpecificationChosen(projectPrefs());
    for (int32_t item = FirstDisplayItem; item <= LastDisplayItem; ++item)
        Host::setMenuItemEnabled(MenuList, item, enabled);
}

} // namespace zavlink
