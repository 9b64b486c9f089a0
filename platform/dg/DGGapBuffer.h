// A sequence numbered from 1 that keeps a gap where it was last changed: inserting or deleting
// again there moves nothing, so the add-on's item-by-item inserts and deletes at one place stay
// linear.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace DG {

template <class T> class GapBuffer {
public:
    int Count() const { return static_cast<int>(m_slots.size() - (m_gapEnd - m_gapStart)); }
    // Null outside 1..Count().
    T* Find(int at) { return at >= 1 && at <= Count() ? &m_slots[Slot(at)] : nullptr; }
    const T* Find(int at) const { return const_cast<GapBuffer*>(this)->Find(at); }
    // A new value at `at` (1..Count() + 1); false beyond.
    bool Insert(int at) {
        if (at < 1 || at > Count() + 1) return false;
        MoveGap(static_cast<size_t>(at - 1));
        if (m_gapStart == m_gapEnd) {
            size_t grow = std::max<size_t>(16, m_slots.size());
            m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(m_gapEnd), grow, T());
            m_gapEnd += grow;
        }
        m_slots[m_gapStart++] = T();
        return true;
    }
    // False outside 1..Count().
    bool Delete(int at) {
        if (Find(at) == nullptr) return false;
        MoveGap(static_cast<size_t>(at - 1));
        m_slots[m_gapEnd++] = T();
        return true;
    }
    void Clear() {
        m_slots.clear();
        m_gapStart = m_gapEnd = 0;
    }

private:
    size_t Slot(int at) const {
        auto index = static_cast<size_t>(at - 1);
        return index < m_gapStart ? index : index + (m_gapEnd - m_gapStart);
    }
    void MoveGap(size_t to) {
        while (m_gapStart > to) {
            --m_gapStart;
            --m_gapEnd;
            m_slots[m_gapEnd] = std::move(m_slots[m_gapStart]);
        }
        while (m_gapStart < to) {
            m_slots[m_gapStart] = std::move(m_slots[m_gapEnd]);
            ++m_gapStart;
            ++m_gapEnd;
        }
    }

    std::vector<T> m_slots;
    size_t m_gapStart = 0; // the gap is [m_gapStart, m_gapEnd) of m_slots
    size_t m_gapEnd = 0;
};

} // namespace DG
