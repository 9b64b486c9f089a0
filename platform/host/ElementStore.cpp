#include "ElementStore.h"

#include <algorithm>
#include <cstring>

#include "BeamColumnParts.h"
#include "CurtainWallParts.h"
#include "ElementTypes.h"
#include "LabelParts.h"
#include "LibraryPartPlacement.h"
#include "LineWork.h"
#include "MeshParts.h"
#include "OpeningParts.h"
#include "ProfileParts.h"
#include "RecordFields.h"
#include "SkylightParts.h"
#include "SlabParts.h"
#include "TextBlocks.h"
#include "WallParts.h"
#include "ZoneParts.h"
#include "platform/gsroot/Guid.h"

namespace zavhost {

namespace {
bool sameRecord(const API_Element& a, const API_Element& b) {
    return std::memcmp(a.raw, b.raw, sizeof a.raw) == 0;
}
} // namespace

API_Guid newGuid() {
    GS::Guid guid;
    guid.Generate();
    return guid.ToAPI();
}

bool StoredElement::operator==(const StoredElement& other) const {
    return sameRecord(record, other.record) && memo == other.memo && userData == other.userData &&
           roofPlanes == other.roofPlanes && infoText == other.infoText && switchedOff == other.switchedOff &&
           order == other.order && nodes.size() == other.nodes.size() &&
           std::equal(nodes.begin(), nodes.end(), other.nodes.begin(),
                      [](const auto& p, const auto& q) { return p.x == q.x && p.y == q.y && p.z == q.z; });
}

ElementStore::ElementStore(const ElementStore& other) {
    *this = other;
}

ElementStore& ElementStore::operator=(const ElementStore& other) {
    if (this == &other) return *this;
    // A copy starts with its holders settled, so that the two never settle the same change.
    other.settleHolders();
    m_byOrder = other.m_byOrder;
    m_index = other.m_index;
    m_held = other.m_held;
    m_holders = other.m_holders;
    m_changed.clear();
    m_nextOrder = other.m_nextOrder;
    return *this;
}

bool ElementStore::HeldLess::operator()(const std::pair<API_Guid, uint64_t>& a,
                                        const std::pair<API_Guid, uint64_t>& b) const {
    GuidLess less;
    if (less(a.first, b.first)) return true;
    if (less(b.first, a.first)) return false;
    return a.second < b.second;
}

const StoredElement* ElementStore::find(const API_Guid& guid) const {
    const Entry* entry = m_index.get(guid);
    return entry == nullptr ? nullptr : entry->element;
}

StoredElement* ElementStore::edit(const API_Guid& guid) {
    const Entry* entry = m_index.get(guid);
    if (entry == nullptr) return nullptr;
    std::shared_ptr<StoredElement>& held = *m_byOrder.edit(entry->order);
    if (held.use_count() > 1) {
        held = std::make_shared<StoredElement>(*held);
        m_index.edit(guid)->element = held.get();
    }
    m_changed.push_back(guid);
    return held.get();
}

bool ElementStore::add(StoredElement element) {
    const API_Guid guid = element.guid();
    if (guid.isNull() || m_index.contains(guid)) return false;
    if (element.order != 0 && m_byOrder.contains(element.order)) return false;
    if (element.order == 0)
        element.order = m_nextOrder++;
    else
        m_nextOrder = std::max(m_nextOrder, element.order + 1);
    const API_Guid holder = holderOf(element);
    Entry entry;
    entry.order = element.order;
    auto held = std::make_shared<StoredElement>(std::move(element));
    entry.element = held.get();
    m_byOrder.insert(entry.order, std::move(held));
    m_index.insert(guid, entry);
    if (!holder.isNull()) {
        m_held.insert({holder, entry.order}, guid);
        m_holders.insert(guid, holder);
    }
    return true;
}

bool ElementStore::remove(const API_Guid& guid) {
    const Entry* entry = m_index.get(guid);
    if (entry == nullptr) return false;
    if (const API_Guid* holder = m_holders.get(guid)) {
        m_held.erase({*holder, entry->order});
        m_holders.erase(guid);
    }
    m_byOrder.erase(entry->order);
    m_index.erase(guid);
    return true;
}

std::vector<const StoredElement*> ElementStore::inOrder() const {
    std::vector<const StoredElement*> elements;
    elements.reserve(m_byOrder.size());
    for (const auto& [order, element] : m_byOrder)
        elements.push_back(element.get());
    return elements;
}

void ElementStore::settleHolders() const {
    for (const API_Guid& guid : m_changed) {
        const Entry* entry = m_index.get(guid);
        if (entry == nullptr) continue; // removed since
        const API_Guid holder = holderOf(*entry->element);
        const API_Guid* was = m_holders.get(guid);
        if (was != nullptr ? *was == holder : holder.isNull()) continue;
        if (was != nullptr) m_held.erase({*was, entry->order});
        if (holder.isNull()) {
            m_holders.erase(guid);
        } else {
            m_held.insert({holder, entry->order}, guid);
            m_holders.assign(guid, holder);
        }
    }
    m_changed.clear();
}

std::vector<const StoredElement*> ElementStore::heldBy(const API_Guid& holder) const {
    settleHolders();
    std::vector<const StoredElement*> held;
    for (auto it = m_held.lower_bound({holder, 0}); it != m_held.end() && it->first.first == holder; ++it)
        held.push_back(find(it->second));
    return held;
}

void ElementStore::differences(
    const ElementStore& before, const ElementStore& after,
    const std::function<void(const StoredElement* before, const StoredElement* after)>& report) {
    decltype(m_byOrder)::differences(
        before.m_byOrder, after.m_byOrder,
        [&](uint64_t, const std::shared_ptr<StoredElement>* was, const std::shared_ptr<StoredElement>* is) {
            report(was != nullptr ? was->get() : nullptr, is != nullptr ? is->get() : nullptr);
        },
        [](const std::shared_ptr<StoredElement>& a, const std::shared_ptr<StoredElement>& b) {
            return a == b;
        });
}

bool ElementStore::operator==(const ElementStore& other) const {
    if (size() != other.size()) return false;
    bool same = true;
    m_index.forEach([&](const API_Guid& guid, const Entry& entry) {
        const StoredElement* theirs = other.find(guid);
        same = same && theirs != nullptr && *theirs == *entry.element;
    });
    return same;
}

API_Guid holderOf(const StoredElement& element) {
    const uint32_t type = element.head().typeCode;
    if (isWallOpening(type)) return partOf<HostJoineryElement>(element.record).ownerGuid;
    if (type == SkylightTypeCode) return partOf<HostSkylightElement>(element.record).ownerGuid;
    if (isCurtainWallPart(type)) return curtainWallOwnerOf(element.record);
    if (type == ProxyTypeCode) {
        const HostProxyElement proxy = partOf<HostProxyElement>(element.record);
        if (proxy.showsElement != 0) return proxy.elementGuid;
    }
    return API_Guid();
}

bool DefaultElement::operator==(const DefaultElement& other) const {
    return sameRecord(record, other.record) && memo == other.memo && userData == other.userData;
}

DefaultElement DefaultElements::get(uint32_t type, uint32_t variation) const {
    auto it = m_defaults.find({type, variation});
    if (it != m_defaults.end()) return it->second;
    DefaultElement made;
    made.record.head.typeCode = type;
    made.record.head.variation = variation;
    made.record.head.layer = 1;
    if (type == TextTypeCode) setDefaultTextSettings(made.record);
    setDefaultLineWork(made.record);
    setDefaultWallSettings(made.record);
    setDefaultOpeningSettings(made.record);
    setDefaultSlabSettings(made.record);
    if (setDefaultMeshSettings(made.record) && type == FreeFormTypeCode) made.memo = defaultFreeFormMemo();
    setDefaultProfileSettings(made.record);
    setDefaultCurtainWallSettings(made.record);
    setDefaultBeamSettings(made.record);
    setDefaultColumnSettings(made.record);
    setDefaultSkylightSettings(made.record);
    setDefaultLampSettings(made.record);
    if (type == DoorTypeCode) made.memo = makeDefaultDoorMemo(made.record);
    if (setDefaultZoneSettings(made.record)) made.memo = defaultZoneMemo();
    if (type == LabelTypeCode) {
        setDefaultLabelSettings(made.record);
        made.memo = makeLabelMemo(DefaultLabelText, made.record);
    }
    return made;
}

DefaultElement& DefaultElements::edit(uint32_t type, uint32_t variation) {
    auto it = m_defaults.find({type, variation});
    if (it == m_defaults.end()) it = m_defaults.emplace(Key{type, variation}, get(type, variation)).first;
    return it->second;
}

} // namespace zavhost
