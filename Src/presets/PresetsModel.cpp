#include "presets/PresetsModel.h"

#include "Environment/Addon.h"
#include "Environment/ModuleRegistry.h"
#include "library/LibraryModel.h"
#include "presets/PresetTemplates.h"
#include "presets/TarnwickLibrary.h"

namespace tarnwick {

namespace {

std::shared_ptr<TarnwickLibrary> makeLibrary() {
    return std::make_shared<TarnwickLibrary>();
}

GSErrCode startPresets() {
    installTarnwickLibraryHooks({&makeLibrary, &TarnwickLibrary::load});
    return 0;
}

GSErrCode endPresets() {
    endPresetTemplates();
    installTarnwickLibraryHooks({});
    return 0;
}

} // namespace

void registerPresetsModel() {
    registerLibraryModel();
    registerModule({"presets", &startPresets, &endPresets});
}

} // namespace tarnwick
