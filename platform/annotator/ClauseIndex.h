// Every clause of a specification as the exchange answers it, found by number or hidden number
// without a walk over all of them: a retrieval sends every annotation of a project, and each is
// looked up. Made once from the specification as read; it holds its own copy of the clauses.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "Clause.h"
#include "Specification.h"

namespace zavannotator {

class ClauseIndex {
public:
    explicit ClauseIndex(const Specification& spec);

    // In the specification's order, each filled in as Specification::clauses() fills it.
    const std::vector<Clause>& clauses() const { return m_clauses; }
    // The first clause of that number, else of that hidden number; null when neither matches.
    // An empty key matches nothing.
    const Clause* findByNumber(const std::string& key) const;
    const Clause* findByHiddenNumber(const std::string& hiddenNumber) const;

private:
    static const Clause* first(const std::unordered_map<std::string, size_t>& keys,
                               const std::vector<Clause>& clauses, const std::string& key);

    std::vector<Clause> m_clauses;
    // Each key to its first clause: the one a walk in the specification's order would find.
    std::unordered_map<std::string, size_t> m_byNumber;
    std::unordered_map<std::string, size_t> m_byHiddenNumber;
};

} // namespace zavannotator
