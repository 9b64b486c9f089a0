// The element model's part in the framework: the drawings read, walk and write elements through
// it. A product registers it (with the project model it stands on) before the framework's
// modules start.
#pragma once

namespace tarnwick {

// Registers the element model's module once, and the project model's.
void registerElementModel();

} // namespace tarnwick
