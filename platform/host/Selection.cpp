#include "Selection.h"

namespace zavhost {

std::vector<HostSelectionRecord> Selection::records() const {
    if (m_gaps == 0) return m_records;
    return std::vector<HostSelectionRecord>(begin(), end());
}

void Selection::push_back(const HostSelectionRecord& record) {
    const size_t at = m_records.size();
    m_records.push_back(record);
    m_places.push_back(Place());
    if (const size_t* first = m_first.get(record.guid)) {
        size_t last = *first - 1;
        while (m_places[last].nextSame != 0)
            last = m_places[last].nextSame - 1;
        m_places[last].nextSame = at + 1;
    } else {
        m_first.insert(record.guid, at + 1);
    }
}

void Selection::assign(const std::vector<HostSelectionRecord>& records) {
    clear();
    for (const HostSelectionRecord& record : records)
        push_back(record);
}

void Selection::clear() {
    m_records.clear();
    m_places.clear();
    m_gaps = 0;
    m_first.clear();
}

void Selection::takeAway(size_t at) {
    m_places[at].gone = true;
    ++m_gaps;
}

size_t Selection::remove(const API_Guid& guid) {
    const size_t* first = m_first.get(guid);
    if (first == nullptr) return 0;
    size_t removed = 0;
    for (size_t next = *first; next != 0; ++removed) {
        takeAway(next - 1);
        next = m_places[next - 1].nextSame;
    }
    m_first.erase(guid);
    compactWhenSparse();
    return removed;
}

void Selection::compactWhenSparse() {
    if (m_gaps == 0 || m_gaps * 2 < m_records.size()) return;
    const std::vector<HostSelectionRecord> kept = records();
    assign(kept);
}

} // namespace zavhost
