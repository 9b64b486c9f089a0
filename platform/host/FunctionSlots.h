// The function table's slots by the names a module knows them by, so that a test can hand a
// module a table without some of them, or make any of them fail.
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
// Puts a gate in front of every filled slot: a call that the current host's fault switch names
// (FaultSwitch) answers the fault's code and does nothing (a slot answering yes or no answers
// false, one answering a pointer null), logged with "(fault)"; any other call goes through.
void gateFunctionSlots(HostFunctionTable& table);
// Whether the slot of that name has its gate in front; false for an empty slot or no such slot.
bool functionSlotGated(const HostFunctionTable& table, const std::string& name);

} // namespace zavhost
