// The element slots that read: records, headers, memos, lists and filters, the selection, linked
// elements, default elements and add-on user data.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "ElementTypes.h"
#include "ModelCalls.h"
#include "PolyRoofParts.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/Memory.h"

namespace zavhost::elementreads {

namespace {
std::string describe(const StoredElement& element) {
    return elementTypeName(element.head().typeCode) + " " + model::guidText(element.guid());
}

// The tellers of the calls that read one element, as describe and what follows it.
std::string tellElement(const CallFacts& facts) {
    return elementTypeName(facts.code) + " " + model::guidText(facts.guid);
}
std::string tellMemo(const CallFacts& facts) {
    char maskText[24];
    std::snprintf(maskText, sizeof maskText, "0x%llX", static_cast<unsigned long long>(facts.number));
    return tellElement(facts) + " mask " + maskText;
}
std::string tellUserDataOut(const CallFacts& facts) {
    return tellElement(facts) + " => " + std::to_string(facts.number) + " bytes";
}
CallFacts factsOf(CallFacts::Teller tell, const StoredElement& element, uint64_t number = 0) {
    CallFacts facts;
    facts.tell = tell;
    facts.guid = element.guid();
    facts.code = element.head().typeCode;
    facts.number = number;
    return facts;
}

bool onLayer(const Project& project, const StoredElement& element, uint16_t flag) {
    const StoredAttribute* layer =
        project.model.attributes.find(AttrLayer, static_cast<int16_t>(element.head().layer));
    return layer != nullptr && (layer->header().flags & flag) != 0;
}

bool layerExists(const Project& project, const StoredElement& element) {
    return project.model.attributes.find(AttrLayer, static_cast<int16_t>(element.head().layer)) != nullptr;
}
} // namespace

bool passes(Project& project, const ViewDatabase& database, const StoredElement& element, uint32_t flags,
            uint32_t variation) {
    const HostElementHead& head = element.head();
    if (variation != 0 && head.variation != variation) return false;
    if ((flags & FilterSelected) != 0 &&
        !project.session.selectionOf(project.model.views.keyOf(database)).contains(element.guid()))
        return false;
    if ((flags & FilterVisibleLayer) != 0 &&
        (!layerExists(project, element) || onLayer(project, element, LayerHidden)))
        return false;
    if ((flags & FilterEditable) != 0) {
        if (head.lockWord != 0 || !head.editBlockGuid.isNull() || onLayer(project, element, LayerLocked))
            return false;
        if (project.model.settings.shared && head.ownerUserId != project.model.settings.currentUserId())
            return false;
    }
    if ((flags & FilterHasUserData) != 0 && !element.userData) return false;
    return true;
}

GSErrCode get(StandInHost& host, API_Element* element, CallBrief& brief) {
    if (element == nullptr) return brief = "null record", hosterr::BadParameter;
    Project* project = model::project(host, brief.text);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* stored = project->model.views.findElement(element->head.guid);
    if (stored == nullptr) return brief = model::guidText(element->head.guid), hosterr::BadGuid;
    if (element->head.typeCode != 0 && element->head.typeCode != stored->head().typeCode)
        return brief = describe(*stored) + ": asked as " + elementTypeName(element->head.typeCode),
               hosterr::BadParameter;
    brief.facts = factsOf(tellElement, *stored);
    *element = stored->record;
    return hosterr::Ok;
}

GSErrCode header(StandInHost& host, HostElementHead* head, CallBrief& brief) {
    if (head == nullptr) return brief = "null header", hosterr::BadParameter;
    Project* project = model::project(host, brief.text);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* stored = project->model.views.findElement(head->guid);
    if (stored == nullptr) return brief = model::guidText(head->guid), hosterr::BadGuid;
    brief.facts = factsOf(tellElement, *stored);
    *head = stored->head();
    return hosterr::Ok;
}

GSErrCode memo(StandInHost& host, const API_Guid* guid, API_ElementMemo* memo, uint64_t mask,
               CallBrief& brief) {
    if (guid == nullptr || memo == nullptr) return brief = "null argument", hosterr::BadParameter;
    Project* project = model::project(host, brief.text);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* stored = project->model.views.findElement(*guid);
    if (stored == nullptr) return brief = model::guidText(*guid), hosterr::BadGuid;
    brief.facts = factsOf(tellMemo, *stored, mask);
    if (!handOutElementMemo(stored->memo, mask, memo, stored->infoText)) return hosterr::MemoryFull;
    return hosterr::Ok;
}

GSErrCode disposeMemo(API_ElementMemo* memo, std::string& brief) {
    if (memo == nullptr) return brief = "null", hosterr::BadParameter;
    int foreign = disposeElementMemo(memo);
    if (foreign != 0) brief = std::to_string(foreign) + " foreign pointer(s) left alone";
    return foreign == 0 ? hosterr::Ok : hosterr::BadParameter;
}

GSErrCode list(StandInHost& host, uint32_t type, GS::Array<API_Guid>* guids, uint32_t flags,
               uint32_t variation, const API_Guid* databaseGuid, std::string& brief) {
    char flagText[16];
    std::snprintf(flagText, sizeof flagText, "0x%X", flags);
    brief = (type == 0 ? std::string("every type") : elementTypeName(type)) + ", flags " + flagText;
    if (guids == nullptr) return hosterr::BadParameter;
    guids->Clear();
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    ViewDatabase* database = model::databaseOf(*project, flags, databaseGuid);
    if (database == nullptr) return brief += ", unknown database", hosterr::BadDatabase;
    brief += ", " + ViewDatabases::describe(*database);
    for (const StoredElement* element : project->model.views.elementsOf(*database).inOrder())
        if ((type == 0 || element->head().typeCode == type) &&
            passes(*project, *database, *element, flags, variation))
            guids->Push(element->guid());
    brief += " => " + std::to_string(guids->GetSize());
    return hosterr::Ok;
}

bool filter(StandInHost& host, const API_Guid* guid, uint32_t flags, uint32_t variation,
            const API_Guid* databaseGuid, std::string& brief) {
    char flagText[16];
    std::snprintf(flagText, sizeof flagText, "0x%X", flags);
    brief = (guid != nullptr ? model::guidText(*guid) : std::string("null")) + ", flags " + flagText;
    Project* project = model::project(host, brief);
    if (project == nullptr || guid == nullptr) return false;
    ViewDatabase* database = model::databaseOf(*project, flags, databaseGuid);
    if (database == nullptr) return brief += ", unknown database", false;
    const StoredElement* element = project->model.views.elementsOf(*database).find(*guid);
    return element != nullptr && passes(*project, *database, *element, flags, variation);
}

GSErrCode selection(StandInHost& host, HostSelectionInfo* info, GSHandle* references, std::string& brief) {
    if (info == nullptr || references == nullptr) return brief = "null argument", hosterr::BadParameter;
    *info = HostSelectionInfo();
    *references = nullptr;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    ViewDatabase& database = model::currentDatabase(*project);
    const ElementStore& elements = project->model.views.elementsOf(database);
    Selection& selection = project->session.selectionOf(project->model.views.keyOf(database));
    // An undone step may have taken selected elements away.
    selection.removeIf([&elements](const API_Guid& guid) { return elements.find(guid) == nullptr; });
    const std::vector<HostSelectionRecord> selected = selection.records();
    brief = ViewDatabases::describe(database) + " => " + std::to_string(selected.size());
    info->selectionType = selected.empty() ? 0 : 1;
    info->count = static_cast<int32_t>(selected.size());
    if (selected.empty()) return hosterr::Ok;
    GSHandle handle = BMNewHandle(static_cast<GSSize>(selected.size() * sizeof(HostSelectionRecord)));
    if (handle == nullptr) return hosterr::MemoryFull;
    std::memcpy(*handle, selected.data(), selected.size() * sizeof(HostSelectionRecord));
    *references = handle;
    return hosterr::Ok;
}

GSErrCode select(StandInHost& host, GSHandle references, int32_t count, bool on, std::string& brief) {
    brief = std::string(on ? "select " : "deselect ") + std::to_string(count);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    ViewDatabase& database = model::currentDatabase(*project);
    Selection& selected = project->session.selectionOf(project->model.views.keyOf(database));
    if (references == nullptr || count == 0) {
        brief = "clear";
        selected.clear();
        return hosterr::Ok;
    }
    if (!BMIsLiveHandle(references) || count < 0 ||
        static_cast<size_t>(count) >
            static_cast<size_t>(BMHandleSize(references)) / sizeof(HostSelectionRecord))
        return brief += ": the handle does not hold them", hosterr::BadParameter;
    std::vector<HostSelectionRecord> records(static_cast<size_t>(count));
    std::memcpy(records.data(), *references, records.size() * sizeof(HostSelectionRecord));
    const ElementStore& elements = project->model.views.elementsOf(database);
    for (HostSelectionRecord& record : records) {
        const StoredElement* element = elements.find(record.guid);
        if (element == nullptr) return brief += ": no " + model::guidText(record.guid), hosterr::BadGuid;
        if (record.selectionKind == 0) record.selectionKind = selectionKindOfType(element->head().typeCode);
    }
    // A Guid named again moves to the end, as if selected one after another.
    for (const HostSelectionRecord& record : records) {
        selected.remove(record.guid);
        if (on) selected.push_back(record);
    }
    return hosterr::Ok;
}

GSErrCode linked(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* linked, std::string& brief) {
    if (guid == nullptr || linked == nullptr) return brief = "null argument", hosterr::BadParameter;
    brief = model::guidText(*guid);
    linked->Clear();
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const ProjectModel* model = &project->model;
    // An element the user's edit deleted keeps its links until the module has heard the edit.
    if (model->views.findElement(*guid) == nullptr) model = host.editRunBefore();
    if (model == nullptr || model->views.findElement(*guid) == nullptr) return hosterr::BadGuid;
    for (const API_Guid& other : model->relations.links.othersOf(*guid))
        linked->Push(other);
    brief += " => " + std::to_string(linked->GetSize());
    return hosterr::Ok;
}

GSErrCode defaultElement(StandInHost& host, API_Element* element, API_ElementMemo* memo, std::string& brief) {
    if (element == nullptr) return brief = "null record", hosterr::BadParameter;
    const uint32_t type = element->head.typeCode;
    const uint32_t variation = element->head.variation;
    brief = elementTypeName(type);
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    if (type == 0 || type > LargestTypeCode) return hosterr::BadParameter;
    DefaultElement made = project->model.defaults.get(type, variation);
    keepAskedRoofClass(*element, &made.record);
    *element = made.record;
    brief += " on layer " + std::to_string(made.record.head.layer);
    if (memo != nullptr && !handOutElementMemo(made.memo, MemoAll, memo)) return hosterr::MemoryFull;
    return hosterr::Ok;
}

namespace {
// The user data a head names: an element's (that element in *shown, the brief left to the
// caller), or with a null Guid the default element's of the type.
std::optional<StoredUserData>* userDataOf(Project& project, const HostElementHead& head, bool forChange,
                                          GSErrCode* err, const StoredElement** shown, std::string& brief) {
    *shown = nullptr;
    if (head.guid.isNull()) {
        brief = "default " + elementTypeName(head.typeCode);
        if (head.typeCode == 0 || head.typeCode > LargestTypeCode)
            return *err = hosterr::BadParameter, nullptr;
        if (!forChange) {
            auto found = project.model.defaults.all().find({head.typeCode, head.variation});
            if (found == project.model.defaults.all().end()) return *err = hosterr::NoUserData, nullptr;
        }
        return &project.model.defaults.edit(head.typeCode, head.variation).userData;
    }
    const StoredElement* found = project.model.views.findElement(head.guid);
    if (found == nullptr) return brief = model::guidText(head.guid), *err = hosterr::BadGuid, nullptr;
    StoredElement* element =
        forChange ? project.model.views.editElement(head.guid) : const_cast<StoredElement*>(found);
    *shown = element;
    return &element->userData;
}
} // namespace

GSErrCode getUserData(StandInHost& host, HostElementHead* head, HostUserData* data, CallBrief& brief) {
    if (head == nullptr || data == nullptr) return brief = "null argument", hosterr::BadParameter;
    *data = HostUserData();
    Project* project = model::project(host, brief.text);
    if (project == nullptr) return hosterr::NoProject;
    GSErrCode err = hosterr::Ok;
    const StoredElement* shown = nullptr;
    std::optional<StoredUserData>* held = userDataOf(*project, *head, false, &err, &shown, brief.text);
    if (held == nullptr) return err;
    if (shown != nullptr) brief.facts = factsOf(tellElement, *shown);
    if (!held->has_value()) return hosterr::NoUserData;
    if (!handOutUserData(**held, data)) return hosterr::MemoryFull;
    if (shown != nullptr)
        brief.facts = factsOf(tellUserDataOut, *shown, (*held)->bytes.size());
    else
        brief.text += " => " + std::to_string((*held)->bytes.size()) + " bytes";
    return hosterr::Ok;
}

GSErrCode setUserData(StandInHost& host, HostElementHead* head, HostUserData* data, std::string& brief) {
    if (head == nullptr || data == nullptr) return brief = "null argument", hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    std::string why;
    if (!head->guid.isNull() && !model::changesAllowed(host, why))
        return brief = model::guidText(head->guid) + ": " + why, hosterr::Refused;
    std::optional<StoredUserData> given = captureUserData(*data);
    if (!given) return brief = "no live data handle", hosterr::BadParameter;
    GSErrCode err = hosterr::Ok;
    const StoredElement* shown = nullptr;
    std::optional<StoredUserData>* held = userDataOf(*project, *head, true, &err, &shown, brief);
    if (held == nullptr) return err;
    if (shown != nullptr) brief = describe(*shown);
    brief += " <= " + std::to_string(given->bytes.size()) + " bytes";
    *held = std::move(given);
    return hosterr::Ok;
}

GSErrCode clearUserData(StandInHost& host, HostElementHead* head, std::string& brief) {
    if (head == nullptr) return brief = "null header", hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    std::string why;
    if (!head->guid.isNull() && !model::changesAllowed(host, why))
        return brief = model::guidText(head->guid) + ": " + why, hosterr::Refused;
    GSErrCode err = hosterr::Ok;
    const StoredElement* shown = nullptr;
    std::optional<StoredUserData>* held = userDataOf(*project, *head, true, &err, &shown, brief);
    if (held == nullptr) return err;
    if (shown != nullptr) brief = describe(*shown);
    if (!held->has_value()) return hosterr::NoUserData;
    held->reset();
    return hosterr::Ok;
}

} // namespace zavhost::elementreads
