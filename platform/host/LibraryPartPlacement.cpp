#include "LibraryPartPlacement.h"

#include "RecordFields.h"
#include "platform/api/LibraryRecords.h"
#include "platform/api/ObjectRecords.h"
#include "platform/api/OpeningRecords.h"

namespace zavhost {

namespace {
constexpr uint32_t LengthParameter = 2;

StoredBlock parameterBlock(std::initializer_list<HostAdditionalParameter> records) {
    StoredBlock block;
    for (const HostAdditionalParameter& record : records)
        block.bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return block;
}
} // namespace

bool setDefaultLampSettings(API_Element& record) {
    if (record.head.typeCode != HostLampTypeCode) return false;
    HostLampElement lamp = partOf<HostLampElement>(record);
    lamp.pen = lamp.secondPen = lamp.thirdPen = lamp.fourthPen = 1;
    lamp.lineType = 1;
    lamp.widthRatio = lamp.depthRatio = 1.0;
    setPart(record, lamp);
    return true;
}

StoredMemo makeDefaultDoorMemo(const API_Element& defaults) {
    const HostJoineryElement door = partOf<HostJoineryElement>(defaults);
    StoredMemo memo;
    memo.blocks[offsetof(API_ElementMemo, parameters)] =
        parameterBlock({parameterRecord(LengthParameter, "A", door.opening.width, ""),
                        parameterRecord(LengthParameter, "B", door.opening.size2, "")});
    return memo;
}

uint32_t placedPartType(uint32_t elementType) {
    switch (elementType) {
    case HostDoorTypeCode:
        return LibPartDoor;
    case HostSkylightTypeCode:
        return LibPartSkylight;
    case HostLampTypeCode:
        return LibPartLamp;
    default:
        return 0;
    }
}

uint32_t placedPartIndex(const API_Element& record) {
    switch (record.head.typeCode) {
    case HostDoorTypeCode:
        return partOf<HostJoineryElement>(record).opening.libIndex;
    case HostSkylightTypeCode:
        return partOf<HostSkylightElement>(record).opening.libIndex;
    case 6:
    case HostLampTypeCode:
        return partOf<HostObjectElement>(record).libIndex;
    default:
        return 0;
    }
}

std::string placeNamedPart(const LibraryManager& library, StoredElement& element, const std::string& name) {
    const uint32_t type = placedPartType(element.head().typeCode);
    if (type == 0) return "only a door, skylight or lamp places a part this way";
    const uint32_t index = library.findByName(name, type);
    if (index == 0) return "the library has no part \"" + name + "\" of type " + std::to_string(type);
    switch (element.head().typeCode) {
    case HostDoorTypeCode: {
        HostJoineryElement door = partOf<HostJoineryElement>(element.record);
        door.opening.libIndex = index;
        setPart(element.record, door);
        break;
    }
    case HostSkylightTypeCode: {
        HostSkylightElement skylight = partOf<HostSkylightElement>(element.record);
        skylight.opening.libIndex = index;
        setPart(element.record, skylight);
        break;
    }
    default: {
        HostLampElement lamp = partOf<HostLampElement>(element.record);
        lamp.libIndex = index;
        setPart(element.record, lamp);
        break;
    }
    }
    const uint32_t field = offsetof(API_ElementMemo, parameters);
    if (const LibraryPart* part = library.part(index); part != nullptr && part->parameters)
        element.memo.blocks[field] = *part->parameters;
    else
        element.memo.blocks.erase(field);
    return {};
}

} // namespace zavhost
