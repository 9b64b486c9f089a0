// The element slots of links, relations and associations, and the element quantities.
#include <cmath>
#include <cstring>
#include <utility>

#include "CurtainWallParts.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "LineWork.h"
#include "MeshParts.h"
#include "ModelCalls.h"
#include "ObjectSettings.h"
#include "OpeningParts.h"
#include "Prism3D.h"
#include "ProfileParts.h"
#include "RecordFields.h"
#include "SkylightParts.h"
#include "SlabParts.h"
#include "StandInHost.h"
#include "WallParts.h"
#include "ZoneParts.h"
#include "platform/api/HatchRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"

namespace zavhost::elementchanges {

namespace {
// The open project when both elements exist; else null with the answer in `err`.
Project* pairOf(StandInHost& host, const API_Guid* guid, const API_Guid* other, GSErrCode* err,
                std::string& brief) {
    if (guid == nullptr || other == nullptr)
        return brief = "null Guid", *err = hosterr::BadParameter, nullptr;
    brief = model::guidText(*guid) + ", " + model::guidText(*other);
    Project* project = model::project(host, brief);
    if (project == nullptr) return *err = hosterr::NoProject, nullptr;
    if (project->model.views.findElement(*guid) == nullptr ||
        project->model.views.findElement(*other) == nullptr)
        return *err = hosterr::BadGuid, nullptr;
    return project;
}

Project* elementProject(StandInHost& host, const API_Guid* guid, GSErrCode* err, std::string& brief) {
    if (guid == nullptr) return brief = "null Guid", *err = hosterr::BadParameter, nullptr;
    brief = model::guidText(*guid);
    Project* project = model::project(host, brief);
    if (project == nullptr) return *err = hosterr::NoProject, nullptr;
    if (project->model.views.findElement(*guid) == nullptr) return *err = hosterr::BadGuid, nullptr;
    return project;
}

void fillList(GS::Array<API_Guid>* list, const std::vector<API_Guid>& guids, std::string& brief) {
    list->Clear();
    for (const API_Guid& guid : guids)
        list->Push(guid);
    brief += " => " + std::to_string(guids.size());
}

// A fixed answer for a quantity the stand-in cannot compute: the same for every element of a type.
double fixedQuantity(uint32_t type, size_t offset) {
    return type * 1000.0 + static_cast<double>(offset);
}

} // namespace

GSErrCode link(StandInHost& host, const API_Guid* owner, const API_Guid* linked, uint32_t flags, bool on,
               std::string& brief) {
    GSErrCode err = hosterr::Ok;
    std::string why;
    if (!model::changesAllowed(host, why)) return brief = why, hosterr::Refused;
    Project* project = pairOf(host, owner, linked, &err, brief);
    if (project == nullptr) return err;
    auto& links = project->model.relations.links;
    if (on) {
        links.set({*owner, *linked}, flags);
        return hosterr::Ok;
    }
    return links.erase({*owner, *linked}) != 0 ? hosterr::Ok : hosterr::NotFound;
}

GSErrCode linkFlags(StandInHost& host, const API_Guid* owner, const API_Guid* linked, uint32_t* flags,
                    std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = pairOf(host, owner, linked, &err, brief);
    if (project == nullptr) return err;
    if (flags == nullptr) return hosterr::BadParameter;
    const uint32_t* held = project->model.relations.links.find({*owner, *linked});
    if (held == nullptr) return hosterr::NotFound;
    *flags = *held;
    brief += " => " + std::to_string(*flags);
    return hosterr::Ok;
}

GSErrCode relatedGuid(StandInHost& host, const API_Guid* guid, API_Guid* related, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (related == nullptr) return hosterr::BadParameter;
    *related = API_Guid();
    // A proxy's related element is the one it shows; another element's, the first that links it.
    const StoredElement* element = project->model.views.findElement(*guid);
    HostProxyElement proxy;
    std::memcpy(static_cast<void*>(&proxy), element->record.raw, sizeof proxy);
    if (element->head().typeCode == ProxyTypeCode && proxy.showsElement != 0) {
        *related = proxy.elementGuid;
    } else {
        const std::vector<API_Guid> owners = project->model.relations.links.elementsNaming(*guid);
        if (!owners.empty()) *related = owners.front();
    }
    if (related->isNull()) return hosterr::NotFound;
    brief += " => " + model::guidText(*related);
    return hosterr::Ok;
}

GSErrCode relationList(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* related,
                       std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (related == nullptr) return hosterr::BadParameter;
    fillList(related, project->model.relations.relationCodes.othersOf(*guid), brief);
    return hosterr::Ok;
}

GSErrCode relatedElements(StandInHost& host, const API_Guid* guid, uint32_t typeCode,
                          GS::Array<API_Guid>* related, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (related == nullptr) return hosterr::BadParameter;
    const ViewDatabase* home = nullptr;
    (void)project->model.views.findElement(*guid, &home);
    brief += " " + elementTypeName(typeCode);
    fillList(related, ownedElements(project->model.views.elementsOf(*home), *guid, typeCode), brief);
    return hosterr::Ok;
}

GSErrCode relationCode(StandInHost& host, const API_Guid* guid, const API_Guid* other, uint32_t* code,
                       std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = pairOf(host, guid, other, &err, brief);
    if (project == nullptr) return err;
    if (code == nullptr) return hosterr::BadParameter;
    const uint32_t* held = project->model.relations.relationCodes.find({*guid, *other});
    if (held == nullptr) return hosterr::NotFound;
    *code = *held;
    brief += " => " + codeText(*code);
    return hosterr::Ok;
}

GSErrCode setRelationCode(StandInHost& host, const API_Guid* guid, const GS::Array<API_Guid>* others,
                          uint32_t code, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    std::string why;
    if (!model::changesAllowed(host, why)) return brief = why, hosterr::Refused;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (others == nullptr) return hosterr::BadParameter;
    brief += ' ';
    brief += codeText(code) + " x" + std::to_string(others->GetSize());
    for (const API_Guid& other : *others)
        if (project->model.views.findElement(other) == nullptr) return hosterr::BadGuid;
    for (const API_Guid& other : *others)
        project->model.relations.relationCodes.set({*guid, other}, code);
    return hosterr::Ok;
}

GSErrCode associated(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* others,
                     std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (others == nullptr) return hosterr::BadParameter;
    fillList(others, project->model.relations.associations.othersOf(*guid), brief);
    return hosterr::Ok;
}

GSErrCode associate(StandInHost& host, const API_Guid* guid, const API_Guid* other, uint32_t flags,
                    uint32_t subFlags, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    std::string why;
    if (!model::changesAllowed(host, why)) return brief = why, hosterr::Refused;
    Project* project = pairOf(host, guid, other, &err, brief);
    if (project == nullptr) return err;
    project->model.relations.associations.set({*guid, *other}, {flags, subFlags});
    return hosterr::Ok;
}

GSErrCode dissociate(StandInHost& host, const API_Guid* guid, const API_Guid* other, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    std::string why;
    if (!model::changesAllowed(host, why)) return brief = why, hosterr::Refused;
    Project* project = pairOf(host, guid, other, &err, brief);
    if (project == nullptr) return err;
    return project->model.relations.associations.erase({*guid, *other}) != 0 ? hosterr::Ok
                                                                             : hosterr::NotFound;
}

GSErrCode associationFlags(StandInHost& host, const API_Guid* guid, const API_Guid* other, bool sub,
                           uint32_t* flags, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = pairOf(host, guid, other, &err, brief);
    if (project == nullptr) return err;
    if (flags == nullptr) return hosterr::BadParameter;
    const std::pair<uint32_t, uint32_t>* held = project->model.relations.associations.find({*guid, *other});
    if (held == nullptr) return hosterr::NotFound;
    *flags = sub ? held->second : held->first;
    brief += " => " + std::to_string(*flags);
    return hosterr::Ok;
}

GSErrCode quantities(StandInHost& host, const API_Guid* guid, const HostQuantityParameters* parameters,
                     HostQuantityRequest* request, const uint8_t* mask, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    Project* project = elementProject(host, guid, &err, brief);
    if (project == nullptr) return err;
    if (parameters == nullptr || request == nullptr || request->elementBlock == nullptr || mask == nullptr)
        return hosterr::BadParameter;
    const ViewDatabase* home = nullptr;
    const StoredElement& element = *project->model.views.findElement(*guid, &home);
    const uint32_t type = element.head().typeCode;
    brief = elementTypeName(type) + " " + brief;
    // The element block: doubles at 8-byte slots; the stand-in computes the length at 0 and the area
    // at 8 where the element has the geometry, and answers fixed values elsewhere.
    std::memset(request->elementBlock, 0, HostQuantityBlockSize);
    size_t filled = 0;
    if (type == HatchTypeCode) {
        // Its own fields of the mask: the area, the outline's perimeter and the holes'.
        const auto contours = contoursOf(element.memo);
        double outline = 0.0, holes = 0.0;
        for (size_t c = 0; c < contours.size(); ++c)
            for (size_t i = 0; i + 1 < contours[c].size(); ++i)
                (c == 0 ? outline : holes) += std::hypot(contours[c][i + 1].x - contours[c][i].x,
                                                         contours[c][i + 1].y - contours[c][i].y);
        const std::pair<size_t, double> values[] = {
            {HostHatchArea, areaOf(element)}, {HostHatchQuantity3, outline}, {HostHatchQuantity4, holes}};
        for (const auto& [offset, value] : values) {
            if (!fieldAsked(mask, HostHatchQuantityMask + offset, 1)) continue;
            std::memcpy(request->elementBlock + offset, &value, sizeof value);
            ++filled;
        }
        brief += " => " + std::to_string(filled) + " value(s)";
        return hosterr::Ok;
    }
    const bool ownFields = type == WallTypeCode || isWallOpening(type) || type == HostCurtainWallTypeCode ||
                           type == HostCurtainWallPanelTypeCode || type == ProfileTypeCode ||
                           type == ZoneTypeCode || hasBorderedOutline(type) || type == MeshTypeCode ||
                           type == FreeFormTypeCode;
    if (type == MeshTypeCode || type == FreeFormTypeCode)
        filled = fillMeshQuantities(element, mask, request->elementBlock);
    if (type == ProfileTypeCode) {
        const ElementExtent3D extent = model3d::extentOf(*project, element);
        filled = fillProfileQuantities(element, extent.bottom, extent.top, mask, request->elementBlock);
    }
    if (type == HostCurtainWallTypeCode || type == HostCurtainWallPanelTypeCode)
        filled = fillCurtainWallQuantities(element, mask, request->elementBlock);
    if (type == WallTypeCode) filled = fillWallQuantities(element, mask, request->elementBlock);
    if (type == ZoneTypeCode) filled = fillZoneQuantities(element, mask, request->elementBlock);
    if (hasBorderedOutline(type)) filled = fillSlabQuantities(element, mask, request->elementBlock);
    if (isWallOpening(type))
        filled = fillOpeningQuantities(project->model.views.elementsOf(*home), element, mask,
                                       request->elementBlock);
    for (size_t offset = 0; !ownFields && offset + sizeof(double) <= HostQuantityBlockSize;
         offset += sizeof(double)) {
        if (!fieldAsked(mask, offset, sizeof(double))) continue;
        double value = fixedQuantity(type, offset);
        if (offset == 0 && lengthOf(element) > 0.0) value = lengthOf(element);
        if (offset == 8 && areaOf(element) > 0.0) value = areaOf(element);
        if (std::optional<double> object = objectQuantity(*project, element, offset)) value = *object;
        std::memcpy(request->elementBlock + offset, &value, sizeof value);
        ++filled;
    }
    brief += " => " + std::to_string(filled) + " value(s)";
    if (request->composites == nullptr) return hosterr::Ok;
    request->composites->Clear();
    const uint8_t* compositeMask = mask + HostQuantityMaskCompositePart;
    if (!hasCompositeQuantities(type) || !fieldAsked(compositeMask, 0, sizeof(HostCompositeQuantity)))
        return hosterr::Ok;
    // Two layers: a core of material 1 and a finish of material 2.
    const double area = areaOf(element) > 0.0 ? areaOf(element) : 10.0;
    const HostCompositeQuantity layers[] = {
        {{}, area * 0.2, area, 1, {}},
        {{}, area * 0.02, area, 2, {}},
    };
    for (const HostCompositeQuantity& layer : layers) {
        HostCompositeQuantity answer;
        if (fieldAsked(compositeMask, offsetof(HostCompositeQuantity, volume), sizeof(double)))
            answer.volume = layer.volume;
        if (fieldAsked(compositeMask, offsetof(HostCompositeQuantity, projectedArea), sizeof(double)))
            answer.projectedArea = layer.projectedArea;
        if (fieldAsked(compositeMask, offsetof(HostCompositeQuantity, material), sizeof(uint16_t)))
            answer.material = layer.material;
        request->composites->Push(answer);
    }
    brief += ", " + std::to_string(request->composites->GetSize()) + " composite(s)";
    return hosterr::Ok;
}

} // namespace zavhost::elementchanges
