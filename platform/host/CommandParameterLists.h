// The command-parameter lists the host keeps for add-on commands: each a host object named by a
// handle, made with "ICLP" (or by the host for a command it sends), filled with "ACLP", read with
// "NCLP" and "GCLP", freed with "FCLP". A handle that names no list answers bad-parameter.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/api/ParameterRecords.h"

namespace zavhost {

struct CommandParameterEntry {
    int32_t index = 0;
    std::string name;
    int32_t kind = 0; // HostCommandParameterKind
    bool flag = false;
    int32_t integer = 0;
    double real = 0.0;
    std::string text;
};

class SelectorTable;

class CommandParameterLists {
public:
    CommandParameterLists() = default;
    CommandParameterLists(const CommandParameterLists&) = delete;
    CommandParameterLists& operator=(const CommandParameterLists&) = delete;
    ~CommandParameterLists(); // frees the lists left

    // A new empty list; null when memory runs out.
    GSHandle make();
    std::vector<CommandParameterEntry>* find(GSHandle list);
    // False for a handle that names no list.
    bool free(GSHandle list);
    size_t live() const { return m_lists.size(); }

    // "ICLP", "ACLP", "NCLP", "GCLP" and "FCLP".
    void registerSelectors(SelectorTable& utility);

private:
    std::unordered_map<GSHandle, std::vector<CommandParameterEntry>> m_lists;
};

} // namespace zavhost
