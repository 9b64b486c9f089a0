// A list of lines, each with a position code when the list is made to keep codes (the lines of a
// body met against a plane, for example).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "geometry/Line.h"

namespace tarnwick {

class LineList {
public:
    explicit LineList(bool withCodes = false) : m_withCodes(withCodes) {}

    bool keepsCodes() const { return m_withCodes; }
    // The code is kept only when the list keeps codes; otherwise the entry's code is 0.
    void append(const Line& line, uint32_t code = 0) { m_entries.push_back({line, m_withCodes ? code : 0}); }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // std::out_of_range past the end.
    const Line& getLine(size_t index) const { return at(index).line; }
    uint32_t getCode(size_t index) const { return at(index).code; }
    void clear() { m_entries.clear(); }

private:
    struct Entry {
        Line line;
        uint32_t code = 0;
    };
    const Entry& at(size_t index) const {
        if (index >= m_entries.size()) throw std::out_of_range("invalid vector<T> subscript");
        return m_entries[index];
    }

    std::vector<Entry> m_entries;
    bool m_withCodes = false;
};

} // namespace tarnwick
