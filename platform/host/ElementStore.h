// The elements of one view database: records as given (the host owns the head's identity), memos
// and add-on user data as bytes, the info text and node points. Elements are shared between
// copies of the store until one copy changes them, so that an undo step's copy of the project is
// cheap.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "StoredBlocks.h"
#include "platform/api/ElementRecords.h"

namespace zavhost {

struct GuidLess {
    bool operator()(const API_Guid& a, const API_Guid& b) const;
};
// Guids are random, but a generator may fill only some words: every word goes into the hash.
struct GuidHash {
    size_t operator()(const API_Guid& guid) const noexcept;
};
API_Guid newGuid();

// One plane of a multi-plane roof as the host's split hands it out: a single-plane roof's record
// and memo.
struct StoredRoofPlane {
    API_Element record;
    StoredMemo memo;
    bool operator==(const StoredRoofPlane& other) const;
};

struct StoredElement {
    API_Element record;
    StoredMemo memo;
    std::vector<StoredRoofPlane> roofPlanes; // a multi-plane roof's planes, in the split's order
    std::optional<StoredUserData> userData;
    std::string infoText;           // the element's ID text
    std::vector<HostCoord3D> nodes; // when empty, the nodes come from the memo's coordinates
    bool switchedOff = false;
    uint64_t order = 0; // creation order in its database

    const HostElementHead& head() const { return record.head; }
    const API_Guid& guid() const { return record.head.guid; }
    bool operator==(const StoredElement& other) const;
};

class ElementStore {
public:
    const StoredElement* find(const API_Guid& guid) const;
    // The element for changing; a copy shared with another store is copied first.
    StoredElement* edit(const API_Guid& guid);
    // Adds under the head's Guid, in creation order; false when the Guid is null or taken.
    bool add(StoredElement element);
    bool remove(const API_Guid& guid);
    size_t size() const { return m_elements.size(); }
    std::vector<const StoredElement*> inOrder() const;

    bool operator==(const ElementStore& other) const;

private:
    // Looked up by Guid on every call the module makes, so hashed; the order the host promises
    // (creation order) is kept apart.
    std::unordered_map<API_Guid, std::shared_ptr<StoredElement>, GuidHash> m_elements;
    std::map<uint64_t, API_Guid> m_sequence; // creation order -> element
    uint64_t m_nextOrder = 1;
};

// The default element of each type and variation, as the tools would place it.
struct DefaultElement {
    API_Element record;
    StoredMemo memo;
    std::optional<StoredUserData> userData;

    bool operator==(const DefaultElement& other) const;
};

class DefaultElements {
public:
    using Key = std::pair<uint32_t, uint32_t>; // type, variation
    // The stored default, or a new one: the type and variation, on the default layer (1).
    DefaultElement get(uint32_t type, uint32_t variation) const;
    DefaultElement& edit(uint32_t type, uint32_t variation);
    const std::map<Key, DefaultElement>& all() const { return m_defaults; }
    bool operator==(const DefaultElements&) const = default;

private:
    std::map<Key, DefaultElement> m_defaults;
};

// Links, relation codes and associations between elements, each keyed by (element, other).
class ElementRelations {
public:
    using Pair = std::pair<API_Guid, API_Guid>;
    struct PairLess {
        bool operator()(const Pair& a, const Pair& b) const;
    };
    std::map<Pair, uint32_t, PairLess> links;         // owner, linked -> flags
    std::map<Pair, uint32_t, PairLess> relationCodes; // element, other -> four-character code
    std::map<Pair, std::pair<uint32_t, uint32_t>, PairLess> associations; // flags, sub-flags

    // The others of every entry whose first element is the Guid, in order.
    template <class Map> static std::vector<API_Guid> othersOf(const Map& map, const API_Guid& guid) {
        std::vector<API_Guid> others;
        // The null Guid sorts first, so the entries of the Guid start here.
        for (auto it = map.lower_bound(Pair{guid, API_Guid()}); it != map.end() && it->first.first == guid;
             ++it)
            others.push_back(it->first.second);
        return others;
    }
    // Drops every entry that names the element.
    void forget(const API_Guid& guid);
    bool operator==(const ElementRelations&) const = default;
};

} // namespace zavhost
