// The elements of one view database: records as given (the host owns the head's identity), memos
// and add-on user data as bytes, the info text and node points. Elements, and the nodes of the
// indexes over them, are shared between copies of the store until one copy changes them, so that
// an undo step's copy of the project costs what the step changes.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "GuidKeys.h"
#include "GuidTable.h"
#include "PersistentMap.h"
#include "StoredBlocks.h"
#include "platform/api/ElementRecords.h"

namespace zavhost {

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
    ElementStore() = default;
    // A copy shares every element and every node of the indexes until one side changes them.
    ElementStore(const ElementStore& other);
    ElementStore& operator=(const ElementStore& other);
    ElementStore(ElementStore&&) noexcept = default;
    ElementStore& operator=(ElementStore&&) noexcept = default;

    const StoredElement* find(const API_Guid& guid) const;
    // The element for changing; a copy shared with another store is copied first. The pointer
    // holds until the store is changed otherwise or copied.
    StoredElement* edit(const API_Guid& guid);
    // Adds under the head's Guid, in creation order; false when the Guid is null or taken.
    bool add(StoredElement element);
    bool remove(const API_Guid& guid);
    size_t size() const { return m_index.size(); }
    std::vector<const StoredElement*> inOrder() const;
    // The elements that stand in or for the one of the Guid, in creation order: the windows and
    // doors of a wall, the skylights of a roof or shell, the parts of a curtain wall, the proxies
    // that show a model element (holderOf says which).
    std::vector<const StoredElement*> heldBy(const API_Guid& holder) const;

    // Each element that differs between two versions of a store, in creation order: `before` is
    // null for one the later version added, `after` null for one it removed (an element whose
    // creation order changed is both). Elements the versions share are not compared, so versions
    // made from one another cost what differs.
    static void
    differences(const ElementStore& before, const ElementStore& after,
                const std::function<void(const StoredElement* before, const StoredElement* after)>& report);

    bool operator==(const ElementStore& other) const;

private:
    struct Entry {
        const StoredElement* element = nullptr; // owned by m_byOrder
        uint64_t order = 0;
        bool operator==(const Entry&) const = default;
    };
    struct HeldLess {
        bool operator()(const std::pair<API_Guid, uint64_t>& a, const std::pair<API_Guid, uint64_t>& b) const;
    };
    // Brings m_held up to date with the elements changed since it last was.
    void settleHolders() const;

    PersistentMap<uint64_t, std::shared_ptr<StoredElement>> m_byOrder; // creation order -> element
    GuidTable<Entry> m_index;                                          // looked up on every call
    // (holder, creation order) -> the held element. Elements handed out for changing may change
    // their holder, so they are noted and looked at again before the next question or copy.
    mutable PersistentMap<std::pair<API_Guid, uint64_t>, API_Guid, HeldLess> m_held;
    mutable GuidTable<API_Guid> m_holders; // element -> its holder in m_held
    mutable std::vector<API_Guid> m_changed;
    uint64_t m_nextOrder = 1;
};

// The element the one stands in or for, as heldBy() answers: a window's or door's wall, a
// skylight's roof or shell, a curtain wall part's wall, the model element a proxy shows; null for
// the rest.
API_Guid holderOf(const StoredElement& element);

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

} // namespace zavhost
