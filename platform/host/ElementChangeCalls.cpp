// The element slots that change elements: create, change, change the default, delete, lock and
// unlock, switch on and off.
#include <cstring>

#include "ElementTypes.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost::elementchanges {

namespace {
constexpr size_t typeBytes = sizeof(HostElementHead::typeCode);
constexpr size_t guidOffset = offsetof(HostElementHead, guid);

std::string describe(const StoredElement& element) {
    return elementTypeName(element.head().typeCode) + " " + model::guidText(element.guid());
}

// Takes the masked bytes of `given` into `target`; a null mask takes them all. The type and the
// Guid stay the host's.
void applyMask(API_Element* target, const API_Element& given, const API_Element* mask) {
    API_Element result = *target;
    for (size_t i = 0; i < sizeof result.raw; ++i)
        if (mask == nullptr || mask->raw[i] != 0) result.raw[i] = given.raw[i];
    std::memcpy(result.raw, target->raw, typeBytes);
    std::memcpy(result.raw + guidOffset, target->raw + guidOffset, sizeof(API_Guid));
    *target = result;
}

// The layer and storey an element's head names must exist; a layer 0 takes the type's default.
GSErrCode checkPlacement(Project& project, const ViewDatabase& database, HostElementHead* head,
                         std::string& brief) {
    if (head->layer == 0)
        head->layer = project.model.defaults.get(head->typeCode, head->variation).record.head.layer;
    if (project.model.attributes.find(AttrLayer, static_cast<int16_t>(head->layer)) == nullptr)
        return brief += ": no layer " + std::to_string(head->layer), hosterr::BadIndex;
    if (database.isPlanOrModel() && project.model.storeys.find(head->storey) == nullptr)
        return brief += ": no storey " + std::to_string(head->storey), hosterr::BadIndex;
    return hosterr::Ok;
}

// Why the element may not be changed now, or nothing: as the edit manager of a module expects.
std::string notEditable(const Project& project, const StoredElement& element) {
    const HostElementHead& head = element.head();
    if (!head.editBlockGuid.isNull()) return "it is in an edit block";
    if (project.model.settings.shared) {
        if (project.session.heldByOthers.count(element.guid()) != 0) return "another user holds it";
        if (head.ownerUserId != project.model.settings.currentUserId()) return "it is not reserved";
    } else if (head.lockWord != 0) {
        return "it is locked";
    }
    const StoredAttribute* layer = project.model.attributes.find(AttrLayer, static_cast<int16_t>(head.layer));
    if (layer != nullptr && (layer->header().flags & LayerLocked) != 0) return "its layer is locked";
    if (layer != nullptr && (layer->header().flags & LayerHidden) != 0) return "its layer is hidden";
    return {};
}

// The heads of a handle of HostElementHead records; false when the count does not fit.
bool headsOf(GSHandle heads, int32_t count, std::vector<HostElementHead>* out) {
    if (count < 0 || (count > 0 && !BMIsLiveHandle(heads)) ||
        static_cast<size_t>(count) > static_cast<size_t>(BMHandleSize(heads)) / sizeof(HostElementHead))
        return false;
    out->resize(static_cast<size_t>(count));
    if (count > 0)
        std::memcpy(static_cast<void*>(out->data()), *heads, out->size() * sizeof(HostElementHead));
    return true;
}
} // namespace

GSErrCode create(StandInHost& host, API_Element* element, API_ElementMemo* memo, std::string& brief) {
    if (element == nullptr) return brief = "null record", hosterr::BadParameter;
    const uint32_t type = element->head.typeCode;
    brief = elementTypeName(type);
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    if (type == 0 || type > LargestTypeCode) return hosterr::BadParameter;
    Project& project = *host.project();
    ViewDatabase& database = model::currentDatabase(project);
    StoredElement stored;
    stored.record = *element;
    HostElementHead& head = stored.record.head;
    if (database.isPlanOrModel()) {
        if (project.model.storeys.find(head.storey) == nullptr) head.storey = project.model.storeys.current();
    } else {
        head.storey = 0;
    }
    GSErrCode err = checkPlacement(project, database, &head, brief);
    if (err != hosterr::Ok) return err;
    head.guid = newGuid();
    head.ownerUserId = project.model.settings.shared ? project.model.settings.currentUserId() : 0;
    if (memo != nullptr) stored.memo = captureElementMemo(*memo);
    if (std::optional<std::string> info = takeInfoText(&stored.memo)) stored.infoText = *info;
    *element = stored.record;
    brief += " in " + ViewDatabases::kindName(database.kind) + " => " + model::guidText(head.guid);
    project.model.views.elementsOf(database).add(std::move(stored));
    return hosterr::Ok;
}

GSErrCode change(StandInHost& host, API_Element* element, const API_Element* mask, API_ElementMemo* memo,
                 uint64_t memoMask, std::string& brief) {
    if (element == nullptr) return brief = "null record", hosterr::BadParameter;
    brief = model::guidText(element->head.guid);
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    Project& project = *host.project();
    const ViewDatabase* where = nullptr;
    const StoredElement* found = project.model.views.findElement(element->head.guid, &where);
    if (found == nullptr) return hosterr::BadGuid;
    brief = describe(*found);
    if (std::string reason = notEditable(project, *found); !reason.empty())
        return brief += ": " + reason, hosterr::Refused;
    API_Element changed = found->record;
    applyMask(&changed, *element, mask);
    GSErrCode err = checkPlacement(project, *where, &changed.head, brief);
    if (err != hosterr::Ok) return err;
    StoredElement* stored = project.model.views.editElement(element->head.guid);
    stored->record = changed;
    if (memo != nullptr) {
        StoredMemo given = captureElementMemo(*memo);
        if (std::optional<std::string> info = takeInfoText(&given)) stored->infoText = *info;
        changeElementMemo(&stored->memo, given, memoMask);
    }
    *element = stored->record;
    return hosterr::Ok;
}

GSErrCode changeDefault(StandInHost& host, API_Element* element, API_ElementMemo* memo,
                        const API_Element* mask, std::string& brief) {
    if (element == nullptr) return brief = "null record", hosterr::BadParameter;
    const uint32_t type = element->head.typeCode;
    brief = "default " + elementTypeName(type);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (type == 0 || type > LargestTypeCode) return hosterr::BadParameter;
    DefaultElement changed = project->model.defaults.get(type, element->head.variation);
    applyMask(&changed.record, *element, mask);
    changed.record.head.guid = API_Guid();
    if (project->model.attributes.find(AttrLayer, static_cast<int16_t>(changed.record.head.layer)) == nullptr)
        return brief += ": no layer " + std::to_string(changed.record.head.layer), hosterr::BadIndex;
    if (memo != nullptr) {
        changed.memo = captureElementMemo(*memo);
        takeInfoText(&changed.memo); // defaults have no ID
    }
    brief += " on layer " + std::to_string(changed.record.head.layer);
    DefaultElement& held = project->model.defaults.edit(type, element->head.variation);
    changed.userData = held.userData;
    held = std::move(changed);
    return hosterr::Ok;
}

// The heads of a handle the module wants to change, when changes are allowed now.
static GSErrCode headsToChange(StandInHost& host, GSHandle heads, int32_t count,
                               std::vector<HostElementHead>* list, std::string& brief) {
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    if (!headsOf(heads, count, list))
        return brief += ": the handle does not hold them", hosterr::BadParameter;
    return hosterr::Ok;
}

GSErrCode remove(StandInHost& host, GSHandle heads, int32_t count, std::string& brief) {
    brief = std::to_string(count) + " element(s)";
    std::vector<HostElementHead> list;
    if (GSErrCode err = headsToChange(host, heads, count, &list, brief); err != hosterr::Ok) return err;
    Project& project = *host.project();
    for (const HostElementHead& head : list) {
        const StoredElement* element = project.model.views.findElement(head.guid);
        if (element == nullptr) return brief += ": no " + model::guidText(head.guid), hosterr::BadGuid;
        if (std::string reason = notEditable(project, *element); !reason.empty())
            return brief += ": " + describe(*element) + ": " + reason, hosterr::Refused;
    }
    for (const HostElementHead& head : list)
        model::deleteElement(project, head.guid);
    return hosterr::Ok;
}

GSErrCode tool(StandInHost& host, uint32_t selector, GSHandle heads, int32_t count, std::string& brief) {
    brief = codeText(selector) + " " + std::to_string(count) + " element(s)";
    const bool lock = selector == fourCC("LOCK");
    if (!lock && selector != fourCC("ULCK")) return hosterr::BadSelector;
    std::vector<HostElementHead> list;
    if (GSErrCode err = headsToChange(host, heads, count, &list, brief); err != hosterr::Ok) return err;
    Project& project = *host.project();
    for (const HostElementHead& head : list) {
        if (project.model.views.findElement(head.guid) == nullptr)
            return brief += ": no " + model::guidText(head.guid), hosterr::BadGuid;
        if (project.session.heldByOthers.count(head.guid) != 0)
            return brief += ": held by another user", hosterr::Refused;
    }
    for (const HostElementHead& head : list)
        project.model.views.editElement(head.guid)->record.head.lockWord = lock ? 1 : 0;
    return hosterr::Ok;
}

GSErrCode switchElement(StandInHost& host, HostElementHead* head, bool on, std::string& brief) {
    if (head == nullptr) return brief = "null header", hosterr::BadParameter;
    brief = model::guidText(head->guid);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* element = project->model.views.findElement(head->guid);
    if (element == nullptr) return hosterr::BadGuid;
    brief = describe(*element);
    if (element->switchedOff != on) return on ? hosterr::SwitchIgnoredOn : hosterr::SwitchIgnoredOff;
    project->model.views.editElement(head->guid)->switchedOff = !on;
    return hosterr::Ok;
}

} // namespace zavhost::elementchanges
