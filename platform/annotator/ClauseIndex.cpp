#include "ClauseIndex.h"

namespace zavannotator {

ClauseIndex::ClauseIndex(const Specification& spec) : m_clauses(spec.clauses()) {
    m_byNumber.reserve(m_clauses.size());
    m_byHiddenNumber.reserve(m_clauses.size());
    for (size_t i = 0; i < m_clauses.size(); ++i) {
        // emplace keeps the first clause of a key.
        m_byNumber.emplace(m_clauses[i].number, i);
        m_byHiddenNumber.emplace(m_clauses[i].hiddenNumber, i);
    }
}

const Clause* ClauseIndex::first(const std::unordered_map<std::string, size_t>& keys,
                                 const std::vector<Clause>& clauses, const std::string& key) {
    if (key.empty()) return nullptr;
    auto found = keys.find(key);
    return found == keys.end() ? nullptr : &clauses[found->second];
}

const Clause* ClauseIndex::findByNumber(const std::string& key) const {
    if (const Clause* clause = first(m_byNumber, m_clauses, key)) return clause;
    return findByHiddenNumber(key);
}

const Clause* ClauseIndex::findByHiddenNumber(const std::string& hiddenNumber) const {
    return first(m_byHiddenNumber, m_clauses, hiddenNumber);
}

} // namespace zavannotator
