// Subscribers of control events: each passes on only its own class of event.
#pragma once

#include "Environment/Subscriber.h"
#include "interface/InterfaceEvent.h"

namespace tarnwick {

class ActionSubscriber : public virtual Subscriber {
public:
    virtual bool handleAction(ActionEvent& event) = 0;
    void getEventTypes(std::vector<EventType>& types) const override;
    bool receive(Event& event) override;
};

class ItemSubscriber : public virtual Subscriber {
public:
    virtual bool handleItem(ItemEvent& event) = 0;
    void getEventTypes(std::vector<EventType>& types) const override;
    bool receive(Event& event) override;
};

// Runs the handler between DGBeginMoveGrowItems and DGEndMoveGrowItems of the event's panel.
class ResizeSubscriber : public virtual Subscriber {
public:
    virtual bool handleResize(ResizeEvent& event) = 0;
    void getEventTypes(std::vector<EventType>& types) const override;
    bool receive(Event& event) override;
};

} // namespace tarnwick
