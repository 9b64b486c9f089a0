#include "interface/InterfaceSubscribers.h"

namespace tarnwick {

void ActionSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({InterfaceSource, ActionEvent::Kind});
}

bool ActionSubscriber::receive(Event& event) {
    auto* action = dynamic_cast<ActionEvent*>(&event);
    return action != nullptr && handleAction(*action);
}

void ItemSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({InterfaceSource, ItemEvent::Kind});
}

bool ItemSubscriber::receive(Event& event) {
    auto* item = dynamic_cast<ItemEvent*>(&event);
    return item != nullptr && handleItem(*item);
}

void ResizeSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({InterfaceSource, ResizeEvent::Kind});
}

bool ResizeSubscriber::receive(Event& event) {
    auto* resize = dynamic_cast<ResizeEvent*>(&event);
    return resize != nullptr && handleResize(*resize);
}

} // namespace tarnwick
