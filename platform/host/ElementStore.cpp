#include "ElementStore.h"

#include <algorithm>
#include <cstring>

#include "BeamColumnParts.h"
#include "CurtainWallParts.h"
#include "LabelParts.h"
#include "LibraryPartPlacement.h"
#include "LineWork.h"
#include "MeshParts.h"
#include "OpeningParts.h"
#include "ProfileParts.h"
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

template <class Map> void forgetIn(Map& map, const API_Guid& guid) {
    for (auto it = map.begin(); it != map.end();) {
        if (it->first.first == guid || it->first.second == guid)
            it = map.erase(it);
        else
            ++it;
    }
}
} // namespace

bool GuidLess::operator()(const API_Guid& a, const API_Guid& b) const {
    return std::lexicographical_compare(std::begin(a.words), std::end(a.words), std::begin(b.words),
                                        std::end(b.words));
}

size_t GuidHash::operator()(const API_Guid& guid) const noexcept {
    uint64_t hash = (uint64_t(guid.words[0]) << 32 | guid.words[1]) ^
                    (uint64_t(guid.words[2]) << 32 | guid.words[3]) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 31;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 29;
    return static_cast<size_t>(hash);
}

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

const StoredElement* ElementStore::find(const API_Guid& guid) const {
    auto it = m_elements.find(guid);
    return it == m_elements.end() ? nullptr : it->second.get();
}

StoredElement* ElementStore::edit(const API_Guid& guid) {
    auto it = m_elements.find(guid);
    if (it == m_elements.end()) return nullptr;
    if (it->second.use_count() > 1) it->second = std::make_shared<StoredElement>(*it->second);
    return it->second.get();
}

bool ElementStore::add(StoredElement element) {
    const API_Guid guid = element.guid();
    if (guid.isNull() || m_elements.count(guid) != 0) return false;
    if (element.order != 0 && m_sequence.count(element.order) != 0) return false;
    if (element.order == 0)
        element.order = m_nextOrder++;
    else
        m_nextOrder = std::max(m_nextOrder, element.order + 1);
    m_sequence.emplace(element.order, guid);
    m_elements.emplace(guid, std::make_shared<StoredElement>(std::move(element)));
    return true;
}

bool ElementStore::remove(const API_Guid& guid) {
    auto it = m_elements.find(guid);
    if (it == m_elements.end()) return false;
    m_sequence.erase(it->second->order);
    m_elements.erase(it);
    return true;
}

std::vector<const StoredElement*> ElementStore::inOrder() const {
    std::vector<const StoredElement*> elements;
    elements.reserve(m_sequence.size());
    for (const auto& [order, guid] : m_sequence)
        elements.push_back(m_elements.find(guid)->second.get());
    return elements;
}

bool ElementStore::operator==(const ElementStore& other) const {
    if (m_elements.size() != other.m_elements.size()) return false;
    for (const auto& [guid, element] : m_elements) {
        const StoredElement* theirs = other.find(guid);
        if (theirs == nullptr || !(*theirs == *element)) return false;
    }
    return true;
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

bool ElementRelations::PairLess::operator()(const Pair& a, const Pair& b) const {
    GuidLess less;
    if (less(a.first, b.first)) return true;
    if (less(b.first, a.first)) return false;
    return less(a.second, b.second);
}

void ElementRelations::forget(const API_Guid& guid) {
    forgetIn(links, guid);
    forgetIn(relationCodes, guid);
    forgetIn(associations, guid);
}

} // namespace zavhost
