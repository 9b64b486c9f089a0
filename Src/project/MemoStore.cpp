#include "project/MemoStore.h"

#include <cstring>
#include <new>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "project/ElementMemo.h"
#include "project/IteratorBase.h"

namespace tarnwick {

namespace {
constexpr GSSize SubBlockSize = 56;
} // namespace

// --- MemoStore: every field is missing until a store says otherwise.

#define TARNWICK_MEMO_PAIR(Name, name)                                                                       \
    GSHandle MemoStore::get##Name() const {                                                                  \
        throw BadAllocation();                                                                               \
    }                                                                                                        \
    GSHandle* MemoStore::name##Address() {                                                                   \
        throw BadAllocation();                                                                               \
    }
TARNWICK_MEMO_HANDLE_FIELDS(TARNWICK_MEMO_PAIR)
#undef TARNWICK_MEMO_PAIR

GSPtr MemoStore::getSubBlock() const {
    throw BadAllocation();
}
GSPtr* MemoStore::subBlockAddress() {
    throw BadAllocation();
}
GSPtr MemoStore::getEdgeValues() const {
    throw BadAllocation();
}
GSPtr* MemoStore::edgeValuesAddress() {
    throw BadAllocation();
}
GSPtr MemoStore::getSideOverrides() const {
    throw BadAllocation();
}
GSPtr* MemoStore::sideOverridesAddress() {
    throw BadAllocation();
}
GSPtr MemoStore::getPivotRecords() const {
    throw BadAllocation();
}
GSPtr* MemoStore::pivotRecordsAddress() {
    throw BadAllocation();
}
void MemoStore::getRecord256(MemoRecord48&) const {
    throw BadAllocation();
}
uint8_t* MemoStore::record256Address() {
    throw BadAllocation();
}
void MemoStore::getRecord304(MemoRecord48&) const {
    throw BadAllocation();
}
uint8_t* MemoStore::record304Address() {
    throw BadAllocation();
}
GSHandle* MemoStore::field1064Address() {
    throw BadAllocation();
}
GSPtr MemoStore::getPartBlock(uint64_t) const {
    throw BadAllocation();
}
GSPtr* MemoStore::partBlockAddress(uint64_t) {
    throw BadAllocation();
}

// --- ElementMemoStore.

ElementMemoStore::ElementMemoStore(API_ElementMemo* memo, const API_ElementMemo* source)
    : m_memo(memo != nullptr ? memo : allocateElementMemo()), m_source(source != nullptr ? source : m_memo) {}

ElementMemoStore::~ElementMemoStore() {
    if (!m_released) freeElementMemo(m_memo);
}

#define TARNWICK_MEMO_PAIR(Name, name, field, fromTarget)                                                    \
    GSHandle ElementMemoStore::get##Name() const {                                                           \
        return (fromTarget ? m_memo : m_source)->field;                                                      \
    }                                                                                                        \
    GSHandle* ElementMemoStore::name##Address() {                                                            \
        return &m_memo->field;                                                                               \
    }
TARNWICK_MEMO_PAIR(Coordinates, coordinates, coordinates, false)
TARNWICK_MEMO_PAIR(SubPolygonEnds, subPolygonEnds, subPolygonEnds, false)
TARNWICK_MEMO_PAIR(Arcs, arcs, arcs, false)
TARNWICK_MEMO_PAIR(VertexIds, vertexIds, vertexIds, false)
TARNWICK_MEMO_PAIR(Parameters, parameters, parameters, false)
TARNWICK_MEMO_PAIR(Gables, gables, gables, false)
TARNWICK_MEMO_PAIR(Field64, field64, field64, false)
TARNWICK_MEMO_PAIR(VertexDoubles, vertexDoubles, vertexDoubles, false)
TARNWICK_MEMO_PAIR(Field80, field80, field80, false)
TARNWICK_MEMO_PAIR(Field88, field88, field88, false)
TARNWICK_MEMO_PAIR(DimensionPoints, dimensionPoints, dimensionPoints, false)
TARNWICK_MEMO_PAIR(SplineDirections, splineDirections, splineDirections, false)
TARNWICK_MEMO_PAIR(TextContent, textContent, textContent, false)
TARNWICK_MEMO_PAIR(LineStarts, lineStarts, lineStarts, false)
TARNWICK_MEMO_PAIR(Field128, field128, field128, false)
TARNWICK_MEMO_PAIR(Field136, field136, field136, false)
TARNWICK_MEMO_PAIR(Picture, picture, picture, false)
TARNWICK_MEMO_PAIR(Paragraphs, paragraphs, paragraphs, false)
TARNWICK_MEMO_PAIR(DrawingDataBlock, drawingDataBlock, drawingData, false)
TARNWICK_MEMO_PAIR(SectionPoints1, sectionPoints1, sectionPoints1, true)
TARNWICK_MEMO_PAIR(SectionPoints2, sectionPoints2, sectionPoints2, true)
TARNWICK_MEMO_PAIR(SectionPoints3, sectionPoints3, sectionPoints3, true)
TARNWICK_MEMO_PAIR(Field360, field360, field360, false)
TARNWICK_MEMO_PAIR(Field368, field368, field368, false)
TARNWICK_MEMO_PAIR(Field384, field384, field384, false)
TARNWICK_MEMO_PAIR(Field408, field408, field408, false)
TARNWICK_MEMO_PAIR(Field416, field416, field416, false)
TARNWICK_MEMO_PAIR(Field240, field240, field240, false)
TARNWICK_MEMO_PAIR(Field352, field352, field352, false)
TARNWICK_MEMO_PAIR(Field400, field400, field400, true)
TARNWICK_MEMO_PAIR(Field992, field992, field992, false)
TARNWICK_MEMO_PAIR(Field1000, field1000, field1000, false)
TARNWICK_MEMO_PAIR(Field1008, field1008, field1008, true)
TARNWICK_MEMO_PAIR(Field1016, field1016, field1016, true)
TARNWICK_MEMO_PAIR(Field1024, field1024, field1024, true)
TARNWICK_MEMO_PAIR(Field1032, field1032, field1032, true)
TARNWICK_MEMO_PAIR(Field1056, field1056, field1056, false)
TARNWICK_MEMO_PAIR(Field1160, field1160, field1160, false)
TARNWICK_MEMO_PAIR(Field1168, field1168, field1168, true)
TARNWICK_MEMO_PAIR(Field1176, field1176, field1176, true)
TARNWICK_MEMO_PAIR(WindowGuids, windowGuids, windowGuids, false)
TARNWICK_MEMO_PAIR(DoorGuids, doorGuids, doorGuids, false)
TARNWICK_MEMO_PAIR(LevelCoordinates, levelCoordinates, levelCoordinates, false)
TARNWICK_MEMO_PAIR(LevelEnds, levelEnds, levelEnds, false)
TARNWICK_MEMO_PAIR(FreeFormBody, freeFormBody, freeFormBody, false)
TARNWICK_MEMO_PAIR(EdgeRecords, edgeRecords, edgeRecords, false)
TARNWICK_MEMO_PAIR(PivotCoordinates, pivotCoordinates, pivotCoordinates, false)
TARNWICK_MEMO_PAIR(PivotEnds, pivotEnds, pivotEnds, false)
TARNWICK_MEMO_PAIR(PivotArcs, pivotArcs, pivotArcs, false)
TARNWICK_MEMO_PAIR(PivotVertexIds, pivotVertexIds, pivotVertexIds, false)
#undef TARNWICK_MEMO_PAIR

GSPtr ElementMemoStore::getSubBlock() const {
    return m_source->subBlock;
}

GSPtr* ElementMemoStore::subBlockAddress() {
    if (m_memo->subBlock == nullptr) m_memo->subBlock = allocatePtr(SubBlockSize);
    return &m_memo->subBlock;
}

GSPtr ElementMemoStore::getEdgeValues() const {
    return m_source->edgeValues;
}

GSPtr* ElementMemoStore::edgeValuesAddress() {
    return &m_memo->edgeValues;
}

GSPtr ElementMemoStore::getSideOverrides() const {
    return m_source->sideOverrides;
}

GSPtr* ElementMemoStore::sideOverridesAddress() {
    return &m_memo->sideOverrides;
}

GSPtr ElementMemoStore::getPivotRecords() const {
    return m_source->pivotRecords;
}

GSPtr* ElementMemoStore::pivotRecordsAddress() {
    return &m_memo->pivotRecords;
}

void ElementMemoStore::getRecord256(MemoRecord48& out) const {
    std::memcpy(out, m_source->record256, sizeof out);
}

uint8_t* ElementMemoStore::record256Address() {
    return m_memo->record256;
}

void ElementMemoStore::getRecord304(MemoRecord48& out) const {
    std::memcpy(out, m_source->record304, sizeof out);
}

uint8_t* ElementMemoStore::record304Address() {
    return m_memo->record304;
}

GSHandle* ElementMemoStore::field1064Address() {
    return &m_memo->field1064;
}

namespace {
GSPtr API_ElementMemo::*partField(uint64_t part) {
    switch (part) {
    case MemoCurtainWallSegments:
        return &API_ElementMemo::curtainWallSegments;
    case MemoCurtainWallFrames:
        return &API_ElementMemo::curtainWallFrames;
    case MemoCurtainWallPanels:
        return &API_ElementMemo::curtainWallPanels;
    case MemoCurtainWallJunctions:
        return &API_ElementMemo::curtainWallJunctions;
    case MemoCurtainWallAccessories:
        return &API_ElementMemo::curtainWallAccessories;
    default:
        throw BadAllocation();
    }
}
} // namespace

GSPtr ElementMemoStore::getPartBlock(uint64_t part) const {
    return m_source->*partField(part);
}

GSPtr* ElementMemoStore::partBlockAddress(uint64_t part) {
    return &(m_memo->*partField(part));
}

// --- AttributeMemoStore.

namespace {
HostAttributeMemo* newAttributeMemoBlock() {
    GSPtr block = allocatePtr(static_cast<GSSize>(sizeof(HostAttributeMemo)));
    return new (block) HostAttributeMemo();
}
} // namespace

void freeAttributeMemoBlock(HostAttributeMemo* block) noexcept {
    if (block == nullptr) return;
    try {
        ACAPDisposeAttributeMemo(block);
    } catch (...) {
    }
    block->~HostAttributeMemo();
    GSPtr raw = reinterpret_cast<GSPtr>(block);
    try {
        freePtr(raw);
    } catch (...) {
    }
}

AttributeMemoStore::AttributeMemoStore(HostAttributeMemo* block)
    : m_block(block != nullptr ? block : newAttributeMemoBlock()) {}

AttributeMemoStore::~AttributeMemoStore() {
    if (!m_released) freeAttributeMemoBlock(m_block);
}

#define TARNWICK_MEMO_PAIR(Name, name, field)                                                                \
    GSHandle AttributeMemoStore::get##Name() const {                                                         \
        return m_block->field;                                                                               \
    }                                                                                                        \
    GSHandle* AttributeMemoStore::name##Address() {                                                          \
        return &m_block->field;                                                                              \
    }
TARNWICK_MEMO_PAIR(Parameters, parameters, parameters)
TARNWICK_MEMO_PAIR(AttributeField0, attributeField0, field0)
TARNWICK_MEMO_PAIR(AttributeField8, attributeField8, field8)
TARNWICK_MEMO_PAIR(AttributeField16, attributeField16, field16)
TARNWICK_MEMO_PAIR(AttributeField24, attributeField24, field24)
TARNWICK_MEMO_PAIR(CoreList, coreList, coreList)
TARNWICK_MEMO_PAIR(EdgeList, edgeList, edgeList)
TARNWICK_MEMO_PAIR(LayerStatus, layerStatus, layerStatus)
#undef TARNWICK_MEMO_PAIR

} // namespace tarnwick
