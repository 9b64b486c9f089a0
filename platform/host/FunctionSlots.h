// The function table's slots by the names a module knows them by, so that a test can hand a
// module a table without some of them.
#pragma once

#include <string>
#include <vector>

#include "platform/api/HostFunctionTable.h"

namespace zavhost {

// Every slot's name, in table order.
const std::vector<std::string>& functionSlotNames();
bool isFunctionSlot(const std::string& name);
// Empties the slot of that name; false when the table has no such slot.
bool clearFunctionSlot(HostFunctionTable& table, const std::string& name);
bool functionSlotFilled(const HostFunctionTable& table, const std::string& name);

} // namespace zavhost
