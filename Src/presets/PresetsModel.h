// The presets' part in the framework: the add-on's library configuration and the template
// registry, which lives until the module ends. A product registers it before the framework's
// modules start.
#pragma once

namespace tarnwick {

// Registers the presets' module once, with the layers it stands on.
void registerPresetsModel();

} // namespace tarnwick
