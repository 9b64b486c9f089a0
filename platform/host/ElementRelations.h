// Links, relation codes and associations between elements, each keyed by (element, other), with
// the entries that name an element as the other kept apart, so that an element's deletion finds
// its entries without a look at all of them. Copies share their entries (PersistentMap.h).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "ElementStore.h"
#include "PersistentMap.h"

namespace zavhost {

using GuidPair = std::pair<API_Guid, API_Guid>;

struct GuidPairLess {
    bool operator()(const GuidPair& a, const GuidPair& b) const {
        GuidLess less;
        if (less(a.first, b.first)) return true;
        if (less(b.first, a.first)) return false;
        return less(a.second, b.second);
    }
};

// One kind of relation: (element, other) -> value, in order of the pair.
template <class Value> class RelationMap {
public:
    using Entries = PersistentMap<GuidPair, Value, GuidPairLess>;

    const Value* find(const GuidPair& pair) const { return m_entries.get(pair); }
    size_t count(const GuidPair& pair) const { return m_entries.count(pair); }
    // Sets the value, whether the pair had one or not.
    void set(const GuidPair& pair, Value value) {
        if (m_entries.get(pair) == nullptr) m_others.insert({pair.second, pair.first}, true);
        m_entries.assign(pair, std::move(value));
    }
    // Adds the entry; false (and no change) when the pair has one.
    bool add(const GuidPair& pair, Value value) {
        if (!m_entries.insert(pair, std::move(value))) return false;
        m_others.insert({pair.second, pair.first}, true);
        return true;
    }
    size_t erase(const GuidPair& pair) {
        if (m_entries.erase(pair) == 0) return 0;
        m_others.erase({pair.second, pair.first});
        return 1;
    }
    // The others of the element's entries, in order.
    std::vector<API_Guid> othersOf(const API_Guid& guid) const { return firstsFrom(m_entries, guid); }
    // The elements of the entries whose other is the Guid, in order.
    std::vector<API_Guid> elementsNaming(const API_Guid& guid) const { return firstsFrom(m_others, guid); }
    // Drops every entry that names the element, either way round.
    void forget(const API_Guid& guid) {
        for (const API_Guid& other : othersOf(guid))
            erase({guid, other});
        for (const API_Guid& element : elementsNaming(guid))
            erase({element, guid});
    }

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    typename Entries::const_iterator begin() const { return m_entries.begin(); }
    typename Entries::const_iterator end() const { return m_entries.end(); }
    bool operator==(const RelationMap& other) const { return m_entries == other.m_entries; }

private:
    // The second Guids of the entries whose first is the Guid, in order.
    template <class Map> static std::vector<API_Guid> firstsFrom(const Map& map, const API_Guid& guid) {
        std::vector<API_Guid> found;
        // The null Guid sorts first, so the entries of the Guid start here.
        for (auto it = map.lower_bound({guid, API_Guid()}); it != map.end() && it->first.first == guid; ++it)
            found.push_back(it->first.second);
        return found;
    }

    Entries m_entries;
    PersistentMap<GuidPair, bool, GuidPairLess> m_others; // (other, element) of each entry
};

struct ElementRelations {
    using Pair = GuidPair;
    RelationMap<uint32_t> links;                             // owner, linked -> flags
    RelationMap<uint32_t> relationCodes;                     // element, other -> four-character code
    RelationMap<std::pair<uint32_t, uint32_t>> associations; // flags, sub-flags

    // Drops every entry that names the element.
    void forget(const API_Guid& guid) {
        links.forget(guid);
        relationCodes.forget(guid);
        associations.forget(guid);
    }
    bool operator==(const ElementRelations&) const = default;
};

} // namespace zavhost
