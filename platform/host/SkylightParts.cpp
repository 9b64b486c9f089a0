#include "SkylightParts.h"

#include "OpeningParts.h"
#include "RecordFields.h"

namespace zavhost {

bool setDefaultSkylightSettings(API_Element& record) {
    if (record.head.typeCode != SkylightTypeCode) return false;
    HostSkylightElement skylight = partOf<HostSkylightElement>(record);
    HostOpeningPart& opening = skylight.opening;
    opening.pen = opening.kind10Pen = opening.kind11Pen = opening.kind12Pen = 1;
    opening.lineType = 1;
    opening.width = 0.8;
    opening.size2 = 1.2;
    setPart(record, skylight);
    return true;
}

std::string skylightPlacementProblem(const ElementStore& elements, const StoredElement& skylight) {
    const StoredElement* owner = elements.find(partOf<HostSkylightElement>(skylight.record).ownerGuid);
    if (owner == nullptr || !holdsSkylights(owner->head().typeCode))
        return "a skylight stands in a roof or shell of its database";
    return {};
}

std::string placeSkylight(StoredElement& skylight, const API_Element& defaults, const StoredElement& roof,
                          const HostCoord2D& at) {
    if (!holdsSkylights(roof.head().typeCode)) return "a skylight stands in a roof or shell";
    HostSkylightElement part = partOf<HostSkylightElement>(defaults);
    part.head = skylight.record.head;
    part.head.storey = roof.head().storey;
    part.ownerGuid = roof.guid();
    part.anchor = {at.x, at.y, 0.0};
    setPart(skylight.record, part);
    return {};
}

std::vector<API_Guid> ownedElements(const ElementStore& elements, const API_Guid& owner, uint32_t typeCode) {
    std::vector<API_Guid> owned;
    if (typeCode != SkylightTypeCode && !isWallOpening(typeCode)) return owned;
    for (const StoredElement* element : elements.heldBy(owner))
        if (element->head().typeCode == typeCode) owned.push_back(element->guid());
    return owned;
}

} // namespace zavhost
