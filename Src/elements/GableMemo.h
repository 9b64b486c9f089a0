// The roof gables that cut a placed part (memo part 2). They are left as the host keeps them: the
// memo reads nothing and writes nothing, so that a change of the element never replaces them.
#pragma once

#include <cstdint>

#include "elements/Memo.h"
#include "platform/api/ElementRecords.h"

namespace tarnwick {

class GableMemo : public Memo {
public:
    static constexpr uint64_t MemoMask = MemoGables;

    GableMemo() = default;
    GableMemo(const GableMemo&) = default;
    GableMemo& operator=(const GableMemo&) = default;
    ~GableMemo() override = default;

    bool isValid() const override { return true; }
    // The owner element's load with this part's mask.
    void load(Element& owner, MemoStore*& store) override;
    // Nothing is written, so the host keeps its gables.
    bool writeMemo(MemoStore&) override { return true; }
    bool readMemo(MemoStore&) override {
        m_loaded = true;
        return true;
    }
};

} // namespace tarnwick
