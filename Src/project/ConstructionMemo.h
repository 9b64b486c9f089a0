// The cores and edges of a composite structure, kept in its attribute's extension block: valid
// only with both lists and one edge more than cores. The attribute that embeds it loads it
// (loadOwn); alone it stays unloaded until read from a store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "platform/api/CompositeRecords.h"
#include "project/Memo.h"

namespace tarnwick {

class ConstructionMemo : public Memo {
public:
    using Core = HostCompositeCore;
    using Edge = HostCompositeEdge;
    class CoreList : public Vector<Core> {};
    class EdgeList : public Vector<Edge> {};

    static constexpr uint64_t Mask = 0x7FFFFFFBFFFFFFFull;

    ConstructionMemo() = default;
    ConstructionMemo(const ConstructionMemo& other); // deep
    ConstructionMemo& operator=(const ConstructionMemo& other);
    ~ConstructionMemo() override = default;

    bool isValid() const override { return m_cores != nullptr && m_edges != nullptr; }
    // Loads through loadOwn.
    void load(Element&, MemoStore*& store) override { loadOwn(store); }
    // False, writing nothing, unless valid.
    bool writeMemo(MemoStore& store) override;
    // False, with the lists absent, for fewer than 16 core bytes or edges other than cores + 1.
    bool readMemo(MemoStore& store) override;
    virtual uint64_t getMask() const { return Mask; }

    // 0 and null when not loaded or past the end.
    size_t getCoreCount();
    Core* getCore(size_t index);
    const Core* getCore(size_t index) const;
    size_t getEdgeCount();
    Edge* getEdge(size_t index);
    const Edge* getEdge(size_t index) const;
    // Replaces the core at the index; past the end or without cores the record is not taken.
    void setCore(std::unique_ptr<Core> core, size_t index);

private:
    std::unique_ptr<CoreList> m_cores;
    std::unique_ptr<EdgeList> m_edges;
};

} // namespace tarnwick
