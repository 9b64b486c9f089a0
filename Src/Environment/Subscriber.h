// The receiving end of the event system.
#pragma once

#include <vector>

#include "Environment/Event.h"

namespace tarnwick {

class Subscriber {
public:
    virtual ~Subscriber() = default;
    // Appends the (source, kind) pairs this subscriber listens to.
    virtual void getEventTypes(std::vector<EventType>& types) const = 0;
    // True when the event was handled; publishing stops there.
    virtual bool receive(Event& event) = 0;
    // Higher priorities receive first; equal ones in the order they were added.
    virtual void setPriority(int16_t priority) { m_priority = priority; }
    virtual int16_t getPriority() const { return m_priority; }
    // The three start-up phases; initialize is where a subscriber starts listening to the host.
    virtual bool checkEnvironment() { return true; }
    virtual bool registerInterface() { return true; }
    virtual bool initialize() { return true; }

    bool listensTo(EventType type) const;

private:
    int16_t m_priority = 0;
};

} // namespace tarnwick
