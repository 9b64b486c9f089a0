// A command addressed to the add-on, with the parameters that came with it. An id of 0 takes the
// LongParameter "command_id" ("EVNT" when there is none), a version of 0 "command_version" (1).
#pragma once

#include <memory>

#include "Environment/HostEvent.h"
#include "library/ParameterList.h"

namespace tarnwick {

class CommandEvent : public HostEvent, public ParameterList {
public:
    static constexpr uint32_t DefaultId = DefaultCommandId;

    // Reads the host's parameter list (null: none), valid only during the call.
    CommandEvent(uint32_t commandId, int32_t version, GSHandle parameters);

    uint32_t getCommandId() const { return getKind(); }
    int32_t getVersion() const { return m_version; }
    // False when the host's list could not be read whole.
    bool parametersRead() const { return m_read; }

    // The runtime's maker of command events (installCommandEventMaker).
    static std::unique_ptr<HostEvent> make(uint32_t commandId, int32_t version, GSHandle parameters);

private:
    struct Read {
        explicit Read(GSHandle list) : ok(parameters.readCommandParameters(list)) {}
        ParameterList parameters;
        bool ok;
    };
    CommandEvent(uint32_t commandId, int32_t version, const Read& read);

    int32_t m_version;
    bool m_read;
};

} // namespace tarnwick
