// The element factory's creators of the construction kinds.
#pragma once

namespace tarnwick {

// Registers the construction kinds in the product's order; a kind whose class is not built yet
// registers nothing.
void registerConstructionElementCreators();
// Registers the curtain wall and its five part kinds in the product's order.
void registerCurtainWallElementCreators();

} // namespace tarnwick
