#include "presets/PresetEditor.h"

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/HostCallbacks.h"
#include "Environment/Transaction.h"
#include "platform/api/HostErrors.h"
#include "presets/PresetDialog.h"
#include "presets/PresetTexts.h"
#include "presets/TarnwickLibrary.h"

namespace tarnwick {

namespace {

class PresetUpdateTransaction : public Transaction {
public:
    PresetUpdateTransaction()
        : Transaction(Host::getResourceString(PresetTexts, UpdateStepText), true, true) {}

    bool mayStart() override { return getAddon() != nullptr; }
    // A declined question answers cancelled, so that the host keeps no empty step. A failed one
    // drops the step; the runtime tells of a function the host lacks or a command it failed, and
    // any other failure is told here.
    GSErrCode run() override {
        TarnwickLibrary* library = getAddon()->getTarnwickLibrary();
        GSErrCode failure = hosterr::Ok;
        bool ran = library != nullptr && library->collectElementsForUpdate(getEditManager(), false, &failure);
        getEditManager().restore(true);
        if (failure != hosterr::NotSupplied && failure != hosterr::CommandFailed && failure != hosterr::Ok)
            reportProductError();
        if (failure != hosterr::Ok) return failure;
        return ran ? hosterr::Ok : hosterr::Cancelled;
    }
};

} // namespace

bool PresetEditor::initialize() {
    return installCommandHandler(Type.kind, 1) == hosterr::Ok;
}

bool PresetEditor::receive(Event&) {
    PresetDialog dialog;
    (void)dialog.open();
    return true;
}

bool PresetUpdater::initialize() {
    return installCommandHandler(Type.kind, 1) == hosterr::Ok;
}

bool PresetUpdater::receive(Event&) {
    PresetUpdateTransaction update;
    (void)Host::runTransaction(update); // the host reports a refused step itself
    return true;
}

} // namespace tarnwick
