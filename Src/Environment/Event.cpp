#include "Environment/Event.h"

namespace tarnwick {

void ItemReceiver::receive(std::shared_ptr<Message> message) {
    if (auto* item = dynamic_cast<ItemMessage*>(message.get())) m_value = item->getValue();
}

void Event::reply(std::shared_ptr<Message> message) {
    if (m_receiver != nullptr) m_receiver->receive(std::move(message));
}

} // namespace tarnwick
