// "GDLN": what a placed drawing shows, answered from the view its record names.
#include <cstring>

#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ImageRecords.h"

namespace zavhost {

void registerDrawingLinkSelector(StandInHost& host) {
    host.databaseCalls().add("GDLN", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr || call.args[1] == nullptr)
            return call.brief = "null argument", hosterr::BadParameter;
        API_Guid guid;
        std::memcpy(&guid, call.args[0], sizeof guid);
        call.brief = model::guidText(guid);
        const StoredElement* element = project->model.views.findElement(guid);
        if (element == nullptr) return hosterr::BadGuid;
        if (element->head().typeCode != 30)
            return call.brief += ": not a placed drawing", hosterr::BadParameter;
        HostPlacedDrawing drawing;
        std::memcpy(static_cast<void*>(&drawing), element->record.raw, sizeof drawing);
        const ViewDatabase* view = project->model.views.findByGuid(drawing.drawingGuid);
        if (view == nullptr) return call.brief += ": shows no view", hosterr::NotFound;
        HostDrawingLink link;
        link.type = view->kind;
        link.guid = view->guid;
        std::memcpy(call.args[1], &link, sizeof link);
        call.brief += " => " + model::guidText(view->guid);
        return hosterr::Ok;
    });
}

} // namespace zavhost
