#include "library/CommandEvent.h"

#include "library/ParameterKinds.h"

namespace tarnwick {

namespace {
// The value of the LongParameter of that name; fallback when there is none, or it holds 0.
int32_t numberNamed(const ParameterList& parameters, const char* name, int32_t fallback) {
    const auto* number = dynamic_cast<const LongParameter*>(parameters.find(String(name)));
    const int32_t value = number != nullptr ? number->getValue(0, 0) : 0;
    return value != 0 ? value : fallback;
}
} // namespace

CommandEvent::CommandEvent(uint32_t commandId, int32_t version, GSHandle parameters)
    : CommandEvent(commandId, version, Read(parameters)) {}

CommandEvent::CommandEvent(uint32_t commandId, int32_t version, const Read& read)
    : HostEvent(commandId != 0 ? commandId
                               : static_cast<uint32_t>(numberNamed(read.parameters, "command_id",
                                                                   static_cast<int32_t>(DefaultId)))),
      ParameterList(read.parameters),
      m_version(version != 0 ? version : numberNamed(read.parameters, "command_version", 1)),
      m_read(read.ok) {}

std::unique_ptr<HostEvent> CommandEvent::make(uint32_t commandId, int32_t version, GSHandle parameters) {
    return std::make_unique<CommandEvent>(commandId, version, parameters);
}

} // namespace tarnwick
