// The preset subsystem's subscribers: PresetEditor hears ("HOST", "EPDB"), the request to edit the
// presets, and opens the preset manager; PresetUpdater hears ("HOST", "UEPR") and brings the
// placed objects up to date with the presets as one undoable step, "Update Styles". The host
// sends both as add-on commands; each installs its command's handler when it starts listening.
#pragma once

#include "Environment/HostEvent.h"
#include "Environment/Subscriber.h"

namespace tarnwick {

class PresetEditor : public Subscriber {
public:
    static constexpr EventType Type{HostSource, fourCC("EPDB")};

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(Type); }
    bool initialize() override;
    bool receive(Event& event) override;
};

class PresetUpdater : public Subscriber {
public:
    static constexpr EventType Type{HostSource, fourCC("UEPR")};

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(Type); }
    bool initialize() override;
    // Refused by the host inside a notification; a declined question leaves no step.
    bool receive(Event& event) override;
};

} // namespace tarnwick
