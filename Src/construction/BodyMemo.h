// The memo part of a free form: its bodies as the host's 3D model holds them, and the surface of
// each body part. The host keeps the body itself in its own memo field; this part only reports to
// the memo machinery. Copies share the bodies and the finish list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "elements/Element3D.h"
#include "project/Finish.h"
#include "project/Memo.h"
#include "project/Model.h"

namespace tarnwick {

class BodyMemo : public Memo, public FinishLookup {
public:
    using FinishList = std::vector<uint32_t>; // surface indices, one per body part

    BodyMemo();
    BodyMemo(const BodyMemo&) = default; // shares the bodies and the finish list
    BodyMemo& operator=(const BodyMemo&) = default;
    ~BodyMemo() override;

    bool isValid() const override { return true; }
    // Loads first; true without bodies, otherwise only when the store already holds the host's
    // body field: nothing is written by the memo itself.
    bool writeMemo(MemoStore& store) override;
    // Drops the bodies and stays unloaded: they come from the element's 3D model. False.
    bool readMemo(MemoStore& store) override;
    virtual Element* getOwner() const = 0;
    uint64_t getMemoMask() const { return MemoAll; }

    size_t getBodyCount() const { return m_bodies ? m_bodies->size() : 0; }
    // Empty without bodies; std::out_of_range past the end.
    std::shared_ptr<Body::Data> getBody(size_t index) const;
    std::shared_ptr<BodyDataList> getBodies() const { return m_bodies; }
    // Holds the bodies and a finish per body (its own surface); loaded. The finish list stays the
    // one copies share.
    void setBodies(std::shared_ptr<BodyDataList> bodies);
    size_t getFinishCount() const { return m_finishes->size(); }
    // The surface at the index; the empty surface outside the list.
    Finish getFinish(int64_t index) const;
    // Writes the surface's index inside the list; nothing outside it.
    void setFinish(const Finish& finish, int64_t index);
    Finish lookupFinish(int32_t index) const override { return getFinish(index); }

private:
    std::shared_ptr<BodyDataList> m_bodies;
    std::shared_ptr<FinishList> m_finishes;
};

} // namespace tarnwick
