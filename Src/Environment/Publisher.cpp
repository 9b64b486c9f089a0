#include "Environment/Publisher.h"

#include <algorithm>

namespace tarnwick {

bool Subscriber::listensTo(EventType type) const {
    std::vector<EventType> types;
    getEventTypes(types);
    return std::find(types.begin(), types.end(), type) != types.end();
}

template <class Hook> bool Publisher::runPhase(Hook hook) {
    bool all = true;
    std::vector<Subscriber*> snapshot = m_subscribers;
    for (Subscriber* s : snapshot)
        if (hasSubscriber(s) && !(s->*hook)()) all = false;
    return all;
}

bool Publisher::checkEnvironment() {
    return runPhase(&Subscriber::checkEnvironment);
}
bool Publisher::registerInterface() {
    return runPhase(&Subscriber::registerInterface);
}
bool Publisher::initialize() {
    return runPhase(&Subscriber::initialize);
}

void Publisher::add(Subscriber* subscriber) {
    if (subscriber != nullptr && !hasSubscriber(subscriber)) m_subscribers.push_back(subscriber);
}

void Publisher::remove(Subscriber* subscriber) {
    m_subscribers.erase(std::remove(m_subscribers.begin(), m_subscribers.end(), subscriber),
                        m_subscribers.end());
}

void Publisher::clear() {
    m_subscribers.clear();
}

bool Publisher::hasSubscriber(const Subscriber* subscriber) const {
    return std::find(m_subscribers.begin(), m_subscribers.end(), subscriber) != m_subscribers.end();
}

bool Publisher::publish(Event& event) {
    std::vector<Subscriber*> matching;
    for (Subscriber* s : m_subscribers)
        if (s->listensTo(event.getType())) matching.push_back(s);
    std::stable_sort(matching.begin(), matching.end(), [](const Subscriber* a, const Subscriber* b) {
        return a->getPriority() > b->getPriority();
    });
    for (Subscriber* s : matching) {
        if (!hasSubscriber(s)) continue; // removed by an earlier one
        if (s->receive(event)) return true;
    }
    return false;
}

} // namespace tarnwick
