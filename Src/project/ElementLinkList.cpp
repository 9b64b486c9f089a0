#include "project/ElementLinkList.h"

#include <cstring>

#include "Environment/Memory.h"
#include "platform/gsroot/Containers.h"

namespace tarnwick {

std::unique_ptr<ElementLinkList> ElementLinkList::clone() const {
    auto copy = std::make_unique<ElementLinkList>(size());
    for (const ElementLink* link : *this)
        copy->push_back(link == nullptr ? nullptr : link->clone());
    copy->m_sorted = m_sorted;
    return copy;
}

GSHandle ElementLinkList::makeHeaderArray(bool viaProxy) const {
    GSHandle handle = allocateHandle(static_cast<GSSize>(size() * sizeof(HostElementHead)));
    size_t at = 0;
    for (const ElementLink* link : *this) {
        HostElementHead header;
        if (link != nullptr) link->makeHeader(header, viaProxy);
        std::memcpy(*handle + at * sizeof header, &header, sizeof header);
        ++at;
    }
    return handle;
}

GSHandle ElementLinkList::makeSelectionArray(bool viaProxy) const {
    GSHandle handle = allocateHandle(static_cast<GSSize>(size() * sizeof(HostSelectionRecord)));
    size_t at = 0;
    for (const ElementLink* link : *this) {
        HostSelectionRecord record;
        if (link != nullptr) link->makeSelectionRecord(record, viaProxy, false);
        std::memcpy(*handle + at * sizeof record, &record, sizeof record);
        ++at;
    }
    return handle;
}

size_t ElementLinkList::find(const ElementLink& link) const {
    size_t at = 0;
    for (const ElementLink* held : *this) {
        if (held != nullptr && *held == link) return at;
        ++at;
    }
    return size();
}

uint64_t ElementLinkList::appendGuids(const GS::Array<API_Guid>& guids, Drawing* drawing) {
    reserve(size() + guids.GetSize());
    uint64_t appended = 0;
    for (const API_Guid& guid : guids) {
        auto link = std::make_unique<ElementLink>(Guid(guid), drawing);
        if (!link->hasGuid() || link->getDrawing() == nullptr) continue;
        push_back(std::move(link));
        ++appended;
    }
    return appended;
}

uint64_t ElementLinkList::appendCopies(const ElementLinkList& other) {
    uint64_t appended = 0;
    for (const ElementLink* link : other) {
        if (link == nullptr) continue;
        push_back(link->clone());
        ++appended;
    }
    return appended;
}

void ElementLinkList::sort() {
    if (m_sorted) return;
    // Resolve every type first, so that no key changes while the sort compares.
    for (const ElementLink* link : *this)
        if (link != nullptr) link->getTypeId();
    Vector<ElementLink>::sort([](const ElementLink& a, const ElementLink& b) { return a < b; });
    m_sorted = true;
}

} // namespace tarnwick
