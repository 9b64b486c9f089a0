// Hands events to the subscribers that asked for their type.
#pragma once

#include <vector>

#include "Environment/NonCopyable.h"
#include "Environment/Subscriber.h"

namespace tarnwick {

class Publisher : NonCopyable {
public:
    Publisher() = default;
    virtual ~Publisher() = default;

    // The start-up phases: each subscriber's hook once, in the order added; false when one said no.
    virtual bool checkEnvironment();
    virtual bool registerInterface();
    virtual bool initialize();

    virtual void add(Subscriber* subscriber); // not owned; a second add of the same one is ignored
    virtual void remove(Subscriber* subscriber);
    virtual void clear();
    // Offers the event to the subscribers of its type by priority (the order added among equals)
    // until one answers true; answers whether one did. Subscribers may remove themselves, or others,
    // while it runs: one that is removed before its turn is skipped.
    virtual bool publish(Event& event);

    void addSubscriber(Subscriber* subscriber) { add(subscriber); }
    bool hasSubscriber(const Subscriber* subscriber) const;
    size_t getSubscriberCount() const { return m_subscribers.size(); }

protected:
    template <class Hook> bool runPhase(Hook hook);

private:
    std::vector<Subscriber*> m_subscribers;
};

} // namespace tarnwick
