#include "StoreyList.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

StoreyList StoreyList::withDefaults() {
    StoreyList list;
    list.m_storeys = {{0, 0, 0.0, "Ground Floor", 0}, {1, 1, 3.0, "First Floor", 0}};
    return list;
}

const StoredStorey* StoreyList::find(int16_t index) const {
    for (const StoredStorey& storey : m_storeys)
        if (storey.index == index) return &storey;
    return nullptr;
}

const StoredStorey* StoreyList::findNamed(const std::string& name) const {
    for (const StoredStorey& storey : m_storeys)
        if (storey.name == name) return &storey;
    return nullptr;
}

bool StoreyList::setCurrent(int16_t index) {
    if (find(index) == nullptr) return false;
    m_current = index;
    return true;
}

bool StoreyList::add(const std::string& name, double level, std::string* why) {
    if (m_storeys.empty()) return add(name, level, 0, why);
    if (level > m_storeys.back().level) {
        if (m_storeys.back().index == INT16_MAX) return *why = "no storey index is left above", false;
        return add(name, level, static_cast<int16_t>(m_storeys.back().index + 1), why);
    }
    if (level < m_storeys.front().level) {
        if (m_storeys.front().index == INT16_MIN) return *why = "no storey index is left below", false;
        return add(name, level, static_cast<int16_t>(m_storeys.front().index - 1), why);
    }
    *why = "a storey between others needs its index";
    return false;
}

bool StoreyList::add(const std::string& name, double level, int16_t index, std::string* why) {
    if (!std::isfinite(level)) return *why = "the level is not a number", false;
    if (find(index) != nullptr) return *why = "storey " + std::to_string(index) + " exists already", false;
    for (const StoredStorey& storey : m_storeys)
        if (storey.level == level) return *why = "another storey is at that level", false;
    StoredStorey storey{index, index, level, name, 0};
    auto at = std::find_if(m_storeys.begin(), m_storeys.end(),
                           [level](const StoredStorey& other) { return other.level > level; });
    m_storeys.insert(at, std::move(storey));
    if (m_storeys.size() == 1) m_current = index;
    return true;
}

bool StoreyList::fill(HostStoreyInfo* info) const {
    *info = HostStoreyInfo();
    info->currentStorey = static_cast<uint16_t>(m_current);
    GSHandle entries = BMNewHandle(static_cast<GSSize>((m_storeys.size() + 1) * sizeof(HostStoreyEntry)));
    if (entries == nullptr) return false;
    auto* out = reinterpret_cast<HostStoreyEntry*>(*entries);
    size_t at = 0;
    for (const StoredStorey& storey : m_storeys) {
        HostStoreyEntry entry;
        entry.index = storey.index;
        entry.floorNumber = storey.floorNumber;
        entry.level = storey.level;
        std::u16string name = GS::Utf8ToUtf16(storey.name).substr(0, 255);
        std::memcpy(entry.name, name.data(), name.size() * sizeof(char16_t));
        entry.flag = storey.flag;
        std::memcpy(static_cast<void*>(out + at++), &entry, sizeof entry);
    }
    // The closing entry: the top storey's ceiling.
    HostStoreyEntry top;
    if (!m_storeys.empty()) {
        top.index = static_cast<int16_t>(m_storeys.back().index + 1);
        top.floorNumber = top.index;
        top.level = m_storeys.back().level + m_topHeight;
    }
    std::memcpy(static_cast<void*>(out + at), &top, sizeof top);
    info->storeys = entries;
    return true;
}

bool StoreyList::restore(std::vector<StoredStorey> storeys, int16_t current, double topHeight) {
    if (!std::isfinite(topHeight) || topHeight < 0) return false;
    for (size_t i = 0; i < storeys.size(); ++i) {
        if (!std::isfinite(storeys[i].level)) return false;
        if (i > 0 && !(storeys[i - 1].level < storeys[i].level)) return false;
        for (size_t j = 0; j < i; ++j)
            if (storeys[j].index == storeys[i].index) return false;
    }
    StoreyList list;
    list.m_storeys = std::move(storeys);
    list.m_topHeight = topHeight;
    if (!list.m_storeys.empty() && !list.setCurrent(current)) return false;
    *this = std::move(list);
    return true;
}

} // namespace zavhost
