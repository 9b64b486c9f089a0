// The element slots that change elements: create, change, change the default, change parameters,
// edit (move, rotate, scale), delete, lock and unlock, switch on and off.
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "CurtainWallParts.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "MeshParts.h"
#include "ModelCalls.h"
#include "OpeningParts.h"
#include "PolyRoofParts.h"
#include "RecordFields.h"
#include "SkylightParts.h"
#include "SlabParts.h"
#include "StandInHost.h"
#include "TextBlocks.h"
#include "ZoneParts.h"
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
    // A plan or 3D element stands on a storey of the project; in other views the storey is the
    // module's to give and is kept as given.
    if (database.isPlanOrModel() && project.model.storeys.find(head.storey) == nullptr)
        head.storey = project.model.storeys.current();
    GSErrCode err = checkPlacement(project, database, &head, brief);
    if (err != hosterr::Ok) return err;
    head.guid = newGuid();
    head.ownerUserId = project.model.settings.shared ? project.model.settings.currentUserId() : 0;
    if (memo != nullptr) stored.memo = captureElementMemo(*memo);
    if (std::string problem = blockKindProblem(stored.memo); !problem.empty())
        return brief += ": " + problem, hosterr::BadParameter;
    if (std::optional<std::string> info = takeInfoText(&stored.memo)) stored.infoText = *info;
    // A copy of a wall starts without the first one's windows and doors.
    dropOpeningLists(stored.memo);
    if (type == TextTypeCode)
        if (std::string problem = textMemoProblem(stored.memo); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    ElementStore& elements = project.model.views.elementsOf(database);
    if (isWallOpening(type))
        if (std::string problem = openingPlacementProblem(elements, stored); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
    if (std::string problem = settleMeshParts(stored); !problem.empty())
        return brief += ": " + problem, hosterr::BadParameter;
    if (type == SkylightTypeCode)
        if (std::string problem = skylightPlacementProblem(elements, stored); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
    if (hasBorderedOutline(type))
        if (std::string problem = edgeArraysProblem(stored.memo, stored.memo, MemoAll); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    if (type == ZoneTypeCode)
        if (std::string problem = zoneOutlineProblem(stored); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    if (std::string problem = pivotPolygonProblem(stored); !problem.empty())
        return brief += ": " + problem, hosterr::BadParameter;
    // A curtain wall's parts are made from the records its memo brings; a part stands in a wall.
    StoredMemo partRecords;
    if (type == HostCurtainWallTypeCode) {
        if (std::string problem = curtainWallMemoProblem(stored.memo, CurtainWallPartBits); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
        partRecords = stored.memo;
    }
    dropCurtainWallParts(stored.memo);
    if (isCurtainWallPart(type))
        if (std::string problem = curtainWallPartProblem(elements, stored); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
    *element = stored.record;
    brief += " in " + ViewDatabases::kindName(database.kind) + " => " + model::guidText(head.guid);
    const API_Guid made = head.guid;
    elements.add(std::move(stored));
    keepCurtainWallInStep(project, elements, made, partRecords,
                          type == HostCurtainWallTypeCode ? CurtainWallPartBits : 0);
    if (isWallOpening(type)) attachOpening(elements, *elements.find(head.guid));
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
    StoredMemo given;
    if (memo != nullptr) {
        given = captureElementMemo(*memo);
        if (std::string problem = blockKindProblem(given); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
        if (changed.head.typeCode == TextTypeCode)
            if (std::string problem = textMemoProblem(given); !problem.empty())
                return brief += ": " + problem, hosterr::BadParameter;
    }
    if (changed.head.typeCode == HostCurtainWallTypeCode && memo != nullptr)
        if (std::string problem = curtainWallMemoProblem(given, memoMask); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    ViewDatabase* home = nullptr;
    StoredElement* stored = project.model.views.editElement(element->head.guid, &home);
    // An opening moved to another wall leaves the first one's list for the second's.
    ElementStore& elements = project.model.views.elementsOf(*home);
    const bool rehomed =
        isWallOpening(changed.head.typeCode) && !(partOf<HostJoineryElement>(changed).ownerGuid ==
                                                  partOf<HostJoineryElement>(stored->record).ownerGuid);
    if (rehomed) {
        StoredElement moved = *stored;
        moved.record = changed;
        if (std::string problem = openingPlacementProblem(elements, moved); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
        detachOpening(elements, *stored);
    }
    if (changed.head.typeCode == SkylightTypeCode) {
        StoredElement moved = *stored;
        moved.record = changed;
        if (std::string problem = skylightPlacementProblem(elements, moved); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
    }
    const API_Guid formerOwner =
        isCurtainWallPart(changed.head.typeCode) ? curtainWallOwnerOf(stored->record) : API_Guid();
    if (isCurtainWallPart(changed.head.typeCode)) {
        StoredElement moved = *stored;
        moved.record = changed;
        if (std::string problem = curtainWallPartProblem(elements, moved); !problem.empty())
            return brief += ": " + problem, hosterr::Refused;
    }
    if (hasBorderedOutline(changed.head.typeCode) && memo != nullptr) {
        StoredMemo result = stored->memo;
        changeElementMemo(&result, given, memoMask);
        if (std::string problem = edgeArraysProblem(result, given, memoMask); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    }
    if (changed.head.typeCode == ZoneTypeCode) {
        StoredElement moved = *stored;
        moved.record = changed;
        if (memo != nullptr) changeElementMemo(&moved.memo, given, memoMask);
        if (std::string problem = zoneOutlineProblem(moved); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    }
    if (changed.head.typeCode == RoofTypeCode) {
        StoredElement moved = *stored;
        moved.record = changed;
        if (memo != nullptr) changeElementMemo(&moved.memo, given, memoMask);
        if (std::string problem = pivotPolygonProblem(moved); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    }
    // A mesh's record counts its memo as changed; a free form keeps a whole body.
    const bool meshParts = changed.head.typeCode == MeshTypeCode || changed.head.typeCode == FreeFormTypeCode;
    if (meshParts) {
        StoredElement settled = *stored;
        settled.record = changed;
        if (memo != nullptr) changeElementMemo(&settled.memo, given, memoMask);
        if (std::string problem = settleMeshParts(settled); !problem.empty())
            return brief += ": " + problem, hosterr::BadParameter;
    }
    stored->record = changed;
    if (rehomed) attachOpening(elements, *stored);
    if (memo != nullptr) {
        if (std::optional<std::string> info = takeInfoText(&given)) stored->infoText = *info;
        changeElementMemo(&stored->memo, given, memoMask & ~OpeningListParts & ~CurtainWallPartBits);
    }
    if (meshParts) (void)settleMeshParts(*stored);
    *element = stored->record;
    const bool wall = changed.head.typeCode == HostCurtainWallTypeCode;
    keepCurtainWallInStep(project, elements, element->head.guid, given,
                          wall && memo != nullptr ? memoMask : 0);
    if (isCurtainWallPart(changed.head.typeCode)) syncCurtainWallParts(elements, formerOwner);
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
        dropOpeningLists(changed.memo); // a default wall stands without openings
        dropCurtainWallParts(changed.memo);
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

GSErrCode changeParameters(StandInHost& host, GSHandle heads, int32_t count, const API_Element* values,
                           API_ElementMemo* memo, const API_Element* mask, std::string& brief) {
    brief = std::to_string(count) + " element(s)";
    if (values == nullptr) return brief += ": null values", hosterr::BadParameter;
    std::vector<HostElementHead> list;
    if (GSErrCode err = headsToChange(host, heads, count, &list, brief); err != hosterr::Ok) return err;
    Project& project = *host.project();
    // Every element is checked before any changes.
    std::vector<API_Element> changed;
    changed.reserve(list.size());
    for (const HostElementHead& head : list) {
        const ViewDatabase* where = nullptr;
        const StoredElement* element = project.model.views.findElement(head.guid, &where);
        if (element == nullptr) return brief += ": no " + model::guidText(head.guid), hosterr::BadGuid;
        if (std::string reason = notEditable(project, *element); !reason.empty())
            return brief += ": " + describe(*element) + ": " + reason, hosterr::Refused;
        if (element->head().typeCode != values->head.typeCode)
            return brief += ": " + describe(*element) + " is not a " + elementTypeName(values->head.typeCode),
                   hosterr::BadParameter;
        API_Element record = element->record;
        applyMask(&record, *values, mask);
        if (GSErrCode err = checkPlacement(project, *where, &record.head, brief); err != hosterr::Ok)
            return err;
        changed.push_back(record);
    }
    StoredMemo given;
    std::optional<std::string> info;
    uint64_t parts = 0;
    if (memo != nullptr) {
        given = captureElementMemo(*memo);
        info = takeInfoText(&given);
        for (const auto& [offset, block] : given.blocks)
            parts |= memoPartOfField(offset);
    }
    for (const API_Element& record : changed) {
        StoredElement* stored = project.model.views.editElement(record.head.guid);
        stored->record = record;
        if (memo == nullptr) continue;
        changeElementMemo(&stored->memo, given, parts & ~OpeningListParts & ~CurtainWallPartBits);
        if (info) stored->infoText = *info;
    }
    return hosterr::Ok;
}

GSErrCode edit(StandInHost& host, GSHandle references, int32_t count, const HostEditTransformation* edit,
               std::string& brief) {
    brief = std::to_string(count) + " element(s)";
    if (edit == nullptr) return brief += ": null edit", hosterr::BadParameter;
    brief = (edit->kind != 0 ? codeText(edit->kind) + " " : std::string()) + brief;
    std::string why;
    if (!model::changesAllowed(host, why)) return brief += ": " + why, hosterr::Refused;
    for (double value : edit->matrix)
        if (!std::isfinite(value)) return brief += ": not a transformation", hosterr::BadParameter;
    for (const HostCoord3D* p : {&edit->origin, &edit->target})
        if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->z))
            return brief += ": not a transformation", hosterr::BadParameter;
    if (count < 0 || (count > 0 && !BMIsLiveHandle(references)) ||
        static_cast<size_t>(count) >
            static_cast<size_t>(BMHandleSize(references)) / sizeof(HostSelectionRecord))
        return brief += ": the handle does not hold them", hosterr::BadParameter;
    Project& project = *host.project();
    ViewDatabase& database = model::currentDatabase(project);
    if (database.kind == DatabaseModel)
        return brief += ": edits are made in the floor plan", hosterr::Refused;
    std::vector<HostSelectionRecord> records(static_cast<size_t>(count));
    if (count > 0) std::memcpy(records.data(), *references, records.size() * sizeof(HostSelectionRecord));
    ElementStore& elements = project.model.views.elementsOf(database);
    for (const HostSelectionRecord& record : records) {
        const StoredElement* element = elements.find(record.guid);
        if (element == nullptr)
            return brief +=
                   ": no " + model::guidText(record.guid) + " in the " + ViewDatabases::describe(database),
                   hosterr::BadGuid;
        if (std::string reason = notEditable(project, *element); !reason.empty())
            return brief += ": " + describe(*element) + ": " + reason, hosterr::Refused;
    }
    std::unordered_set<API_Guid, GuidHash> moved; // an element listed twice moves once
    for (HostSelectionRecord& record : records) {
        StoredElement* element = elements.edit(record.guid);
        if (moved.insert(record.guid).second) transformGeometry(*element, *edit);
        record.selectionKind = selectionKindOfType(element->head().typeCode);
    }
    // A curtain wall's parts go with it; a part moved alone changes its wall's records.
    for (const HostSelectionRecord& record : records)
        moveCurtainWallWith(elements, record.guid, *edit, moved);
    if (count > 0) std::memcpy(*references, records.data(), records.size() * sizeof(HostSelectionRecord));
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
