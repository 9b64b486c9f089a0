// The demonstration's presets ("styles"): chair styles and table styles, each tied by the
// configuration to the parameters of placed chairs. The user edits them in the preset manager,
// which the host's command "EPDB" opens, and "UEPR" brings the placed chairs up to date.
#pragma once

namespace tarnwick {
class Addon;
}

namespace demo {

// Registers the two templates (which gives the add-on its preset database) and loads the
// configuration.
void registerPresets(tarnwick::Addon& addon);

} // namespace demo
