// An owning list of element links, with a flag that says whether it is sorted.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "platform/api/HostTypes.h"
#include "project/ElementLink.h"

namespace GS {
template <class T> class Array;
}

namespace tarnwick {

class ElementLinkList : public Vector<ElementLink> {
public:
    explicit ElementLinkList(size_t capacity = 0) { reserve(capacity); }
    ~ElementLinkList() override = default;
    // A deep copy, sorted flag included.
    virtual std::unique_ptr<ElementLinkList> clone() const;

    // Appending keeps the sorted flag as it is.
    void push_back(std::unique_ptr<ElementLink> link) { Vector<ElementLink>::push_back(std::move(link)); }
    bool isSorted() const { return m_sorted; }

    // New host handles of one 112-byte header or 52-byte selection record per link, in list
    // order; the caller frees them. Throw std::bad_alloc when memory runs out.
    GSHandle makeHeaderArray(bool viaProxy) const;
    GSHandle makeSelectionArray(bool viaProxy) const;

    // The position of the first link equal to the given one; size() when there is none.
    size_t find(const ElementLink& link) const;
    bool contains(const ElementLink& link) const { return find(link) != size(); }

    // Appends a link per Guid (read from the host through the drawing), dropping those without a
    // Guid or a home drawing; answers how many were appended.
    uint64_t appendGuids(const GS::Array<API_Guid>& guids, Drawing* drawing);
    // Appends copies of every link of the other list; answers how many.
    uint64_t appendCopies(const ElementLinkList& other);
    // Sorts once by ElementLink::operator<; a sorted list is left as it is.
    void sort();

private:
    bool m_sorted = false;
};

} // namespace tarnwick
