#include "CurtainWallParts.h"

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "ModelCalls.h"
#include "Project.h"
#include "RecordFields.h"

namespace zavhost {

namespace {

struct PartKind {
    uint32_t typeCode;
    uint64_t bit;
    uint32_t field; // of the wall's memo
    size_t recordSize;
};

constexpr PartKind partKinds[] = {
    {HostCurtainWallSegmentTypeCode, MemoCurtainWallSegments, offsetof(API_ElementMemo, curtainWallSegments),
     sizeof(HostCurtainWallSegment)},
    {HostCurtainWallFrameTypeCode, MemoCurtainWallFrames, offsetof(API_ElementMemo, curtainWallFrames),
     sizeof(HostCurtainWallFrame)},
    {HostCurtainWallPanelTypeCode, MemoCurtainWallPanels, offsetof(API_ElementMemo, curtainWallPanels),
     sizeof(HostCurtainWallPanel)},
    {HostCurtainWallJunctionTypeCode, MemoCurtainWallJunctions,
     offsetof(API_ElementMemo, curtainWallJunctions), sizeof(HostCurtainWallJunction)},
    {HostCurtainWallAccessoryTypeCode, MemoCurtainWallAccessories,
     offsetof(API_ElementMemo, curtainWallAccessories), sizeof(HostCurtainWallAccessory)},
};

const PartKind* kindOf(uint32_t typeCode) {
    for (const PartKind& kind : partKinds)
        if (kind.typeCode == typeCode) return &kind;
    return nullptr;
}

// Every part record has the owner Guid right after the head, but the panel's value.
size_t ownerOffset(uint32_t typeCode) {
    return typeCode == HostCurtainWallPanelTypeCode ? offsetof(HostCurtainWallPanel, ownerGuid)
                                                    : offsetof(HostCurtainWallFrame, ownerGuid);
}

API_Guid ownerOf(const API_Element& record) {
    API_Guid owner;
    std::memcpy(&owner, record.raw + ownerOffset(record.head.typeCode), sizeof owner);
    return owner;
}

void setOwner(API_Element& record, const API_Guid& owner) {
    std::memcpy(record.raw + ownerOffset(record.head.typeCode), &owner, sizeof owner);
}

HostCoord2D moved(const HostCoord2D& p, const HostEditTransformation& edit) {
    const double dx = p.x - edit.origin.x, dy = p.y - edit.origin.y, dz = -edit.origin.z;
    const double* m = edit.matrix;
    return {m[0] * dx + m[1] * dy + m[2] * dz + edit.target.x,
            m[3] * dx + m[4] * dy + m[5] * dz + edit.target.y};
}

template <class Part> void moveLine(API_Element& record, const HostEditTransformation& edit) {
    Part part = partOf<Part>(record);
    part.begin = moved(part.begin, edit);
    part.end = moved(part.end, edit);
    setPart(record, part);
}

template <class Part> void movePosition(API_Element& record, const HostEditTransformation& edit) {
    Part part = partOf<Part>(record);
    part.position = moved(part.position, edit);
    setPart(record, part);
}

double lineLength(const HostCoord2D& begin, const HostCoord2D& end) {
    return std::hypot(end.x - begin.x, end.y - begin.y);
}

StoredBlock handleBlock(const void* data, size_t size) {
    StoredBlock block;
    block.bytes.assign(static_cast<const char*>(data), size);
    return block;
}

// A closed one-based contour of the points, as a polygon memo's coordinates and ends.
void contourBlocks(const std::vector<HostCoord2D>& points, StoredBlock& coordinates, StoredBlock& ends) {
    std::vector<HostCoord2D> coords{{0.0, 0.0}};
    coords.insert(coords.end(), points.begin(), points.end());
    coords.push_back(points.front());
    const uint32_t contourEnds[2] = {0, static_cast<uint32_t>(coords.size() - 1)};
    coordinates = handleBlock(coords.data(), coords.size() * sizeof(HostCoord2D));
    ends = handleBlock(contourEnds, sizeof contourEnds);
}

constexpr double WallHeight = 3.0;

} // namespace

bool setDefaultCurtainWallSettings(API_Element& record) {
    const uint32_t type = record.head.typeCode;
    if (type == HostCurtainWallTypeCode) {
        HostCurtainWallElement wall = partOf<HostCurtainWallElement>(record);
        wall.contourPen = wall.lineType = wall.kind6Pen = wall.kind8Pen = 1;
        wall.penFlag = 1;
        wall.end = {1.0, 0.0};
        setPart(record, wall);
        return true;
    }
    if (type == HostCurtainWallPanelTypeCode) {
        HostCurtainWallPanel panel = partOf<HostCurtainWallPanel>(record);
        const char16_t name[] = u"Panel";
        std::memcpy(panel.name, name, sizeof name);
        setPart(record, panel);
        return true;
    }
    return isCurtainWallPart(type);
}

size_t fillCurtainWallQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block) {
    const uint32_t type = element.head().typeCode;
    size_t filled = 0;
    auto give = [&](const void* values, size_t end) {
        for (size_t offset = 0; offset < end; offset += sizeof(double)) {
            if (!fieldAsked(mask, offset)) continue;
            std::memcpy(block + offset, static_cast<const uint8_t*>(values) + offset, sizeof(double));
            ++filled;
        }
    };
    if (type == HostCurtainWallTypeCode) {
        const HostCurtainWallElement wall = partOf<HostCurtainWallElement>(element.record);
        HostCurtainWallQuantities values;
        values.length = lineLength(wall.begin, wall.end);
        values.height = WallHeight;
        values.measure3 = values.length * values.height;
        for (size_t i = 0; i < 8; ++i)
            values.curtainWallMeasure[i] = 3700.0 + static_cast<double>(i);
        values.measure4 = 3710.0;
        give(&values, offsetof(HostCurtainWallQuantities, reserved));
    } else if (type == HostCurtainWallPanelTypeCode) {
        HostPanelQuantities values;
        values.measure4 = 1.5;
        give(&values, offsetof(HostPanelQuantities, reserved));
    }
    return filled;
}

void dropCurtainWallParts(StoredMemo& memo) {
    for (const PartKind& kind : partKinds)
        memo.blocks.erase(kind.field);
}

std::string curtainWallMemoProblem(const StoredMemo& memo, uint64_t mask) {
    for (const PartKind& kind : partKinds) {
        if ((mask & kind.bit) == 0) continue;
        auto found = memo.blocks.find(kind.field);
        if (found == memo.blocks.end()) continue;
        const std::string& bytes = found->second.bytes;
        if (!found->second.isPointer) return "a curtain wall's part records are a pointer block";
        if (bytes.size() % kind.recordSize != 0) return "a curtain wall's part block holds a partial record";
        for (size_t at = 0; at < bytes.size(); at += kind.recordSize) {
            uint32_t type = 0;
            std::memcpy(&type, bytes.data() + at, sizeof type);
            if (type != kind.typeCode) return "a curtain wall's part block holds a record of another type";
        }
    }
    return {};
}

std::string curtainWallPartProblem(const ElementStore& elements, const StoredElement& part) {
    const StoredElement* owner = elements.find(ownerOf(part.record));
    if (owner == nullptr || owner->head().typeCode != HostCurtainWallTypeCode)
        return "a curtain wall's part stands in a curtain wall of its database";
    return {};
}

API_Guid curtainWallOwnerOf(const API_Element& part) {
    return ownerOf(part);
}

std::vector<API_Guid> curtainWallPartsOf(const ElementStore& elements, const API_Guid& wall) {
    std::vector<API_Guid> parts;
    for (const StoredElement* element : elements.heldBy(wall))
        if (isCurtainWallPart(element->head().typeCode)) parts.push_back(element->guid());
    return parts;
}

void syncCurtainWallParts(ElementStore& elements, const API_Guid& wallGuid) {
    const StoredElement* found = elements.find(wallGuid);
    if (found == nullptr || found->head().typeCode != HostCurtainWallTypeCode) return;
    std::unordered_map<uint32_t, std::string> records;
    for (const API_Guid& guid : curtainWallPartsOf(elements, wallGuid)) {
        const StoredElement* part = elements.find(guid);
        const PartKind* kind = kindOf(part->head().typeCode);
        records[kind->field].append(reinterpret_cast<const char*>(part->record.raw), kind->recordSize);
    }
    StoredElement* wall = elements.edit(wallGuid);
    for (const PartKind& kind : partKinds) {
        auto it = records.find(kind.field);
        // A curtain wall without parts of a kind has no block of them.
        if (it == records.end()) {
            wall->memo.blocks.erase(kind.field);
            continue;
        }
        StoredBlock block;
        block.isPointer = true;
        block.bytes = std::move(it->second);
        wall->memo.blocks[kind.field] = std::move(block);
    }
}

void takeCurtainWallParts(ElementStore& elements, const API_Guid& wallGuid, StoredMemo& memo, uint64_t mask,
                          std::vector<API_Guid>& gone) {
    const StoredElement* wall = elements.find(wallGuid);
    if (wall == nullptr) return;
    const HostElementHead wallHead = wall->head();
    const std::vector<API_Guid> current = curtainWallPartsOf(elements, wallGuid);
    for (const PartKind& kind : partKinds) {
        if ((mask & kind.bit) == 0) continue;
        std::unordered_set<API_Guid, GuidHash> named;
        auto found = memo.blocks.find(kind.field);
        const std::string bytes = found != memo.blocks.end() ? found->second.bytes : std::string();
        for (size_t at = 0; at + kind.recordSize <= bytes.size(); at += kind.recordSize) {
            API_Element record;
            std::memcpy(record.raw, bytes.data() + at, kind.recordSize);
            const API_Guid guid = record.head.guid;
            const StoredElement* part = elements.find(guid);
            const bool ours = part != nullptr && part->head().typeCode == kind.typeCode &&
                              ownerOf(part->record) == wallGuid && named.count(guid) == 0;
            // The parts stand where their wall stands; their identity is the host's.
            record.head.typeCode = kind.typeCode;
            record.head.storey = wallHead.storey;
            if (record.head.layer == 0) record.head.layer = wallHead.layer;
            setOwner(record, wallGuid);
            if (ours) {
                StoredElement* changed = elements.edit(guid);
                std::memcpy(changed->record.raw, record.raw, kind.recordSize);
                named.insert(guid);
                continue;
            }
            StoredElement made;
            record.head.guid = newGuid();
            made.record = record;
            named.insert(record.head.guid);
            elements.add(std::move(made));
        }
        for (const API_Guid& guid : current)
            if (elements.find(guid)->head().typeCode == kind.typeCode && named.count(guid) == 0)
                gone.push_back(guid);
        if (found != memo.blocks.end()) memo.blocks.erase(found);
    }
}

void transformCurtainWallPoints(StoredElement& element, const HostEditTransformation& edit) {
    switch (element.head().typeCode) {
    case HostCurtainWallTypeCode:
        moveLine<HostCurtainWallElement>(element.record, edit);
        break;
    case HostCurtainWallSegmentTypeCode:
        // The contour lies in the segment's own plane, along its reference line: it goes with it.
        moveLine<HostCurtainWallSegment>(element.record, edit);
        break;
    case HostCurtainWallFrameTypeCode:
        moveLine<HostCurtainWallFrame>(element.record, edit);
        break;
    case HostCurtainWallJunctionTypeCode:
        movePosition<HostCurtainWallJunction>(element.record, edit);
        break;
    case HostCurtainWallAccessoryTypeCode:
        movePosition<HostCurtainWallAccessory>(element.record, edit);
        break;
    default:
        break;
    }
}

void moveCurtainWallWith(ElementStore& elements, const API_Guid& guid, const HostEditTransformation& edit,
                         std::unordered_set<API_Guid, GuidHash>& moved) {
    const StoredElement* element = elements.find(guid);
    if (element == nullptr) return;
    const uint32_t type = element->head().typeCode;
    if (isCurtainWallPart(type)) return syncCurtainWallParts(elements, ownerOf(element->record));
    if (type != HostCurtainWallTypeCode) return;
    for (const API_Guid& part : curtainWallPartsOf(elements, guid))
        if (moved.insert(part).second) transformCurtainWallPoints(*elements.edit(part), edit);
    syncCurtainWallParts(elements, guid);
}

void keepCurtainWallInStep(Project& project, ElementStore& elements, const API_Guid& guid, StoredMemo& given,
                           uint64_t mask) {
    const StoredElement* element = elements.find(guid);
    if (element == nullptr) return;
    if (isCurtainWallPart(element->head().typeCode))
        return syncCurtainWallParts(elements, ownerOf(element->record));
    if (element->head().typeCode != HostCurtainWallTypeCode || (mask & CurtainWallPartBits) == 0) return;
    std::vector<API_Guid> gone;
    takeCurtainWallParts(elements, guid, given, mask, gone);
    for (const API_Guid& part : gone)
        model::deleteElement(project, part);
    syncCurtainWallParts(elements, guid);
}

void startCurtainWall(StoredElement& element, const API_Element& defaults, const HostCoord2D& begin,
                      const HostCoord2D& end) {
    HostCurtainWallElement wall = partOf<HostCurtainWallElement>(defaults);
    wall.head = element.record.head;
    wall.begin = begin;
    wall.end = end;
    // The base outline: a band 0.2 wide about the reference line.
    const double length = lineLength(begin, end);
    const double nx = length > 0.0 ? -(end.y - begin.y) / length * 0.1 : 0.0;
    const double ny = length > 0.0 ? (end.x - begin.x) / length * 0.1 : 0.1;
    StoredBlock coordinates, ends;
    contourBlocks({{begin.x - nx, begin.y - ny},
                   {end.x - nx, end.y - ny},
                   {end.x + nx, end.y + ny},
                   {begin.x + nx, begin.y + ny}},
                  coordinates, ends);
    element.memo.blocks[offsetof(API_ElementMemo, coordinates)] = std::move(coordinates);
    element.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)] = std::move(ends);
    wall.coordinateCount = 5;
    wall.endCount = 1;
    wall.arcCount = 0;
    setPart(element.record, wall);
}

void addCurtainWallParts(ElementStore& elements, const StoredElement& wall) {
    const HostCurtainWallElement line = partOf<HostCurtainWallElement>(wall.record);
    const API_Guid owner = wall.guid();
    const HostElementHead wallHead = wall.head();
    const double length = lineLength(line.begin, line.end);
    auto make = [&](uint32_t type, auto fill) {
        StoredElement part;
        part.record.head.typeCode = type;
        setDefaultCurtainWallSettings(part.record);
        part.record.head.guid = newGuid();
        part.record.head.storey = wallHead.storey;
        part.record.head.layer = wallHead.layer;
        setOwner(part.record, owner);
        fill(part);
        elements.add(std::move(part));
    };
    const HostCoord2D middle{(line.begin.x + line.end.x) / 2.0, (line.begin.y + line.end.y) / 2.0};
    make(HostCurtainWallSegmentTypeCode, [&](StoredElement& part) {
        HostCurtainWallSegment segment = partOf<HostCurtainWallSegment>(part.record);
        segment.begin = line.begin;
        segment.end = line.end;
        StoredBlock coordinates, ends;
        contourBlocks({{0.0, 0.0}, {length, 0.0}, {length, WallHeight}, {0.0, WallHeight}}, coordinates,
                      ends);
        HostContourSubBlock counts;
        counts.coordinateCount = 5;
        counts.endCount = 1;
        segment.coordinateCount = counts.coordinateCount;
        segment.endCount = counts.endCount;
        setPart(part.record, segment);
        StoredBlock sub;
        sub.isPointer = true;
        sub.bytes.assign(reinterpret_cast<const char*>(&counts), sizeof counts);
        sub.nested.emplace_back(offsetof(HostContourSubBlock, coordinates), std::move(coordinates));
        sub.nested.emplace_back(offsetof(HostContourSubBlock, subPolygonEnds), std::move(ends));
        part.memo.blocks[subBlockOffset] = std::move(sub);
    });
    for (const HostCoord2D& at : {line.begin, middle, line.end})
        make(HostCurtainWallFrameTypeCode, [&](StoredElement& part) {
            HostCurtainWallFrame frame = partOf<HostCurtainWallFrame>(part.record);
            frame.begin = frame.end = at;
            setPart(part.record, frame);
        });
    for (int i = 0; i < 2; ++i)
        make(HostCurtainWallPanelTypeCode, [&](StoredElement& part) {
            HostCurtainWallPanel panel = partOf<HostCurtainWallPanel>(part.record);
            panel.value = length / 2.0;
            panel.setting = static_cast<uint32_t>(i + 1);
            setPart(part.record, panel);
        });
    syncCurtainWallParts(elements, owner);
}

} // namespace zavhost
