// The library model's part in the framework: each project's library database, the part-type
// factory's default creators, the events of add-on commands with their parameters, and the zone
// categories' stamps. A product registers it (with the layers below it) before the framework's
// modules start.
#pragma once

namespace tarnwick {

// Registers the library model's module once, and the element and project models it stands on.
void registerLibraryModel();

// The element factory's creators of the object kinds: section and elevation markers (25, 33),
// proxies (29) and placed objects (6), in that order. The library model's start registers them.
void registerObjectElementCreators();
// The element factory's creators of the drafting kinds in the product's order (labels and texts
// so far); the product registers them at its start.
void registerDraftingElementCreators();

} // namespace tarnwick
