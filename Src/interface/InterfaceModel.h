// The interface layer's part in the framework: the panel registry and the event factories, made
// when the module starts and freed when it ends. A product registers it (with the element model
// it stands on) before the framework's modules start.
#pragma once

namespace tarnwick {

// Registers the interface module once, and the element model's.
void registerInterfaceModel();

} // namespace tarnwick
