// The function table's plain functions: each logs the call in the current host's call log and
// forwards it to the host.
#include <string>

#include "CallForwarding.h"
#include "Database3D.h"
#include "FunctionSlots.h"
#include "IfcStore.h"
#include "LibraryCalls.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {

using forwarding::host;
using forwarding::logged;

std::string handlerText(const void* handler) {
    return handler != nullptr ? "handler" : "null";
}
std::string flagText(bool value) {
    return value ? "true" : "false";
}

GSErrCode dispatch(SelectorTable& (StandInHost::*table)(), uint32_t selector, void* a, void* b, void* c,
                   void* d, void* e) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    SelectorTable& selectors = (h->*table)();
    size_t index = h->calls().add({selectors.dispatcher(), codeText(selector), {}, hosterr::Ok});
    if (std::optional<GSErrCode> fault = h->faults().check(codeText(selector))) {
        h->calls().at(index).brief = "(fault)";
        h->calls().at(index).answer = *fault;
        return *fault;
    }
    SelectorCall call;
    call.args[0] = a;
    call.args[1] = b;
    call.args[2] = c;
    call.args[3] = d;
    call.args[4] = e;
    GSErrCode err = selectors.dispatch(selector, call);
    // Views may have opened, closed, changed or come to the front.
    if (host() == h) h->windows().follow(h->project());
    // The host may be gone if the call unloaded the module; it cannot, but the log must not dangle.
    if (host() == h && index < h->calls().size()) {
        HostCall& entry = h->calls().at(index);
        entry.brief = std::move(call.brief);
        entry.answer = err;
    }
    return err;
}

GSErrCode databaseCall(uint32_t selector, void* a, void* b, void* c) {
    return dispatch(&StandInHost::databaseCalls, selector, a, b, c, nullptr, nullptr);
}
GSErrCode environmentCall(uint32_t selector, void* a, void* b, void* c) {
    return dispatch(&StandInHost::environmentCalls, selector, a, b, c, nullptr, nullptr);
}
GSErrCode interfaceCall(uint32_t selector, void* a, void* b, void* c, void* d, void* e) {
    return dispatch(&StandInHost::interfaceCalls, selector, a, b, c, d, e);
}
GSErrCode utilityCall(uint32_t selector, void* a, void* b, void* c) {
    return dispatch(&StandInHost::utilityCalls, selector, a, b, c, nullptr, nullptr);
}
GSErrCode automationCall(uint32_t selector, void* a, void* b) {
    return dispatch(&StandInHost::automationCalls, selector, a, b, nullptr, nullptr, nullptr);
}

GSResModule getOwnResModule() {
    StandInHost* h = host();
    if (h == nullptr) return nullptr;
    GSResModule module = h->ownResModule();
    logged("GetOwnResModule", module != nullptr ? "" : "none", hosterr::Ok);
    return module;
}

GSErrCode setEntryFlag(bool inside) {
    if (host() == nullptr) return hosterr::Failed;
    return logged("SetEntryFlag", flagText(inside), host()->setEntryFlag(inside));
}

GSErrCode registerMenu(int32_t menuResId, int32_t promptResId, int32_t positionCode, int32_t flags) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->registerMenu(menuResId, promptResId, positionCode, flags);
    return logged("RegisterMenu",
                  std::to_string(menuResId) + ", " + std::to_string(promptResId) + ", " +
                      std::to_string(positionCode) + ", " + std::to_string(flags),
                  err);
}

GSErrCode installMenuHandler(int32_t menuResId, MenuHandlerProc handler) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->installMenuHandler(menuResId, handler);
    return logged("InstallMenuHandler",
                  std::to_string(menuResId) + ", " + handlerText(reinterpret_cast<const void*>(handler)),
                  err);
}

GSErrCode getMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->getMenuItemFlags(menuResId, itemIndex, flags);
    std::string arguments = std::to_string(menuResId) + ", " + std::to_string(itemIndex);
    if (err == hosterr::Ok) arguments += " => " + std::to_string(*flags);
    return logged("GetMenuItemFlags", arguments, err);
}

GSErrCode setMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->setMenuItemFlags(menuResId, itemIndex, flags);
    return logged("SetMenuItemFlags",
                  std::to_string(menuResId) + ", " + std::to_string(itemIndex) + ", " + std::to_string(flags),
                  err);
}

GSErrCode installProjectNotifier(ProjectNotifierProc handler) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->installProjectNotifier(handler);
    return logged("InstallProjectNotifier", handlerText(reinterpret_cast<const void*>(handler)), err);
}

GSErrCode installModuleDataHandler(ModuleDataHandlerProc handler) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->installModuleDataHandler(handler);
    return logged("InstallModuleDataHandler", handlerText(reinterpret_cast<const void*>(handler)), err);
}

GSErrCode installElementObserver(ElementObserverProc handler) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->installElementObserver(handler);
    return logged("InstallElementObserver", handlerText(reinterpret_cast<const void*>(handler)), err);
}

GSErrCode installCommandHandler(uint32_t commandId, int32_t version, CommandHandlerProc handler) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->installCommandHandler(commandId, version, handler);
    return logged("InstallCommandHandler",
                  codeText(commandId) + ", " + std::to_string(version) + ", " +
                      handlerText(reinterpret_cast<const void*>(handler)),
                  err);
}

GSErrCode hasOpenProject(bool* open) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->hasOpenProject(open);
    return logged("HasOpenProject", err == hosterr::Ok ? "=> " + flagText(*open) : "", err);
}

GSErrCode getModuleData(GSHandle* data) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->getModuleData(data);
    return logged("GetModuleData",
                  err == hosterr::Ok ? "=> " + std::to_string(BMHandleSize(*data)) + " bytes" : "", err);
}

GSErrCode setModuleData(GSHandle data) {
    if (host() == nullptr) return hosterr::Failed;
    std::string arguments = data == nullptr        ? "null"
                            : BMIsLiveHandle(data) ? std::to_string(BMHandleSize(data)) + " bytes"
                                                   : "not a live handle";
    return logged("SetModuleData", arguments, host()->setModuleData(data));
}

std::string keyText(const char* key) {
    return key != nullptr ? inQuotes(key) : "null";
}

GSErrCode getModuleDataByKey(const char* key, GSHandle* data) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->getModuleDataByKey(key, data);
    std::string answer = err == hosterr::Ok ? " => " + std::to_string(BMHandleSize(*data)) + " bytes" : "";
    return logged("GetModuleDataByKey", keyText(key) + answer, err);
}

GSErrCode setModuleDataByKey(const char* key, GSHandle data) {
    if (host() == nullptr) return hosterr::Failed;
    std::string arguments = data == nullptr        ? "null"
                            : BMIsLiveHandle(data) ? std::to_string(BMHandleSize(data)) + " bytes"
                                                   : "not a live handle";
    return logged("SetModuleDataByKey", keyText(key) + ", " + arguments,
                  host()->setModuleDataByKey(key, data));
}

GSErrCode runUndoableCommand(const GS::UniString* name, UndoableCommandProc proc, void* userData) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    // Logged before it runs, so that the calls the command makes follow it in the log.
    size_t index =
        h->calls().add({"RunUndoableCommand", {}, name ? inQuotes(name->ToCStr()) : "null", hosterr::Ok});
    GSErrCode err = h->runUndoableCommand(name, proc, userData);
    if (host() == h && index < h->calls().size()) h->calls().at(index).answer = err;
    return err;
}

GSErrCode getSuspendGroups(bool* on) {
    if (host() == nullptr) return hosterr::Failed;
    GSErrCode err = host()->getSuspendGroups(on);
    return logged("GetSuspendGroups", err == hosterr::Ok ? "=> " + flagText(*on) : "", err);
}

GSErrCode setSuspendGroups(bool on) {
    if (host() == nullptr) return hosterr::Failed;
    return logged("SetSuspendGroups", flagText(on), host()->setSuspendGroups(on));
}

GSErrCode getEditTransformation(HostEditTransformation* record) {
    if (host() == nullptr) return hosterr::Failed;
    return logged("GetEditTransformation", "", host()->getEditTransformation(record));
}

} // namespace

void fillFunctionTable(HostFunctionTable* table) {
    *table = HostFunctionTable();
    table->DatabaseCall = databaseCall;
    table->EnvironmentCall = environmentCall;
    table->InterfaceCall = interfaceCall;
    table->UtilityCall = utilityCall;
    table->AutomationCall = automationCall;
    table->GetOwnResModule = getOwnResModule;
    table->SetEntryFlag = setEntryFlag;
    table->RegisterMenu = registerMenu;
    table->InstallMenuHandler = installMenuHandler;
    table->GetMenuItemFlags = getMenuItemFlags;
    table->SetMenuItemFlags = setMenuItemFlags;
    table->InstallProjectNotifier = installProjectNotifier;
    table->InstallModuleDataHandler = installModuleDataHandler;
    table->InstallElementObserver = installElementObserver;
    table->InstallCommandHandler = installCommandHandler;
    table->HasOpenProject = hasOpenProject;
    table->GetModuleData = getModuleData;
    table->SetModuleData = setModuleData;
    table->GetModuleDataByKey = getModuleDataByKey;
    table->SetModuleDataByKey = setModuleDataByKey;
    table->RunUndoableCommand = runUndoableCommand;
    table->GetSuspendGroups = getSuspendGroups;
    table->SetSuspendGroups = setSuspendGroups;
    table->GetEditTransformation = getEditTransformation;
    fillModelFunctions(table);
    fillLibraryFunctions(table);
    fillDrawingFunctions(table);
    ifccalls::install(table);
    model3d::install(table);
    database3d::install(table);
    gateFunctionSlots(*table);
}

} // namespace zavhost
