#include "PolyRoofParts.h"

#include <cstring>

#include "ElementGeometry.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {
template <class Part> Part partOfRecord(const API_Element& record) {
    Part part;
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
    return part;
}
template <class Part> void setPartOfRecord(API_Element* record, const Part& part) {
    std::memcpy(record->raw, &part, sizeof part);
}
} // namespace

bool StoredRoofPlane::operator==(const StoredRoofPlane& other) const {
    return std::memcmp(record.raw, other.record.raw, sizeof record.raw) == 0 && memo == other.memo;
}

void keepAskedRoofClass(const API_Element& asked, API_Element* made) {
    if (asked.head.typeCode != HostRoofTypeCode) return;
    const uint32_t askedClass = partOfRecord<HostShelterElement>(asked).roofClass;
    HostPolyRoofElement part = partOfRecord<HostPolyRoofElement>(*made);
    part.shelter.roofClass = askedClass == HostPolyRoofClass ? HostPolyRoofClass : HostSingleRoofClass;
    setPartOfRecord(made, part);
}

bool isPolyRoof(const StoredElement& element) {
    return element.head().typeCode == HostRoofTypeCode &&
           partOfRecord<HostShelterElement>(element.record).roofClass == HostPolyRoofClass;
}

StoredRoofPlane makeRoofPlane(const StoredElement& roof, double slopeAngle) {
    StoredRoofPlane plane;
    HostShelterElement part = partOfRecord<HostShelterElement>(roof.record);
    part.roofClass = HostSingleRoofClass;
    part.slopeAngle = slopeAngle;
    setPartOfRecord(&plane.record, part);
    // The plane keeps the roof's outline; the pivot polygon is the multi-plane roof's alone.
    for (const auto& [offset, block] : roof.memo.blocks)
        if (memoPartOfField(offset) != MemoPivotPolygon) plane.memo.blocks.emplace(offset, block);
    return plane;
}

void transformPolyRoofParts(StoredElement& element, const HostEditTransformation& edit) {
    if (!isPolyRoof(element)) return;
    // Each goes through the edit as the polygon of an element of no type, which has nothing else
    // to move, or as the single-plane roof it is.
    auto pivot = element.memo.blocks.find(offsetof(API_ElementMemo, pivotCoordinates));
    if (pivot != element.memo.blocks.end()) {
        StoredElement carrier;
        carrier.memo.blocks[offsetof(API_ElementMemo, coordinates)] = std::move(pivot->second);
        transformGeometry(carrier, edit);
        pivot->second = std::move(carrier.memo.blocks[offsetof(API_ElementMemo, coordinates)]);
    }
    for (StoredRoofPlane& plane : element.roofPlanes) {
        StoredElement carrier;
        carrier.record = plane.record;
        carrier.memo = std::move(plane.memo);
        transformGeometry(carrier, edit);
        plane.record = carrier.record;
        plane.memo = std::move(carrier.memo);
    }
}

namespace polyroofs {

GSErrCode convert(StandInHost& host, const API_Guid* guid, API_ElementDecomposerInterface* decomposer,
                  std::string& brief) {
    if (guid == nullptr || decomposer == nullptr) return brief = "null argument", hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* roof = project->model.views.findElement(*guid);
    if (roof == nullptr) return brief = model::guidText(*guid), hosterr::BadGuid;
    if (!isPolyRoof(*roof)) return brief = "not a multi-plane roof", hosterr::BadParameter;
    // The planes are copied first: the decomposer may change the project while it runs.
    const std::vector<StoredRoofPlane> planes = roof->roofPlanes;
    brief = std::to_string(planes.size()) + " planes";
    for (size_t i = 0; i < planes.size(); ++i) {
        API_ElementMemo memo;
        if (!handOutElementMemo(planes[i].memo, MemoAll, &memo)) return hosterr::MemoryFull;
        HostElementPartId partId;
        partId.main = static_cast<uint32_t>(i + 1);
        const GSErrCode err = decomposer->GeneratePartElement(partId, planes[i].record, memo);
        disposeElementMemo(&memo);
        if (err != hosterr::Ok) return brief += ", stopped at " + std::to_string(i + 1), err;
    }
    return hosterr::Ok;
}

} // namespace polyroofs

} // namespace zavhost
