#include "StoredBlocks.h"

#include <cstring>

#include "platform/api/ParameterRecords.h"
#include "platform/api/TextRecords.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {
constexpr size_t wordSize = sizeof(void*);

std::vector<uint32_t> fieldOffsets(uint32_t end, uint32_t skipFrom, uint32_t skipTo) {
    std::vector<uint32_t> offsets;
    for (uint32_t offset = 0; offset < end; offset += wordSize)
        if (offset < skipFrom || offset >= skipTo) offsets.push_back(offset);
    return offsets;
}

constexpr size_t inlineRecordsOffset = offsetof(API_ElementMemo, record256);
} // namespace

bool StoredMemo::empty() const {
    if (!blocks.empty()) return false;
    for (uint8_t byte : inlineRecords)
        if (byte != 0) return false;
    return true;
}

void* wordAt(const void* record, size_t offset) {
    void* value = nullptr;
    std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof value);
    return value;
}

void setWordAt(void* record, size_t offset, void* value) {
    std::memcpy(static_cast<char*>(record) + offset, &value, sizeof value);
}

Nesting nestingOfField(uint32_t offset) {
    if (offset == subBlockOffset) return Nesting::AnyWord;
    if (offset == paragraphsOffset) return Nesting::Paragraphs;
    if (offset == offsetof(API_ElementMemo, parameters)) return Nesting::Parameters;
    return Nesting::None;
}

Nesting nestingOfAttributeField(uint32_t offset) {
    return offset == offsetof(HostAttributeMemo, parameters) ? Nesting::Parameters : Nesting::None;
}

std::vector<uint32_t> nestedSlots(Nesting nesting, const char* data, size_t size) {
    std::vector<uint32_t> slots;
    if (nesting == Nesting::AnyWord) {
        for (size_t offset = 0; offset + wordSize <= size; offset += wordSize)
            slots.push_back(static_cast<uint32_t>(offset));
    } else if (nesting == Nesting::Paragraphs) {
        constexpr size_t pointers[] = {offsetof(HostTextParagraph, tabs), offsetof(HostTextParagraph, runs),
                                       offsetof(HostTextParagraph, lineEnds)};
        for (size_t record = 0; record + sizeof(HostTextParagraph) <= size;
             record += sizeof(HostTextParagraph))
            for (size_t pointer : pointers)
                slots.push_back(static_cast<uint32_t>(record + pointer));
    } else if (nesting == Nesting::Parameters) {
        for (size_t record = 0; record + sizeof(HostAdditionalParameter) <= size;
             record += sizeof(HostAdditionalParameter)) {
            uint16_t form = 0;
            std::memcpy(&form, data + record + offsetof(HostAdditionalParameter, valueForm), sizeof form);
            if (form == ParameterArrayValue)
                slots.push_back(static_cast<uint32_t>(record + offsetof(HostAdditionalParameter, value)));
        }
    }
    return slots;
}

std::optional<StoredBlock> copyBlock(void* word, Nesting nesting, bool* foreign) {
    if (foreign != nullptr) *foreign = false;
    if (word == nullptr) return std::nullopt;
    StoredBlock block;
    const char* data = nullptr;
    size_t size = 0;
    if (BMIsLiveHandle(static_cast<GSHandle>(word))) {
        auto handle = static_cast<GSHandle>(word);
        data = *handle;
        size = static_cast<size_t>(BMHandleSize(handle));
    } else if (BMIsLivePtr(static_cast<GSPtr>(word))) {
        block.isPointer = true;
        data = static_cast<const char*>(word);
        size = static_cast<size_t>(BMPtrSize(static_cast<GSPtr>(word)));
    } else {
        if (foreign != nullptr) *foreign = true;
        return std::nullopt;
    }
    block.bytes.assign(data, size);
    for (uint32_t slot : nestedSlots(nesting, data, size)) {
        bool innerForeign = false;
        std::optional<StoredBlock> inner = copyBlock(wordAt(data, slot), Nesting::None, &innerForeign);
        // A sub-block's other words are data; a paragraph's pointers and an array's value handle
        // are blocks or nothing.
        if (!inner && !(innerForeign && nesting != Nesting::AnyWord)) continue;
        if (innerForeign && foreign != nullptr) *foreign = true;
        // The stored bytes never hold addresses: they are made anew when the block is handed out.
        std::memset(block.bytes.data() + slot, 0, wordSize);
        if (inner) block.nested.emplace_back(slot, std::move(*inner));
    }
    return block;
}

void* makeBlock(const StoredBlock& block) {
    const GSSize size = static_cast<GSSize>(block.bytes.size());
    char* data = nullptr;
    void* made = nullptr;
    if (block.isPointer) {
        GSPtr ptr = BMNewPtr(size);
        data = ptr;
        made = ptr;
    } else {
        GSHandle handle = BMNewHandle(size);
        data = handle != nullptr ? *handle : nullptr;
        made = handle;
    }
    if (made == nullptr) return nullptr;
    if (size > 0) std::memcpy(data, block.bytes.data(), block.bytes.size());
    for (const auto& [offset, inner] : block.nested) {
        if (offset + wordSize > block.bytes.size()) continue;
        void* innerMade = makeBlock(inner);
        if (innerMade == nullptr) {
            freeBlock(made, true);
            return nullptr;
        }
        setWordAt(data, offset, innerMade);
    }
    return made;
}

bool freeBlock(void* word, Nesting nesting) {
    if (word == nullptr) return true;
    if (BMIsLiveHandle(static_cast<GSHandle>(word))) {
        auto handle = static_cast<GSHandle>(word);
        for (uint32_t slot : nestedSlots(nesting, *handle, static_cast<size_t>(BMHandleSize(handle))))
            freeBlock(wordAt(*handle, slot), Nesting::None);
        BMKillHandle(&handle);
        return true;
    }
    if (BMIsLivePtr(static_cast<GSPtr>(word))) {
        auto ptr = static_cast<GSPtr>(word);
        for (uint32_t slot : nestedSlots(nesting, ptr, static_cast<size_t>(BMPtrSize(ptr))))
            freeBlock(wordAt(ptr, slot), Nesting::None);
        BMKillPtr(&ptr);
        return true;
    }
    return false;
}

const std::vector<uint32_t>& elementMemoFields() {
    static const std::vector<uint32_t> offsets = fieldOffsets(
        sizeof(API_ElementMemo), offsetof(API_ElementMemo, record256), offsetof(API_ElementMemo, field352));
    return offsets;
}

const std::vector<uint32_t>& attributeMemoFields() {
    static const std::vector<uint32_t> offsets = fieldOffsets(sizeof(HostAttributeMemo), 0, 0);
    return offsets;
}

uint64_t memoPartOfField(uint32_t offset) {
    switch (offset) {
    case offsetof(API_ElementMemo, coordinates):
    case offsetof(API_ElementMemo, subPolygonEnds):
    case offsetof(API_ElementMemo, arcs):
    case offsetof(API_ElementMemo, vertexIds):
    case offsetof(API_ElementMemo, splineDirections):
        return MemoPolygon;
    case offsetof(API_ElementMemo, vertexDoubles):
        return MemoPolygon | 0x10;
    case offsetof(API_ElementMemo, gables):
        return MemoGables;
    case offsetof(API_ElementMemo, parameters):
        return MemoParameters;
    case offsetof(API_ElementMemo, textContent):
    case offsetof(API_ElementMemo, lineStarts):
    case offsetof(API_ElementMemo, paragraphs):
        return MemoText;
    case offsetof(API_ElementMemo, drawingData):
        return MemoDrawingData;
    // The section lines' mask names the first line by one bit and the other two by another.
    case offsetof(API_ElementMemo, sectionPoints1):
        return 0x8000;
    case offsetof(API_ElementMemo, sectionPoints2):
    case offsetof(API_ElementMemo, sectionPoints3):
        return 0x4000;
    case subBlockOffset:
        return MemoContour;
    case offsetof(API_ElementMemo, windowGuids):
        return MemoWindows;
    case offsetof(API_ElementMemo, doorGuids):
        return MemoDoors;
    case offsetof(API_ElementMemo, curtainWallSegments):
        return MemoCurtainWallSegments;
    case offsetof(API_ElementMemo, curtainWallFrames):
        return MemoCurtainWallFrames;
    case offsetof(API_ElementMemo, curtainWallPanels):
        return MemoCurtainWallPanels;
    case offsetof(API_ElementMemo, curtainWallJunctions):
        return MemoCurtainWallJunctions;
    case offsetof(API_ElementMemo, curtainWallAccessories):
        return MemoCurtainWallAccessories;
    case offsetof(API_ElementMemo, levelCoordinates):
    case offsetof(API_ElementMemo, levelEnds):
        return MemoMeshLevels;
    case offsetof(API_ElementMemo, freeFormBody):
        return MemoFreeFormBody;
    case offsetof(API_ElementMemo, edgeRecords):
        return MemoEdgeRecords;
    case offsetof(API_ElementMemo, edgeValues):
        return MemoEdgeValues;
    case offsetof(API_ElementMemo, sideOverrides):
        return MemoSideOverrides;
    case offsetof(API_ElementMemo, pivotCoordinates):
    case offsetof(API_ElementMemo, pivotEnds):
    case offsetof(API_ElementMemo, pivotArcs):
    case offsetof(API_ElementMemo, pivotVertexIds):
    case offsetof(API_ElementMemo, pivotRecords):
        return MemoPivotPolygon;
    default:
        return 0;
    }
}

StoredMemo captureElementMemo(const API_ElementMemo& memo, int* foreign) {
    StoredMemo stored;
    int foreignCount = 0;
    for (uint32_t offset : elementMemoFields()) {
        bool isForeign = false;
        std::optional<StoredBlock> block =
            copyBlock(wordAt(&memo, offset), nestingOfField(offset), &isForeign);
        if (block) stored.blocks.emplace(offset, std::move(*block));
        foreignCount += isForeign ? 1 : 0;
    }
    std::memcpy(stored.inlineRecords.data(), reinterpret_cast<const char*>(&memo) + inlineRecordsOffset,
                stored.inlineRecords.size());
    if (foreign != nullptr) *foreign = foreignCount;
    return stored;
}

std::string blockKindProblem(const StoredMemo& memo) {
    auto picture = memo.blocks.find(offsetof(API_ElementMemo, picture));
    if (picture != memo.blocks.end() && picture->second.isPointer) return "the picture is not a handle";
    auto data = memo.blocks.find(offsetof(API_ElementMemo, drawingData));
    if (data != memo.blocks.end() && !data->second.isPointer)
        return "the drawing data are not a pointer block";
    return {};
}

bool handOutElementMemo(const StoredMemo& stored, uint64_t mask, API_ElementMemo* memo,
                        const std::string& infoText) {
    if (mask == 0) mask = MemoAll;
    std::memset(static_cast<void*>(memo), 0, sizeof *memo);
    for (const auto& [offset, block] : stored.blocks) {
        uint64_t part = memoPartOfField(offset);
        if ((part != 0 && (part & mask) == 0) || offset == HostMemoInfoStringOffset) continue;
        void* made = makeBlock(block);
        if (made == nullptr) {
            disposeElementMemo(memo);
            return false;
        }
        setWordAt(memo, offset, made);
    }
    std::memcpy(reinterpret_cast<char*>(memo) + inlineRecordsOffset, stored.inlineRecords.data(),
                stored.inlineRecords.size());
    if (!infoText.empty()) {
        StoredBlock text;
        text.bytes = infoText + '\0';
        void* made = makeBlock(text);
        if (made == nullptr) {
            disposeElementMemo(memo);
            return false;
        }
        setWordAt(memo, HostMemoInfoStringOffset, made);
    }
    return true;
}

std::optional<std::string> takeInfoText(StoredMemo* memo) {
    auto it = memo->blocks.find(static_cast<uint32_t>(HostMemoInfoStringOffset));
    if (it == memo->blocks.end()) return std::nullopt;
    std::string text = it->second.bytes.substr(0, it->second.bytes.find('\0'));
    memo->blocks.erase(it);
    return text;
}

void changeElementMemo(StoredMemo* stored, const StoredMemo& given, uint64_t mask) {
    for (uint32_t offset : elementMemoFields()) {
        uint64_t part = memoPartOfField(offset);
        auto brought = given.blocks.find(offset);
        bool take = part != 0 ? (part & mask) != 0 : brought != given.blocks.end();
        if (!take) continue;
        if (brought != given.blocks.end())
            stored->blocks[offset] = brought->second;
        else
            stored->blocks.erase(offset);
    }
    bool recordsBrought = false;
    for (uint8_t byte : given.inlineRecords)
        recordsBrought = recordsBrought || byte != 0;
    if (recordsBrought) stored->inlineRecords = given.inlineRecords;
}

int disposeElementMemo(API_ElementMemo* memo) {
    int foreign = 0;
    for (uint32_t offset : elementMemoFields()) {
        void* word = wordAt(memo, offset);
        if (word == nullptr) continue;
        if (freeBlock(word, nestingOfField(offset)))
            setWordAt(memo, offset, nullptr);
        else
            ++foreign;
    }
    return foreign;
}

StoredBlocks captureAttributeMemo(const HostAttributeMemo& memo, int* foreign) {
    StoredBlocks stored;
    int foreignCount = 0;
    for (uint32_t offset : attributeMemoFields()) {
        bool isForeign = false;
        std::optional<StoredBlock> block =
            copyBlock(wordAt(&memo, offset), nestingOfAttributeField(offset), &isForeign);
        if (block) stored.emplace(offset, std::move(*block));
        foreignCount += isForeign ? 1 : 0;
    }
    if (foreign != nullptr) *foreign = foreignCount;
    return stored;
}

bool handOutAttributeMemo(const StoredBlocks& stored, HostAttributeMemo* memo) {
    std::memset(static_cast<void*>(memo), 0, sizeof *memo);
    for (const auto& [offset, block] : stored) {
        void* made = makeBlock(block);
        if (made == nullptr) {
            disposeAttributeMemo(memo);
            return false;
        }
        setWordAt(memo, offset, made);
    }
    return true;
}

int disposeAttributeMemo(HostAttributeMemo* memo) {
    int foreign = 0;
    for (uint32_t offset : attributeMemoFields()) {
        void* word = wordAt(memo, offset);
        if (word == nullptr) continue;
        if (freeBlock(word, nestingOfAttributeField(offset)))
            setWordAt(memo, offset, nullptr);
        else
            ++foreign;
    }
    return foreign;
}

std::optional<StoredUserData> captureUserData(const HostUserData& record) {
    if (!BMIsLiveHandle(record.dataHandle)) return std::nullopt;
    StoredUserData data;
    data.version = record.version;
    data.platformSign = record.platformSign;
    data.flags = record.flags;
    data.bytes.assign(*record.dataHandle, static_cast<size_t>(BMHandleSize(record.dataHandle)));
    return data;
}

bool handOutUserData(const StoredUserData& data, HostUserData* record) {
    GSHandle handle = BMNewHandle(static_cast<GSSize>(data.bytes.size()));
    if (handle == nullptr) return false;
    if (!data.bytes.empty()) std::memcpy(*handle, data.bytes.data(), data.bytes.size());
    *record = HostUserData();
    record->version = data.version;
    record->platformSign = data.platformSign;
    record->flags = data.flags;
    record->dataHandle = handle;
    return true;
}

} // namespace zavhost
