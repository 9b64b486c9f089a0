#include "OpeningParts.h"

#include <cstring>

#include "RecordFields.h"
#include "WallParts.h"

namespace zavhost {

namespace {

uint32_t listField(uint32_t typeCode) {
    return static_cast<uint32_t>(typeCode == WindowTypeCode ? offsetof(API_ElementMemo, windowGuids)
                                                            : offsetof(API_ElementMemo, doorGuids));
}

const StoredElement* ownerWall(const ElementStore& elements, const StoredElement& opening) {
    const StoredElement* owner = elements.find(partOf<HostJoineryElement>(opening.record).ownerGuid);
    return owner != nullptr && owner->head().typeCode == WallTypeCode ? owner : nullptr;
}

} // namespace

bool setDefaultOpeningSettings(API_Element& record) {
    if (!isWallOpening(record.head.typeCode)) return false;
    const bool window = record.head.typeCode == WindowTypeCode;
    HostJoineryElement opening = partOf<HostJoineryElement>(record);
    opening.opening.pen = opening.opening.kind10Pen = opening.opening.kind11Pen = opening.opening.kind12Pen =
        1;
    opening.opening.lineType = 1;
    opening.opening.width = window ? 1.2 : 0.9;
    opening.opening.size2 = window ? 1.5 : 2.1;
    opening.relativeElevation = window ? 0.9 : 0.0;
    setPart(record, opening);
    return true;
}

size_t fillOpeningQuantities(const ElementStore& elements, const StoredElement& opening, const uint8_t* mask,
                             uint8_t* block) {
    const HostJoineryElement part = partOf<HostJoineryElement>(opening.record);
    const StoredElement* wall = ownerWall(elements, opening);
    const double thickness = wall != nullptr ? partOf<HostWallElement>(wall->record).thickness : 0.0;
    HostOpeningQuantities values;
    values.openingMeasure1 = part.opening.width * part.opening.size2;
    values.openingMeasure2 = values.openingMeasure1 * thickness;
    double* rest[] = {&values.measure1, &values.measure2, &values.measure5, &values.measure6,
                      &values.measure4};
    for (double* value : rest)
        *value = 2000.0 +
                 static_cast<double>(reinterpret_cast<uint8_t*>(value) - reinterpret_cast<uint8_t*>(&values));
    size_t filled = 0;
    for (size_t offset = 0; offset < offsetof(HostOpeningQuantities, reserved); offset += sizeof(double)) {
        if (!fieldAsked(mask, offset)) continue;
        std::memcpy(block + offset, reinterpret_cast<const uint8_t*>(&values) + offset, sizeof(double));
        ++filled;
    }
    return filled;
}

void dropOpeningLists(StoredMemo& memo) {
    memo.blocks.erase(listField(WindowTypeCode));
    memo.blocks.erase(listField(DoorTypeCode));
}

std::string openingPlacementProblem(const ElementStore& elements, const StoredElement& opening) {
    if (ownerWall(elements, opening) == nullptr) return "a window or door stands in a wall of its database";
    return {};
}

std::string placeOpening(StoredElement& opening, const API_Element& defaults, const StoredElement& wall,
                         double position) {
    if (wall.head().typeCode != WallTypeCode) return "a window or door stands in a wall";
    HostJoineryElement part = partOf<HostJoineryElement>(defaults);
    part.head = opening.record.head;
    part.head.storey = wall.head().storey;
    part.ownerGuid = wall.guid();
    part.wallPosition = position;
    setPart(opening.record, part);
    return {};
}

void attachOpening(ElementStore& elements, const StoredElement& opening) {
    const API_Guid owner = partOf<HostJoineryElement>(opening.record).ownerGuid;
    if (ownerWall(elements, opening) == nullptr) return;
    StoredElement* wall = elements.edit(owner);
    const API_Guid guid = opening.guid();
    wall->memo.blocks[listField(opening.head().typeCode)].bytes.append(reinterpret_cast<const char*>(&guid),
                                                                       sizeof guid);
}

void detachOpening(ElementStore& elements, const StoredElement& opening) {
    if (ownerWall(elements, opening) == nullptr) return;
    StoredElement* wall = elements.edit(partOf<HostJoineryElement>(opening.record).ownerGuid);
    auto list = wall->memo.blocks.find(listField(opening.head().typeCode));
    if (list == wall->memo.blocks.end()) return;
    const std::string& bytes = list->second.bytes;
    std::string kept;
    kept.reserve(bytes.size());
    for (size_t at = 0; at + sizeof(API_Guid) <= bytes.size(); at += sizeof(API_Guid)) {
        API_Guid guid;
        std::memcpy(&guid, bytes.data() + at, sizeof guid);
        if (!(guid == opening.guid())) kept.append(bytes, at, sizeof guid);
    }
    // A wall without openings of the kind has no list.
    if (kept.empty())
        wall->memo.blocks.erase(list);
    else
        list->second.bytes = std::move(kept);
}

std::vector<API_Guid> openingsOf(const ElementStore& elements, const API_Guid& wall) {
    std::vector<API_Guid> openings;
    for (const StoredElement* element : elements.heldBy(wall))
        if (isWallOpening(element->head().typeCode)) openings.push_back(element->guid());
    return openings;
}

} // namespace zavhost
