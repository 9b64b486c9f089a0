#include "construction/BodyMemo.h"

#include "construction/ConstructionHelpers.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

BodyMemo::BodyMemo() : m_finishes(std::make_shared<FinishList>()) {}

BodyMemo::~BodyMemo() = default;

bool BodyMemo::writeMemo(MemoStore& store) {
    if (!isLoaded())
        if (Element* owner = getOwner())
            (void)ensureLoaded(*owner); // the bodies come from the model, not a store
    if (getBodyCount() == 0) return true;
    return store.getFreeFormBody() != nullptr;
}

bool BodyMemo::readMemo(MemoStore&) {
    m_loaded = false;
    m_bodies.reset();
    return false;
}

std::shared_ptr<Body::Data> BodyMemo::getBody(size_t index) const {
    if (!m_bodies) return nullptr;
    checkIndex(index, m_bodies->size());
    return (*m_bodies)[index];
}

void BodyMemo::setBodies(std::shared_ptr<BodyDataList> bodies) {
    m_bodies = std::move(bodies);
    m_finishes->clear();
    if (m_bodies)
        for (const std::shared_ptr<Body::Data>& body : *m_bodies)
            m_finishes->push_back(body ? body->material : 0);
    m_loaded = true;
}

Finish BodyMemo::getFinish(int64_t index) const {
    if (index < 0 || static_cast<uint64_t>(index) >= m_finishes->size()) return Finish();
    return Finish(
        AttributeLink(static_cast<int16_t>((*m_finishes)[static_cast<size_t>(index)]), AttrSurface));
}

void BodyMemo::setFinish(const Finish& finish, int64_t index) {
    if (index < 0 || static_cast<uint64_t>(index) >= m_finishes->size()) return;
    (*m_finishes)[static_cast<size_t>(index)] = finish.getIndex();
}

} // namespace tarnwick
