#include "construction/ConstructionFactory.h"

#include <cstdint>

#include "construction/Beam.h"
#include "construction/Column.h"
#include "construction/Door.h"
#include "construction/FreeForm.h"
#include "construction/Lamp.h"
#include "construction/Mesh.h"
#include "construction/PolyRoof.h"
#include "construction/Profile.h"
#include "construction/Roof.h"
#include "construction/Skylight.h"
#include "construction/Slab.h"
#include "construction/Wall.h"
#include "construction/Window.h"
#include "construction/ZoneElement.h"
#include "elements/ElementFactory.h"

namespace tarnwick {

namespace {

struct Registration {
    uint16_t id;
    ElementCreator creator; // null while the kind's class is not built
};

// The product's registration order matters only within one id.
constexpr Registration constructionKinds[] = {
    {3, &createBeam},       // beam
    {2, &createColumn},     // column
    {5, &createDoor},       // door
    {7, &createLamp},       // lamp
    {10, &createMesh},      // mesh
    {45, &createFreeForm},  // free form
    {43, &createExtrusion}, // extrusion (sub-kind 0)
    {43, &createMorph},     // morph (sub-kind 2)
    {43, &createSweep},     // sweep (sub-kind 1)
    {9, &createPolyRoof},   // multi-plane roof (sub-kind 1)
    {44, &createSkylight},  // skylight
    {9, &createRoof},       // single-plane roof (sub-kind 0)
    {8, &createSlab},       // slab
    {1, &createWall},       // wall
    {4, &createWindow},     // window
    {17, &createZone},      // zone
};

} // namespace

void registerConstructionElementCreators() {
    for (const Registration& kind : constructionKinds)
        if (kind.creator != nullptr) registerElementCreator(kind.id, kind.creator, false);
}

} // namespace tarnwick
