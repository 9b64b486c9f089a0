// A typed front of one host memo block, so that each memo part reads and writes only its own
// fields, and the same memo code can read from one block and write into another. Each field is a
// pair of operations: its value (read from the source block) and its address (in the target
// block, where a new handle goes). A store that lacks a field throws std::bad_alloc ("bad
// allocation") from both operations of its pair.
#pragma once

#include <cstdint>

#include "Environment/NonCopyable.h"
#include "platform/api/AttributeRecords.h"
#include "platform/api/ElementRecords.h"

namespace tarnwick {

// The handle fields, in the order of the pairs.
#define TARNWICK_MEMO_HANDLE_FIELDS(X)                                                                       \
    X(Coordinates, coordinates)                                                                              \
    X(SubPolygonEnds, subPolygonEnds)                                                                        \
    X(Arcs, arcs)                                                                                            \
    X(VertexIds, vertexIds)                                                                                  \
    X(Parameters, parameters)                                                                                \
    X(Gables, gables)                                                                                        \
    X(Field64, field64)                                                                                      \
    X(VertexDoubles, vertexDoubles)                                                                          \
    X(Field80, field80)                                                                                      \
    X(Field88, field88)                                                                                      \
    X(DimensionPoints, dimensionPoints)                                                                      \
    X(SplineDirections, splineDirections)                                                                    \
    X(TextContent, textContent)                                                                              \
    X(LineStarts, lineStarts)                                                                                \
    X(Field128, field128)                                                                                    \
    X(Field136, field136)                                                                                    \
    X(Picture, picture)                                                                                      \
    X(Paragraphs, paragraphs)                                                                                \
    X(DrawingDataBlock, drawingDataBlock)                                                                    \
    X(AttributeField0, attributeField0)                                                                      \
    X(AttributeField8, attributeField8)                                                                      \
    X(AttributeField16, attributeField16)                                                                    \
    X(AttributeField24, attributeField24)                                                                    \
    X(CoreList, coreList)                                                                                    \
    X(EdgeList, edgeList)                                                                                    \
    X(LayerStatus, layerStatus)                                                                              \
    X(SectionPoints1, sectionPoints1)                                                                        \
    X(SectionPoints2, sectionPoints2)                                                                        \
    X(SectionPoints3, sectionPoints3)                                                                        \
    X(Field360, field360)                                                                                    \
    X(Field368, field368)                                                                                    \
    X(Field384, field384)                                                                                    \
    X(Field408, field408)                                                                                    \
    X(Field416, field416)                                                                                    \
    X(Field240, field240)                                                                                    \
    X(Field352, field352)                                                                                    \
    X(Field400, field400)                                                                                    \
    X(Field992, field992)                                                                                    \
    X(Field1000, field1000)                                                                                  \
    X(Field1008, field1008)                                                                                  \
    X(Field1016, field1016)                                                                                  \
    X(Field1024, field1024)                                                                                  \
    X(Field1032, field1032)                                                                                  \
    X(Field1056, field1056)                                                                                  \
    X(Field1160, field1160)                                                                                  \
    X(Field1168, field1168)                                                                                  \
    X(Field1176, field1176)                                                                                  \
    X(WindowGuids, windowGuids)                                                                              \
    X(DoorGuids, doorGuids)                                                                                  \
    X(EdgeRecords, edgeRecords)                                                                              \
    X(LevelCoordinates, levelCoordinates)                                                                    \
    X(LevelEnds, levelEnds)                                                                                  \
    X(FreeFormBody, freeFormBody)                                                                            \
    X(PivotCoordinates, pivotCoordinates)                                                                    \
    X(PivotEnds, pivotEnds)                                                                                  \
    X(PivotArcs, pivotArcs)                                                                                  \
    X(PivotVertexIds, pivotVertexIds)

using MemoRecord48 = uint8_t[48];

class MemoStore : NonCopyable {
public:
    MemoStore() = default;
    virtual ~MemoStore() = default;

#define TARNWICK_MEMO_PAIR(Name, name)                                                                       \
    virtual GSHandle get##Name() const;                                                                      \
    virtual GSHandle* name##Address();
    TARNWICK_MEMO_HANDLE_FIELDS(TARNWICK_MEMO_PAIR)
#undef TARNWICK_MEMO_PAIR

    // A 56-byte host pointer block; the address operation makes a zeroed one when there is none.
    virtual GSPtr getSubBlock() const;
    virtual GSPtr* subBlockAddress();
    // An outline's per-edge pointer blocks: u32 values and side-surface overrides.
    virtual GSPtr getEdgeValues() const;
    virtual GSPtr* edgeValuesAddress();
    virtual GSPtr getSideOverrides() const;
    virtual GSPtr* sideOverridesAddress();
    // A multi-plane roof's pivot records, 32 bytes per pivot coordinate.
    virtual GSPtr getPivotRecords() const;
    virtual GSPtr* pivotRecordsAddress();
    // Inline 48-byte records: the value operation copies the source's into out.
    virtual void getRecord256(MemoRecord48& out) const;
    virtual uint8_t* record256Address();
    virtual void getRecord304(MemoRecord48& out) const;
    virtual uint8_t* record304Address();
    // A field reached by its address only.
    virtual GSHandle* field1064Address();
    // A curtain wall's pointer block of the part records of one kind, named by its memo mask bit
    // (MemoCurtainWallSegments ... MemoCurtainWallAccessories); another bit is a missing field.
    virtual GSPtr getPartBlock(uint64_t part) const;
    virtual GSPtr* partBlockAddress(uint64_t part);
};

// A store over one 1192-byte element memo block. It owns the block (a given one or a zeroed new
// one) and, unless released, frees its handles and the block when it goes. Values come from the
// source block when one is given; the section points and the fields at 400, 1008 to 1032, 1168
// and 1176 are always read from the target.
class ElementMemoStore : public MemoStore {
public:
    // Takes the memo block (null: a new zeroed one; throws std::bad_alloc); the source stays the
    // caller's.
    explicit ElementMemoStore(API_ElementMemo* memo = nullptr, const API_ElementMemo* source = nullptr);
    ~ElementMemoStore() override;

    API_ElementMemo* getMemo() const { return m_memo; }
    const API_ElementMemo* getSource() const { return m_source; }
    bool isReleased() const { return m_released; }
    // The block is no longer freed by the store: whoever took it frees it.
    void setReleased(bool released) { m_released = released; }
    // Hands the block over: released, and the block answered.
    API_ElementMemo* release() {
        m_released = true;
        return m_memo;
    }

#define TARNWICK_MEMO_PAIR(Name, name)                                                                       \
    GSHandle get##Name() const override;                                                                     \
    GSHandle* name##Address() override;
    TARNWICK_MEMO_PAIR(Coordinates, coordinates)
    TARNWICK_MEMO_PAIR(SubPolygonEnds, subPolygonEnds)
    TARNWICK_MEMO_PAIR(Arcs, arcs)
    TARNWICK_MEMO_PAIR(VertexIds, vertexIds)
    TARNWICK_MEMO_PAIR(Parameters, parameters)
    TARNWICK_MEMO_PAIR(Gables, gables)
    TARNWICK_MEMO_PAIR(Field64, field64)
    TARNWICK_MEMO_PAIR(VertexDoubles, vertexDoubles)
    TARNWICK_MEMO_PAIR(Field80, field80)
    TARNWICK_MEMO_PAIR(Field88, field88)
    TARNWICK_MEMO_PAIR(DimensionPoints, dimensionPoints)
    TARNWICK_MEMO_PAIR(SplineDirections, splineDirections)
    TARNWICK_MEMO_PAIR(TextContent, textContent)
    TARNWICK_MEMO_PAIR(LineStarts, lineStarts)
    TARNWICK_MEMO_PAIR(Field128, field128)
    TARNWICK_MEMO_PAIR(Field136, field136)
    TARNWICK_MEMO_PAIR(Picture, picture)
    TARNWICK_MEMO_PAIR(Paragraphs, paragraphs)
    TARNWICK_MEMO_PAIR(DrawingDataBlock, drawingDataBlock)
    TARNWICK_MEMO_PAIR(SectionPoints1, sectionPoints1)
    TARNWICK_MEMO_PAIR(SectionPoints2, sectionPoints2)
    TARNWICK_MEMO_PAIR(SectionPoints3, sectionPoints3)
    TARNWICK_MEMO_PAIR(Field360, field360)
    TARNWICK_MEMO_PAIR(Field368, field368)
    TARNWICK_MEMO_PAIR(Field384, field384)
    TARNWICK_MEMO_PAIR(Field408, field408)
    TARNWICK_MEMO_PAIR(Field416, field416)
    TARNWICK_MEMO_PAIR(Field240, field240)
    TARNWICK_MEMO_PAIR(Field352, field352)
    TARNWICK_MEMO_PAIR(Field400, field400)
    TARNWICK_MEMO_PAIR(Field992, field992)
    TARNWICK_MEMO_PAIR(Field1000, field1000)
    TARNWICK_MEMO_PAIR(Field1008, field1008)
    TARNWICK_MEMO_PAIR(Field1016, field1016)
    TARNWICK_MEMO_PAIR(Field1024, field1024)
    TARNWICK_MEMO_PAIR(Field1032, field1032)
    TARNWICK_MEMO_PAIR(Field1056, field1056)
    TARNWICK_MEMO_PAIR(Field1160, field1160)
    TARNWICK_MEMO_PAIR(Field1168, field1168)
    TARNWICK_MEMO_PAIR(Field1176, field1176)
    TARNWICK_MEMO_PAIR(WindowGuids, windowGuids)
    TARNWICK_MEMO_PAIR(DoorGuids, doorGuids)
    TARNWICK_MEMO_PAIR(EdgeRecords, edgeRecords)
    TARNWICK_MEMO_PAIR(LevelCoordinates, levelCoordinates)
    TARNWICK_MEMO_PAIR(LevelEnds, levelEnds)
    TARNWICK_MEMO_PAIR(FreeFormBody, freeFormBody)
    TARNWICK_MEMO_PAIR(PivotCoordinates, pivotCoordinates)
    TARNWICK_MEMO_PAIR(PivotEnds, pivotEnds)
    TARNWICK_MEMO_PAIR(PivotArcs, pivotArcs)
    TARNWICK_MEMO_PAIR(PivotVertexIds, pivotVertexIds)
#undef TARNWICK_MEMO_PAIR

    GSPtr getSubBlock() const override;
    GSPtr* subBlockAddress() override;
    GSPtr getEdgeValues() const override;
    GSPtr* edgeValuesAddress() override;
    GSPtr getSideOverrides() const override;
    GSPtr* sideOverridesAddress() override;
    GSPtr getPivotRecords() const override;
    GSPtr* pivotRecordsAddress() override;
    void getRecord256(MemoRecord48& out) const override;
    uint8_t* record256Address() override;
    void getRecord304(MemoRecord48& out) const override;
    uint8_t* record304Address() override;
    GSHandle* field1064Address() override;
    GSPtr getPartBlock(uint64_t part) const override;
    GSPtr* partBlockAddress(uint64_t part) override;

private:
    API_ElementMemo* m_memo;
    const API_ElementMemo* m_source;
    bool m_released = false;
};

// A store over one 224-byte attribute extension block: values and addresses both come from it.
class AttributeMemoStore : public MemoStore {
public:
    // Takes the block (null: a new zeroed one; throws std::bad_alloc).
    explicit AttributeMemoStore(HostAttributeMemo* block = nullptr);
    ~AttributeMemoStore() override;

    HostAttributeMemo* getBlock() const { return m_block; }
    bool isReleased() const { return m_released; }
    void setReleased(bool released) { m_released = released; }
    HostAttributeMemo* release() {
        m_released = true;
        return m_block;
    }

#define TARNWICK_MEMO_PAIR(Name, name)                                                                       \
    GSHandle get##Name() const override;                                                                     \
    GSHandle* name##Address() override;
    TARNWICK_MEMO_PAIR(Parameters, parameters)
    TARNWICK_MEMO_PAIR(AttributeField0, attributeField0)
    TARNWICK_MEMO_PAIR(AttributeField8, attributeField8)
    TARNWICK_MEMO_PAIR(AttributeField16, attributeField16)
    TARNWICK_MEMO_PAIR(AttributeField24, attributeField24)
    TARNWICK_MEMO_PAIR(CoreList, coreList)
    TARNWICK_MEMO_PAIR(EdgeList, edgeList)
    TARNWICK_MEMO_PAIR(LayerStatus, layerStatus)
#undef TARNWICK_MEMO_PAIR

private:
    HostAttributeMemo* m_block;
    bool m_released = false;
};

// Owns the store a memo load fetches: loadMemo fills the pointer that `slot` hands out, and the
// store is deleted when the holder goes, also when the load throws.
class MemoStoreHolder : NonCopyable {
public:
    MemoStoreHolder() = default;
    ~MemoStoreHolder() { delete m_store; }

    MemoStore*& slot() { return m_store; }
    MemoStore* get() const { return m_store; }

private:
    MemoStore* m_store = nullptr;
};

// Frees an attribute extension block made by an AttributeMemoStore and released from it, with its
// handles; null does nothing. It runs in destructors, so what the host throws meanwhile goes no
// further.
void freeAttributeMemoBlock(HostAttributeMemo* block) noexcept;

} // namespace tarnwick
