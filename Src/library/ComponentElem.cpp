#include "library/ComponentElem.h"

#include "elements/MemoStore.h"
#include "library/Library.h"
#include "platform/api/ParameterRecords.h"

namespace tarnwick {

ComponentElem::ComponentElem(const ElementLink& link, const ComponentLink& component)
    : Element(link), m_component(component) {}

ComponentElem::ComponentElem(const ComponentElem& other)
    : Element(other), ComponentParameterMemo(other), GableMemo(other), m_component(other.m_component) {}

ComponentElem::~ComponentElem() = default;

void ComponentElem::mergeChanges(const Element& changed, const Element& reference) {
    const auto* edited = dynamic_cast<const ComponentElem*>(&changed);
    const auto* before = dynamic_cast<const ComponentElem*>(&reference);
    if (edited != nullptr && before != nullptr && !(edited->m_component == before->m_component))
        setComponentLink(edited->m_component, false, false);
    Element::mergeChanges(changed, reference);
    if (edited != nullptr && before != nullptr)
        mergeChanges(static_cast<const Memo&>(static_cast<const GableMemo&>(*edited)),
                     static_cast<const Memo&>(static_cast<const GableMemo&>(*before)));
}

void ComponentElem::mergeChanges(const Memo& changed, const Memo& reference) {
    const auto* edited = dynamic_cast<const ComponentElem*>(&changed);
    const auto* before = dynamic_cast<const ComponentElem*>(&reference);
    if (edited == nullptr || before == nullptr) return;
    ComponentParameterMemo::mergeChanges(
        static_cast<const Memo&>(static_cast<const ParameterMemo&>(*edited)),
        static_cast<const Memo&>(static_cast<const ParameterMemo&>(*before)));
    GableMemo::mergeChanges(static_cast<const Memo&>(static_cast<const GableMemo&>(*edited)),
                            static_cast<const Memo&>(static_cast<const GableMemo&>(*before)));
}

void ComponentElem::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended()) {
        if (!GableMemo::isLoaded()) mask |= GableMemo::MemoMask;
        if (!ParameterMemo::isLoaded()) mask |= ParameterMemo::MemoMask;
    }
    mask &= GableMemo::MemoMask | ParameterMemo::MemoMask;
    if (mask == 0) return;
    if (store == nullptr && getLink().hasGuid()) (void)fetchMemo(mask, store);
    if (store == nullptr) {
        if ((mask & ParameterMemo::MemoMask) == 0) {
            GableMemo::setLoaded(true);
            return;
        }
        // A new element: its part's defaults stand for the memo it does not have yet.
        store = new ElementMemoStore();
        (void)loadPartDefaults(*store, false);
    }
    if ((mask & GableMemo::MemoMask) != 0) (void)GableMemo::readMemo(*store);
    if ((mask & ParameterMemo::MemoMask) != 0) (void)ParameterMemo::readMemo(*store);
}

ElementMemoPtr ComponentElem::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!GableMemo::writeMemo(store) || !ParameterMemo::writeMemo(store)) return nullptr;
    if (store.getParameters() != nullptr) mask |= ParameterMemo::MemoMask;
    if (store.getGables() != nullptr) mask |= GableMemo::MemoMask;
    return ElementMemoPtr(store.release());
}

void ComponentElem::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    m_component = link;
    m_source.reset();
    releaseElement3D();
    reloadDefaults(resetSizes, loadParameters, false);
}

void ComponentElem::fillOwnerRecord(HostParameterOwner& record) const {
    record.libIndex = m_component.getIndex();
    record.guid = getGuid().toAPI();
}

ComponentSource* ComponentElem::getSource() {
    if (!m_source && m_component.getLibrary() != nullptr)
        m_source = m_component.getLibrary()->getSource(m_component);
    return m_source.get();
}

} // namespace tarnwick
