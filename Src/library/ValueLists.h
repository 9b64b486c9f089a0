// The VALUES statements of a part's parameter script: for each statement the parameter it names
// and the quoted texts it offers, a statement running on over the next line while a "," follows
// its last value there. Numbers and expressions are not collected. The first statement of a name
// wins; names match in any letter case.
#pragma once

#include <unordered_map>

#include "Environment/String.h"
#include "persistence/TextDatabase.h"

namespace tarnwick {

class ValueLists {
public:
    // Reads the script once, in one pass.
    explicit ValueLists(const String& script);

    // The values of the name's first statement; null when no statement names it.
    const TextRecord* find(const String& name) const;
    // The statements read, a name's later ones too.
    size_t getStatementCount() const { return m_table.getRecordCount(); }

private:
    TextDatabase m_table; // one record per statement, its name in the header at the same position
    std::unordered_map<String, size_t> m_first; // lower-case name -> its first statement
};

} // namespace tarnwick
