// The handlers the module installs with the host. Each runs inside the add-on's entry bracket,
// turns the host call into a HostEvent and has the add-on publish it; none lets an exception
// through to the host.
#pragma once

#include <memory>

#include "platform/api/HostFunctionTable.h"

namespace tarnwick {

class HostEvent;

// Makes the event of an add-on command from its id, version and the host's parameter list (valid
// during the call only); installed by the layer that reads command parameters. Without one a
// command arrives as a HostEvent of its id (DefaultCommandId for 0).
using CommandEventMaker = std::unique_ptr<HostEvent> (*)(uint32_t commandId, int32_t version,
                                                         GSHandle parameters);
void installCommandEventMaker(CommandEventMaker maker);

[[nodiscard]] GSErrCode installMenuHandler(int32_t menuResId);
[[nodiscard]] GSErrCode installProjectNotifier();   // once per module load
[[nodiscard]] GSErrCode installModuleDataHandler(); // once per module load
[[nodiscard]] GSErrCode installElementObserver();   // once per module load
[[nodiscard]] GSErrCode installCommandHandler(uint32_t commandId, int32_t version);
// Forgets what was installed, for the next load of the module.
void forgetInstalledHandlers();

} // namespace tarnwick
