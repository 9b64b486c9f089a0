#include "interface/InterfaceSubscribers.h"

#include "interface/InterfacePanel.h"
#include "platform/dg/DGFunctions.h"

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
    if (resize == nullptr) return false;
    // The handler's moves and grows are shown together.
    InterfacePanel* panel = resize->getPanel();
    auto dialId = static_cast<short>(panel != nullptr ? panel->getPanelId() : 0);
    if (dialId != 0) DGBeginMoveGrowItems(dialId);
    bool handled = handleResize(*resize);
    if (dialId != 0) DGEndMoveGrowItems(dialId);
    return handled;
}

} // namespace tarnwick
