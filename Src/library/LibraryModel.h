// The library model's part in the framework: it makes each project's library database. A product
// registers it (with the layers below it) before the framework's modules start.
#pragma once

namespace tarnwick {

// Registers the library model's module once, and the element and project models it stands on.
void registerLibraryModel();

} // namespace tarnwick
