#include "Environment/HostCallbacks.h"

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/HostCalls.h"
#include "Environment/HostEvent.h"

namespace tarnwick {

namespace {

bool projectNotifierInstalled = false;
bool moduleDataHandlerInstalled = false;
bool elementObserverInstalled = false;
CommandEventMaker commandEventMaker = nullptr;

// Like every entry, a handler hands what it caught to the product's report.
template <class Body> GSErrCode guarded(Body body) {
    Addon* addon = getAddon();
    if (addon == nullptr) return hosterr::Failed;
    try {
        HostCallScope scope(*addon);
        GSErrCode answer = scope.ok() ? body(*addon) : hosterr::Failed;
        scope.leave();
        return answer;
    } catch (...) {
        reportCaughtException();
        return hosterr::Internal;
    }
}

GSErrCode onMenu(const HostMenuSelection* selection) {
    if (selection == nullptr) return hosterr::BadParameter;
    return guarded([&](Addon& addon) {
        MenuEvent event(selection->menuResId, selection->itemIndex);
        addon.handleEvent(event);
        return hosterr::Ok;
    });
}

GSErrCode onProjectNotification(uint32_t notification, int32_t parameter) {
    return guarded([&](Addon& addon) {
        NotificationScope inside(addon);
        ProjectEvent event(notification, parameter);
        addon.handleProjectNotification(event);
        addon.handleEvent(event);
        return hosterr::Ok;
    });
}

GSErrCode onModuleData(uint32_t request) {
    return guarded([&](Addon& addon) {
        NotificationScope inside(addon);
        ModuleEvent event(request);
        if (request == ModuleDataAfterLoad) addon.loadModuleData();
        if (request == ModuleDataBeforeSave) addon.saveModuleData();
        addon.handleEvent(event);
        return hosterr::Ok;
    });
}

GSErrCode onElementNotification(const HostElementNotification* notification) {
    if (notification == nullptr) return hosterr::BadParameter;
    return guarded([&](Addon& addon) {
        NotificationScope inside(addon);
        DatabaseEvent event(*notification);
        addon.handleEvent(event);
        return hosterr::Ok;
    });
}

GSErrCode onCommand(uint32_t commandId, int32_t version, GSHandle parameters) {
    return guarded([&](Addon& addon) {
        std::unique_ptr<HostEvent> event =
            commandEventMaker != nullptr
                ? commandEventMaker(commandId, version, parameters)
                : std::make_unique<HostEvent>(commandId != 0 ? commandId : DefaultCommandId);
        return addon.handleEvent(*event) ? hosterr::Ok : hosterr::NotFound;
    });
}

} // namespace

GSErrCode installMenuHandler(int32_t menuResId) {
    return ACAPInstallMenuHandler(menuResId, &onMenu);
}

GSErrCode installProjectNotifier() {
    if (projectNotifierInstalled) return hosterr::Ok;
    GSErrCode err = ACAPInstallProjectNotifier(&onProjectNotification);
    projectNotifierInstalled = err == hosterr::Ok;
    return err;
}

GSErrCode installModuleDataHandler() {
    if (moduleDataHandlerInstalled) return hosterr::Ok;
    GSErrCode err = ACAPInstallModuleDataHandler(&onModuleData);
    moduleDataHandlerInstalled = err == hosterr::Ok;
    return err;
}

GSErrCode installElementObserver() {
    if (elementObserverInstalled) return hosterr::Ok;
    GSErrCode err = ACAPInstallElementObserver(&onElementNotification);
    elementObserverInstalled = err == hosterr::Ok;
    return err;
}

void installCommandEventMaker(CommandEventMaker maker) {
    commandEventMaker = maker;
}

GSErrCode installCommandHandler(uint32_t commandId, int32_t version) {
    return ACAPInstallCommandHandler(commandId, version, &onCommand);
}

void forgetInstalledHandlers() {
    projectNotifierInstalled = false;
    moduleDataHandlerInstalled = false;
    elementObserverInstalled = false;
}

} // namespace tarnwick
