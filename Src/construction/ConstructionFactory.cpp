#include "construction/ConstructionFactory.h"

#include <cstdint>

#include "construction/Profile.h"
#include "construction/Wall.h"
#include "construction/Window.h"
#include "elements/ElementFactory.h"

namespace tarnwick {

namespace {

struct Registration {
    uint16_t id;
    ElementCreator creator; // null while the kind's class is not built
};

// The product's registration order matters only within one id.
constexpr Registration constructionKinds[] = {
    {3, nullptr},           // beam
    {2, nullptr},           // column
    {5, nullptr},           // door
    {7, nullptr},           // lamp
    {10, nullptr},          // mesh
    {45, nullptr},          // free form
    {43, &createExtrusion}, // extrusion (sub-kind 0)
    {43, &createMorph},     // morph (sub-kind 2)
    {43, &createSweep},     // sweep (sub-kind 1)
    {9, nullptr},           // multi-plane roof (sub-kind 1)
    {44, nullptr},          // skylight
    {9, nullptr},           // single-plane roof (sub-kind 0)
    {8, nullptr},           // slab
    {1, &createWall},       // wall
    {4, &createWindow},     // window
    {17, nullptr},          // zone
};

} // namespace

void registerConstructionElementCreators() {
    for (const Registration& kind : constructionKinds)
        if (kind.creator != nullptr) registerElementCreator(kind.id, kind.creator, false);
}

} // namespace tarnwick
