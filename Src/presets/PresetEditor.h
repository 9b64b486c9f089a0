// The preset subsystem's subscribers: PresetEditor hears ("HOST", "EPDB"), the request to edit the
// presets, and PresetUpdater ("HOST", "UEPR"), the request to bring elements up to date with them.
// Until the preset manager and the element update exist, neither handles its event.
#pragma once

#include "Environment/HostEvent.h"
#include "Environment/Subscriber.h"

namespace tarnwick {

class PresetEditor : public Subscriber {
public:
    static constexpr EventType Type{HostSource, fourCC("EPDB")};

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(Type); }
    bool receive(Event&) override { return false; }
};

class PresetUpdater : public Subscriber {
public:
    static constexpr EventType Type{HostSource, fourCC("UEPR")};

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(Type); }
    bool receive(Event&) override { return false; }
};

} // namespace tarnwick
