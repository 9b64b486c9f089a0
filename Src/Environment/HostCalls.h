// The module's calls into the host, each through the function table. A function the host did
// not supply answers hosterr::NotSupplied (or false, or an empty answer) and does nothing.
#pragma once

#include "HostTable.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"

namespace tarnwick::detail {
template <class F, class... Args> GSErrCode callHost(F HostFunctionTable::*slot, Args... args) {
    F fn = hostTable().*slot;
    return fn == nullptr ? hosterr::NotSupplied : fn(args...);
}
} // namespace tarnwick::detail

#define TARNWICK_HOST_CALL(slot, ...) ::tarnwick::detail::callHost(&HostFunctionTable::slot, ##__VA_ARGS__)

inline GSErrCode ACAPDatabaseCall(uint32_t selector, void* a = nullptr, void* b = nullptr,
                                  void* c = nullptr) {
    return TARNWICK_HOST_CALL(DatabaseCall, selector, a, b, c);
}
inline GSErrCode ACAPEnvironmentCall(uint32_t selector, void* a = nullptr, void* b = nullptr,
                                     void* c = nullptr) {
    return TARNWICK_HOST_CALL(EnvironmentCall, selector, a, b, c);
}
inline GSErrCode ACAPInterfaceCall(uint32_t selector, void* a = nullptr, void* b = nullptr, void* c = nullptr,
                                   void* d = nullptr, void* e = nullptr) {
    return TARNWICK_HOST_CALL(InterfaceCall, selector, a, b, c, d, e);
}
inline GSErrCode ACAPUtilityCall(uint32_t selector, void* a = nullptr, void* b = nullptr, void* c = nullptr) {
    return TARNWICK_HOST_CALL(UtilityCall, selector, a, b, c);
}
inline GSErrCode ACAPAutomationCall(uint32_t selector, void* a = nullptr, void* b = nullptr) {
    return TARNWICK_HOST_CALL(AutomationCall, selector, a, b);
}

inline GSResModule ACAPGetOwnResModule() {
    auto fn = tarnwick::hostTable().GetOwnResModule;
    return fn ? fn() : nullptr;
}
inline GSErrCode ACAPSetEntryFlag(bool inside) {
    return TARNWICK_HOST_CALL(SetEntryFlag, inside);
}
inline GSErrCode ACAPRegisterMenu(int32_t menuResId, int32_t promptResId, int32_t positionCode,
                                  int32_t flags) {
    return TARNWICK_HOST_CALL(RegisterMenu, menuResId, promptResId, positionCode, flags);
}
inline GSErrCode ACAPInstallMenuHandler(int32_t menuResId, MenuHandlerProc handler) {
    return TARNWICK_HOST_CALL(InstallMenuHandler, menuResId, handler);
}
inline GSErrCode ACAPGetMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) {
    return TARNWICK_HOST_CALL(GetMenuItemFlags, menuResId, itemIndex, flags);
}
inline GSErrCode ACAPSetMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags) {
    return TARNWICK_HOST_CALL(SetMenuItemFlags, menuResId, itemIndex, flags);
}
inline GSErrCode ACAPInstallProjectNotifier(ProjectNotifierProc handler) {
    return TARNWICK_HOST_CALL(InstallProjectNotifier, handler);
}
inline GSErrCode ACAPInstallModuleDataHandler(ModuleDataHandlerProc handler) {
    return TARNWICK_HOST_CALL(InstallModuleDataHandler, handler);
}
inline GSErrCode ACAPInstallElementObserver(ElementObserverProc handler) {
    return TARNWICK_HOST_CALL(InstallElementObserver, handler);
}
inline GSErrCode ACAPInstallCommandHandler(uint32_t commandId, int32_t version, CommandHandlerProc handler) {
    return TARNWICK_HOST_CALL(InstallCommandHandler, commandId, version, handler);
}
inline GSErrCode ACAPHasOpenProject(bool* open) {
    return TARNWICK_HOST_CALL(HasOpenProject, open);
}
inline GSErrCode ACAPGetModuleData(GSHandle* data) {
    return TARNWICK_HOST_CALL(GetModuleData, data);
}
inline GSErrCode ACAPSetModuleData(GSHandle data) {
    return TARNWICK_HOST_CALL(SetModuleData, data);
}
inline GSErrCode ACAPRunUndoableCommand(const GS::UniString* name, UndoableCommandProc proc, void* userData) {
    return TARNWICK_HOST_CALL(RunUndoableCommand, name, proc, userData);
}
inline GSErrCode ACAPGetSuspendGroups(bool* on) {
    return TARNWICK_HOST_CALL(GetSuspendGroups, on);
}
inline GSErrCode ACAPSetSuspendGroups(bool on) {
    return TARNWICK_HOST_CALL(SetSuspendGroups, on);
}
inline GSErrCode ACAPGetEditTransformation(HostEditTransformation* record) {
    return TARNWICK_HOST_CALL(GetEditTransformation, record);
}

inline GSErrCode ACAPCreateAttribute(API_Attribute* attribute, HostAttributeMemo* memo) {
    return TARNWICK_HOST_CALL(CreateAttribute, attribute, memo);
}
inline GSErrCode ACAPModifyAttribute(API_Attribute* attribute, HostAttributeMemo* memo) {
    return TARNWICK_HOST_CALL(ModifyAttribute, attribute, memo);
}
inline GSErrCode ACAPDeleteAttribute(HostAttributeHeader* header) {
    return TARNWICK_HOST_CALL(DeleteAttribute, header);
}
inline GSErrCode ACAPDeleteAttributes(HostAttributeHeader* header, GSHandle indices) {
    return TARNWICK_HOST_CALL(DeleteAttributes, header, indices);
}
inline GSErrCode ACAPGetAttribute(API_Attribute* attribute) {
    return TARNWICK_HOST_CALL(GetAttribute, attribute);
}
inline GSErrCode ACAPGetAttributeCount(uint8_t typeCode, uint16_t* count) {
    return TARNWICK_HOST_CALL(GetAttributeCount, typeCode, count);
}
inline GSErrCode ACAPGetAttributeMemo(uint8_t typeCode, int16_t index, HostAttributeMemo* memo) {
    return TARNWICK_HOST_CALL(GetAttributeMemo, typeCode, index, memo);
}
inline GSErrCode ACAPDisposeAttributeMemo(HostAttributeMemo* memo) {
    return TARNWICK_HOST_CALL(DisposeAttributeMemo, memo);
}
inline GSErrCode ACAPGetAttributeUserData(HostAttributeHeader* header, HostUserData* userData) {
    return TARNWICK_HOST_CALL(GetAttributeUserData, header, userData);
}
inline GSErrCode ACAPSearchAttribute(HostAttributeHeader* header) {
    return TARNWICK_HOST_CALL(SearchAttribute, header);
}

inline GSErrCode ACAPGetDefaultElement(API_Element* element, API_ElementMemo* memo) {
    return TARNWICK_HOST_CALL(GetDefaultElement, element, memo);
}
inline GSErrCode ACAPDisposeElementMemo(API_ElementMemo* memo) {
    return TARNWICK_HOST_CALL(DisposeElementMemo, memo);
}
inline GSErrCode ACAPGetElementUserData(HostElementHead* head, HostUserData* userData) {
    return TARNWICK_HOST_CALL(GetElementUserData, head, userData);
}
inline GSErrCode ACAPSetElementUserData(HostElementHead* head, HostUserData* userData) {
    return TARNWICK_HOST_CALL(SetElementUserData, head, userData);
}
inline GSErrCode ACAPClearElementUserData(HostElementHead* head) {
    return TARNWICK_HOST_CALL(ClearElementUserData, head);
}

inline bool ACAPIsSharedProject() {
    auto fn = tarnwick::hostTable().IsSharedProject;
    return fn ? fn() : false;
}
inline bool ACAPSharedProjectCall() {
    auto fn = tarnwick::hostTable().SharedProjectCall;
    return fn ? fn() : false;
}
inline GSErrCode ACAPGetElementReservations(const GS::Array<API_Guid>* elements,
                                            GS::HashTable<API_Guid, int16_t>* heldByOthers) {
    return TARNWICK_HOST_CALL(GetElementReservations, elements, heldByOthers);
}
inline GSErrCode ACAPReleaseElements(const GS::Array<API_Guid>* elements) {
    return TARNWICK_HOST_CALL(ReleaseElements, elements);
}
// The empty Guid when the host does not supply the function.
inline GSErrCode ACAPGetLockableObjectGuid(API_Guid* guid, const char* name) {
    if (guid) *guid = API_Guid();
    return TARNWICK_HOST_CALL(GetLockableObjectGuid, guid, name);
}
inline bool ACAPLockableObjectQueryCall(const API_Guid* guid) {
    auto fn = tarnwick::hostTable().LockableObjectQueryCall;
    return fn ? fn(guid) : false;
}
inline bool ACAPLockableObjectStateCall(const API_Guid* guid) {
    auto fn = tarnwick::hostTable().LockableObjectStateCall;
    return fn ? fn(guid) : false;
}
inline int32_t ACAPGetLockableObjectStatus(const API_Guid* guid, int32_t reserved) {
    auto fn = tarnwick::hostTable().GetLockableObjectStatus;
    return fn ? fn(guid, reserved) : 0;
}
inline GSErrCode ACAPReserveLockableObject(const API_Guid* guid, int32_t reserved, int32_t flag) {
    return TARNWICK_HOST_CALL(ReserveLockableObject, guid, reserved, flag);
}
inline GSErrCode ACAPReleaseLockableObject(const API_Guid* guid, int32_t flag) {
    return TARNWICK_HOST_CALL(ReleaseLockableObject, guid, flag);
}
