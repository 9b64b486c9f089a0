// Interface events made from host dialog-manager messages by their code: the built-in factories,
// made when the module starts, and those a product adds, which are asked first.
#pragma once

#include <cstdint>
#include <memory>

#include "interface/InterfaceEvent.h"

namespace tarnwick {

// A new event for the message, or none when the code is not the factory's (or memory ran out).
using EventFactory = std::unique_ptr<InterfaceEvent> (*)(uint32_t code, const ControlLink& link,
                                                         uint64_t data);

void buildEventFactories();
void freeEventFactories(); // both tables
void addEventFactory(uint16_t code, EventFactory factory);
// The first event an added factory makes, else a built-in one; none without either.
std::unique_ptr<InterfaceEvent> makeInterfaceEvent(uint16_t code, const ControlLink& link, uint64_t data);

} // namespace tarnwick
