// The element factory's creators of the construction kinds.
#pragma once

namespace tarnwick {

// Registers the construction kinds in the product's order; a kind whose class is not built yet
// registers nothing.
void registerConstructionElementCreators();

} // namespace tarnwick
