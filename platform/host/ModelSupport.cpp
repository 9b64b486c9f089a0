// Helpers shared by the model calls.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "CurtainWallParts.h"
#include "ElementTypes.h"
#include "ModelCalls.h"
#include "OpeningParts.h"
#include "SkylightParts.h"
#include "StandInHost.h"
#include "WallParts.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Guid.h"

namespace zavhost::model {

Project* project(StandInHost& host, std::string& brief) {
    Project* open = host.project();
    if (open == nullptr) brief = "no project";
    return open;
}

ViewDatabase& currentDatabase(Project& project) {
    ViewDatabase* database = project.model.views.find(project.session.current);
    return database != nullptr ? *database : project.model.views.plan();
}

ViewDatabase* databaseOf(Project& project, uint32_t filterFlags, const API_Guid* databaseGuid) {
    if ((filterFlags & FilterDatabaseGuid) == 0 || databaseGuid == nullptr || databaseGuid->isNull() ||
        *databaseGuid == currentDatabaseGuid())
        return &currentDatabase(project);
    return project.model.views.findByGuid(*databaseGuid);
}

bool changesAllowed(StandInHost& host, std::string& brief) {
    if (host.project() == nullptr) {
        brief = "no project";
        return false;
    }
    if (!host.insideCommand()) {
        brief = "refused: no undoable command is open";
        return false;
    }
    return true;
}

std::string guidText(const API_Guid& guid) {
    return GS::Guid(guid).ConvertToString();
}

uint32_t valueArgument(void* argument) {
    auto value = reinterpret_cast<uintptr_t>(argument);
    if (value < 0x10000) return static_cast<uint32_t>(value);
    uint32_t read = 0;
    std::memcpy(&read, argument, sizeof read);
    return read;
}

const API_Guid& currentDatabaseGuid() {
    static const API_Guid guid{{0x5A415643, 0x55525245, 0x4E544442, 0x00000001}};
    return guid;
}

void addCurrentDatabaseGuidSelector(SelectorTable& table) {
    table.add("GARF", [](SelectorCall& call) {
        if (call.args[0] == nullptr) return call.brief = "null record", hosterr::BadParameter;
        *static_cast<API_Guid*>(call.args[0]) = currentDatabaseGuid();
        call.brief = "=> " + guidText(currentDatabaseGuid());
        return hosterr::Ok;
    });
}

void deleteElement(Project& project, const API_Guid& guid) {
    ViewDatabases& views = project.model.views;
    std::vector<API_Guid> gone{guid};
    const ViewDatabase* home = nullptr;
    const StoredElement* deleted = views.findElement(guid, &home);
    // A wall's windows and doors go with it.
    if (deleted != nullptr && deleted->head().typeCode == WallTypeCode)
        for (const API_Guid& opening : openingsOf(views.elementsOf(*home), guid))
            gone.push_back(opening);
    // A roof's or shell's skylights go with it.
    if (deleted != nullptr && holdsSkylights(deleted->head().typeCode))
        for (const API_Guid& skylight : ownedElements(views.elementsOf(*home), guid, SkylightTypeCode))
            gone.push_back(skylight);
    // So do a curtain wall's parts; a part deleted alone leaves its wall's records.
    API_Guid partOwner;
    if (deleted != nullptr && deleted->head().typeCode == HostCurtainWallTypeCode)
        for (const API_Guid& part : curtainWallPartsOf(views.elementsOf(*home), guid))
            gone.push_back(part);
    if (deleted != nullptr && isCurtainWallPart(deleted->head().typeCode))
        partOwner = curtainWallOwnerOf(deleted->record);
    ViewDatabase* partHome = nullptr;
    if (!partOwner.isNull()) (void)views.editElement(guid, &partHome);
    // The proxies that stand for a model element in the views go with it.
    std::unordered_set<API_Guid, GuidHash> shown;
    for (const API_Guid& each : gone)
        if (const StoredElement* element = views.findElement(each);
            element != nullptr && isModelType(element->head().typeCode))
            shown.insert(each);
    for (const ViewDatabase& database : views.all()) {
        std::vector<const StoredElement*> proxies;
        for (const API_Guid& each : shown)
            for (const StoredElement* element : database.elements.heldBy(each))
                if (element->head().typeCode == ProxyTypeCode) proxies.push_back(element);
        // Each database's proxies in its order.
        std::sort(proxies.begin(), proxies.end(),
                  [](const StoredElement* a, const StoredElement* b) { return a->order < b->order; });
        for (const StoredElement* proxy : proxies)
            gone.push_back(proxy->guid());
    }
    for (const API_Guid& each : gone) {
        const ViewDatabase* where = nullptr;
        if (const StoredElement* element = views.findElement(each, &where);
            element != nullptr && isWallOpening(element->head().typeCode))
            detachOpening(views.elementsOf(*views.find(views.keyOf(*where))), *element);
        views.removeElement(each);
        project.model.relations.forget(each);
        project.model.ifc.elements.erase(each);
        project.session.heldByOthers.erase(each);
        project.session.highlight.colours.erase(each);
        for (SelectionEntry& entry : project.session.selections)
            entry.records.remove(each);
    }
    if (partHome != nullptr) syncCurtainWallParts(views.elementsOf(*partHome), partOwner);
}

void deleteView(Project& project, const API_Guid& viewGuid) {
    ViewDatabases& views = project.model.views;
    const ViewDatabase* database = views.findByGuid(viewGuid);
    if (database == nullptr || database->isPlanOrModel()) return;
    std::vector<API_Guid> elements;
    for (const StoredElement* element : database->elements.inOrder())
        elements.push_back(element->guid());
    for (const API_Guid& element : elements)
        deleteElement(project, element);
    for (const ViewDatabase& other : views.all())
        if (other.masterGuid == viewGuid) views.findByGuid(other.guid)->masterGuid = API_Guid();
    views.remove(viewGuid);
}

} // namespace zavhost::model
