// Dispatcher selectors about single elements: the record of a Guid ("GEFA"), the info text
// ("GCIS", "GEIS"), the plan box ("CABO"), a redraw ("RFSH"), and the utility selectors that turn
// a selection kind into a type ("NTOE"), read node points ("NTOC") and name the library part an
// element places ("GULN").
#include <cstring>

#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "LabelParts.h"
#include "LibraryPartPlacement.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "TextBlocks.h"
#include "WallParts.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ObjectRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
// The element a Guid argument names, or null with the answer in `err`.
const StoredElement* elementOf(StandInHost& host, const void* guidArgument, SelectorCall& call,
                               GSErrCode* err) {
    Project* project = model::project(host, call.brief);
    if (project == nullptr) return *err = hosterr::NoProject, nullptr;
    if (guidArgument == nullptr) return call.brief = "null Guid", *err = hosterr::BadParameter, nullptr;
    API_Guid guid;
    std::memcpy(&guid, guidArgument, sizeof guid);
    call.brief = model::guidText(guid);
    const StoredElement* element = project->model.views.findElement(guid);
    if (element == nullptr) *err = hosterr::BadGuid;
    return element;
}

// What "GEIS" puts before the info text.
std::string infoPrefix(const StoredElement& element) {
    return elementTypeName(element.head().typeCode) + ": ";
}

// The library part an element places: an object's, lamp's, door's or skylight's, a symbol label's;
// 0 for none.
uint32_t placedPart(const StoredElement& element) {
    const uint32_t type = element.head().typeCode;
    if (const uint32_t index = placedPartIndex(element.record); index != 0) return index;
    if (type == LabelTypeCode) {
        const HostLabelElement label = labelPartOf(element.record);
        return label.kind == LabelKindSymbol ? label.libIndex : 0;
    }
    return 0;
}

GSErrCode infoText(StandInHost& host, SelectorCall& call, bool withPrefix) {
    GSErrCode err = hosterr::Ok;
    const StoredElement* element = elementOf(host, call.args[0], call, &err);
    if (element == nullptr) return err;
    if (call.args[1] == nullptr) return call.brief += ": null text", hosterr::BadParameter;
    std::string text = withPrefix ? infoPrefix(*element) + element->infoText : element->infoText;
    *static_cast<GS::UniString*>(call.args[1]) = GS::UniString(text.c_str());
    call.brief += " => " + inQuotes(text);
    return hosterr::Ok;
}
} // namespace

void registerElementSelectors(StandInHost& host) {
    registerWallConnectionSelectors(host);
    SelectorTable& database = host.databaseCalls();
    database.add("GEFA", [&host](SelectorCall& call) {
        GSErrCode err = hosterr::Ok;
        const StoredElement* element = elementOf(host, call.args[0], call, &err);
        if (element == nullptr) return err;
        if (call.args[1] == nullptr) return call.brief += ": null record", hosterr::BadParameter;
        *static_cast<API_Element*>(call.args[1]) = element->record;
        call.brief += " => " + elementTypeName(element->head().typeCode);
        return hosterr::Ok;
    });
    database.add("GCIS", [&host](SelectorCall& call) { return infoText(host, call, false); });
    database.add("GEIS", [&host](SelectorCall& call) { return infoText(host, call, true); });
    database.add("CABO", [&host](SelectorCall& call) {
        if (call.args[0] == nullptr) return call.brief = "null header", hosterr::BadParameter;
        GSErrCode err = hosterr::Ok;
        const auto* head = static_cast<const HostElementHead*>(call.args[0]);
        const StoredElement* element = elementOf(host, &head->guid, call, &err);
        if (element == nullptr) return err;
        if (call.args[1] == nullptr) return call.brief += ": null box", hosterr::BadParameter;
        std::optional<HostBox3D> box;
        // A text block covers its box on paper, at the scale of the view that holds it.
        const ViewDatabase* where = nullptr;
        Project* project = model::project(host, call.brief);
        if (element->head().typeCode == TextTypeCode && project != nullptr &&
            project->model.views.findElement(element->guid(), &where) != nullptr && where != nullptr)
            box = textBoxOf(*element, where->scale);
        if (!box) box = boxOf(*element);
        if (!box) return call.brief += ": no geometry", hosterr::NotFound;
        *static_cast<HostBox3D*>(call.args[1]) = *box;
        return hosterr::Ok;
    });

    database.add("RFSH", [&host](SelectorCall& call) {
        if (call.args[0] == nullptr) return call.brief = "null header", hosterr::BadParameter;
        GSErrCode err = hosterr::Ok;
        const auto* head = static_cast<const HostElementHead*>(call.args[0]);
        const StoredElement* element = elementOf(host, &head->guid, call, &err);
        return element != nullptr ? hosterr::Ok : err;
    });

    SelectorTable& utility = host.utilityCalls();
    utility.add("GULN", [&host](SelectorCall& call) {
        GSErrCode err = hosterr::Ok;
        const StoredElement* element = elementOf(host, call.args[0], call, &err);
        if (element == nullptr) return err;
        if (call.args[1] == nullptr) return call.brief += ": null name", hosterr::BadParameter;
        const LibraryPart* part = host.project()->library.part(placedPart(*element));
        if (part == nullptr) return call.brief += ": places no part", hosterr::NotFound;
        *static_cast<GS::UniString*>(call.args[1]) = GS::UniString(part->name.c_str());
        call.brief += " => " + inQuotes(part->name);
        return hosterr::Ok;
    });
    utility.add("NTOE", [](SelectorCall& call) {
        uint32_t kind = model::valueArgument(call.args[0]);
        call.brief = "kind " + std::to_string(kind);
        if (call.args[1] == nullptr) return hosterr::BadParameter;
        uint32_t type = typeOfSelectionKind(kind);
        if (type == 0) return hosterr::BadParameter;
        const uint8_t typeId[2] = {static_cast<uint8_t>(type), 0};
        std::memcpy(call.args[1], typeId, sizeof typeId);
        call.brief += " => " + elementTypeName(type);
        return hosterr::Ok;
    });
    utility.add("NTOC", [&host](SelectorCall& call) {
        if (call.args[0] == nullptr || call.args[1] == nullptr)
            return call.brief = "null argument", hosterr::BadParameter;
        HostSelectionRecord record;
        std::memcpy(&record, call.args[0], sizeof record);
        GSErrCode err = hosterr::Ok;
        const StoredElement* element = elementOf(host, &record.guid, call, &err);
        if (element == nullptr) return err;
        std::vector<HostCoord3D> nodes = nodePointsOf(*element);
        call.brief += " node " + std::to_string(record.partIndex);
        if (record.partIndex < 1 || record.partIndex > nodes.size()) return hosterr::BadIndex;
        std::memcpy(call.args[1], &nodes[record.partIndex - 1], sizeof(HostCoord3D));
        return hosterr::Ok;
    });
}

} // namespace zavhost
