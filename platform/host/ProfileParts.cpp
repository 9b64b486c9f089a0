#include "ProfileParts.h"

#include <cstring>

#include "ElementGeometry.h"
#include "RecordFields.h"

namespace zavhost {

bool setDefaultProfileSettings(API_Element& record) {
    if (record.head.typeCode != ProfileTypeCode) return false;
    HostProfileElement part = partOf<HostProfileElement>(record);
    part.subKind = record.head.variation;
    part.head.byte76 = 1; // a body keeps its section in its memo
    part.pen = part.lineType = part.kind3LineType = 1;
    part.kind10Pen = part.kind6Pen = part.kind8Pen = 1;
    part.cutFillPen = part.cutFillBackgroundPen = 1;
    part.material = 1;
    const uint8_t sides = part.subKind == HostExtrusionSubKind ? 2 : part.subKind == HostSweepSubKind ? 1 : 0;
    for (uint8_t side = 0; side < sides; ++side)
        std::memset(part.sideFlags[side], 1, sizeof part.sideFlags[side]);
    setPart(record, part);
    return true;
}

void startProfile(API_Element& record, const API_Element& defaults) {
    HostProfileElement part = partOf<HostProfileElement>(defaults);
    part.head = record.head;
    part.head.variation = part.subKind;
    part.head.byte76 = 1;
    setPart(record, part);
}

std::string profileKindName(uint32_t subKind) {
    switch (subKind) {
    case HostExtrusionSubKind:
        return "extrusion";
    case HostSweepSubKind:
        return "sweep";
    case HostMorphSubKind:
        return "morph";
    default:
        return "sub-kind " + std::to_string(subKind);
    }
}

size_t fillProfileQuantities(const StoredElement& body, double bottom, double top, const uint8_t* mask,
                             uint8_t* block) {
    const double height = top > bottom ? top - bottom : 0.0;
    const double area = areaOf(body);
    const double perimeter = lengthOf(body);
    const size_t contours = contoursOf(body.memo).size();
    HostProfileQuantities values;
    values.measure1 = area * height;
    values.measure2 = 2.0 * area;
    values.measure3 = perimeter * height;
    values.measure5 = bottom;
    values.measure6 = top;
    values.perimeter = perimeter;
    values.measure10 = 3000.0 + offsetof(HostProfileQuantities, measure10);
    values.measure12 = 3000.0 + offsetof(HostProfileQuantities, measure12);
    values.area = area;
    values.measure9 = contours > 1 ? static_cast<int32_t>(contours - 1) : 0;
    size_t filled = 0;
    for (size_t offset = 0; offset < offsetof(HostProfileQuantities, reserved);) {
        const size_t size =
            offset == offsetof(HostProfileQuantities, measure9) ? sizeof(int32_t) : sizeof(double);
        if (fieldAsked(mask, offset, size)) {
            std::memcpy(block + offset, reinterpret_cast<const uint8_t*>(&values) + offset, size);
            ++filled;
        }
        offset += size;
    }
    return filled;
}

} // namespace zavhost
