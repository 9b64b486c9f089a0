// The selection of one database: records in the order they were selected, found by Guid without
// a look at the others, so that deleting selected elements or filtering by the selection costs
// what is deleted or asked for. Records taken away leave a gap until gaps are half of them.
#pragma once

#include <cstdint>
#include <iterator>
#include <vector>

#include "GuidTable.h"
#include "platform/api/ElementRecords.h"

namespace zavhost {

class Selection {
    struct Place {
        size_t nextSame = 0; // one past the next record of the same Guid; 0 for none
        bool gone = false;
    };

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = HostSelectionRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = const HostSelectionRecord*;
        using reference = const HostSelectionRecord&;

        const_iterator() = default;
        const_iterator(const Selection* selection, size_t at) : m_selection(selection), m_at(at) {
            skipGaps();
        }
        reference operator*() const { return m_selection->m_records[m_at]; }
        pointer operator->() const { return &m_selection->m_records[m_at]; }
        const_iterator& operator++() {
            ++m_at;
            skipGaps();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }

    private:
        void skipGaps() {
            while (m_at < m_selection->m_places.size() && m_selection->m_places[m_at].gone)
                ++m_at;
        }
        const Selection* m_selection = nullptr;
        size_t m_at = 0;
    };

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_records.size()); }
    size_t size() const { return m_records.size() - m_gaps; }
    bool empty() const { return size() == 0; }
    bool contains(const API_Guid& guid) const { return m_first.contains(guid); }
    // The records in order, as one block.
    std::vector<HostSelectionRecord> records() const;

    // Adds the record after the others (a Guid already selected is then selected twice; a null
    // Guid is listed but never found).
    void push_back(const HostSelectionRecord& record);
    void assign(const std::vector<HostSelectionRecord>& records);
    void clear();
    // Takes every record of the Guid away; answers how many there were.
    size_t remove(const API_Guid& guid);
    // Takes away the records of each Guid the predicate answers true for.
    template <class Predicate> void removeIf(Predicate named) {
        std::vector<API_Guid> gone;
        for (size_t at = 0; at < m_records.size(); ++at) {
            if (m_places[at].gone || !named(m_records[at].guid)) continue;
            if (m_records[at].guid.isNull())
                takeAway(at); // never found by its Guid
            else
                gone.push_back(m_records[at].guid);
        }
        for (const API_Guid& guid : gone)
            remove(guid);
        compactWhenSparse();
    }

private:
    void takeAway(size_t at);
    void compactWhenSparse();

    std::vector<HostSelectionRecord> m_records; // with gaps
    std::vector<Place> m_places;                // one for each record
    size_t m_gaps = 0;
    GuidTable<size_t> m_first; // Guid -> one past the place of its first record
};

} // namespace zavhost
