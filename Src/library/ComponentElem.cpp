#include "library/ComponentElem.h"

#include "Environment/HostCalls.h"
#include "library/Library.h"
#include "library/ParameterListPopulator.h"
#include "platform/api/ParameterRecords.h"
#include "platform/gsroot/UniString.h"
#include "project/MemoStore.h"

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
        if (!GableMemo::isLoaded() || !GableMemo::isValid()) mask |= GableMemo::MemoMask;
        if (!ParameterMemo::isLoaded() || !ParameterMemo::isValid()) mask |= ParameterMemo::MemoMask;
    }
    const uint64_t parts = mask & (GableMemo::MemoMask | ParameterMemo::MemoMask);
    if (parts == 0) return;
    if (store == nullptr && getLink().hasGuid() && !fetchMemo(mask, store)) return;
    if (store == nullptr) {
        if ((parts & ParameterMemo::MemoMask) == 0) {
            GableMemo::setLoaded(true);
            return;
        }
        // A new element: its part's defaults stand for the memo it does not have yet.
        store = new ElementMemoStore();
        (void)loadPartDefaults(*store, false);
    }
    if ((parts & GableMemo::MemoMask) != 0) (void)GableMemo::readMemo(*store);
    if ((parts & ParameterMemo::MemoMask) != 0) (void)ParameterMemo::readMemo(*store);
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

bool ComponentElem::loadDefaultParameters(bool sameLibraryPartOnly, bool keepSizeParameters, bool resizeRows,
                                          bool resizeColumns) {
    auto record = std::make_unique<API_Element>();
    ElementMemoPtr memo = makeElementMemo();
    if (!getDefaults(*record, memo.get())) return false;
    ElementMemoStore store(memo.release());
    if (sameLibraryPartOnly && partIndexOf(*record) != m_component.getIndex()) return true;
    ParameterListPopulator populator(getParameterList());
    (void)populator.populate(store, keepSizeParameters, resizeRows, resizeColumns);
    return true;
}

void ComponentElem::fillOwnerRecord(HostParameterOwner& record) const {
    record.libIndex = m_component.getIndex();
    record.typeCode = getElementID();
    if (isValid()) {
        record.guid = getGuid().toAPI();
    } else {
        record.variation = getVariation();
        record.newElement = 1;
    }
}

ComponentSource* ComponentElem::getSource() {
    if (!m_source && m_component.getLibrary() != nullptr)
        m_source = m_component.getLibrary()->getSource(m_component);
    return m_source.get();
}

FamilyGuid ComponentElem::getOwnUnId() {
    ComponentSource* source = getSource();
    return source != nullptr ? source->getOwnUnId() : FamilyGuid();
}

FamilyGuid ComponentElem::getParentUnId() {
    ComponentSource* source = getSource();
    return source != nullptr ? source->getParentUnId() : FamilyGuid();
}

String ComponentElem::getLibraryPartName() {
    if (ComponentSource* source = getSource()) return source->getName();
    API_Guid guid = getGuid().toAPI();
    GS::UniString name;
    if (ACAPUtilityCall(fourCC("GULN"), &guid, &name) != hosterr::Ok) return String();
    return String(name);
}

bool ComponentElem::refresh() const {
    HostElementHead header;
    getLink().writeHeader(header, true);
    return ACAPDatabaseCall(fourCC("RFSH"), &header) == hosterr::Ok;
}

} // namespace tarnwick
