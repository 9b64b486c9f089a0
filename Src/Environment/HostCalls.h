// The module's calls into the host, each through the function table. A function the host did
// not supply answers hosterr::NotSupplied (or false, or an empty answer) and does nothing.
#pragma once

#include "Environment/HostFailures.h"
#include "Environment/HostTable.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"

namespace tarnwick::detail {
// Every answer that is a failure is noted (HostFailures.h) under the function's name, or under the
// selector for a dispatcher.
template <class F, class... Args>
GSErrCode callHost(const char* name, uint32_t selector, F HostFunctionTable::*slot, Args... args) {
    F fn = hostTable().*slot;
    const GSErrCode answer = fn == nullptr ? hosterr::NotSupplied : fn(args...);
    if (answer != hosterr::Ok) noteHostAnswer(name, selector, answer);
    return answer;
}
} // namespace tarnwick::detail

#define TARNWICK_HOST_CALL(slot, ...)                                                                        \
    ::tarnwick::detail::callHost(#slot, 0, &HostFunctionTable::slot, ##__VA_ARGS__)
#define TARNWICK_HOST_DISPATCH(slot, selector, ...)                                                          \
    ::tarnwick::detail::callHost(#slot, selector, &HostFunctionTable::slot, selector, ##__VA_ARGS__)

inline GSErrCode ACAPDatabaseCall(uint32_t selector, void* a = nullptr, void* b = nullptr,
                                  void* c = nullptr) {
    return TARNWICK_HOST_DISPATCH(DatabaseCall, selector, a, b, c);
}
inline GSErrCode ACAPEnvironmentCall(uint32_t selector, void* a = nullptr, void* b = nullptr,
                                     void* c = nullptr) {
    return TARNWICK_HOST_DISPATCH(EnvironmentCall, selector, a, b, c);
}
inline GSErrCode ACAPInterfaceCall(uint32_t selector, void* a = nullptr, void* b = nullptr, void* c = nullptr,
                                   void* d = nullptr, void* e = nullptr) {
    return TARNWICK_HOST_DISPATCH(InterfaceCall, selector, a, b, c, d, e);
}
inline GSErrCode ACAPUtilityCall(uint32_t selector, void* a = nullptr, void* b = nullptr, void* c = nullptr) {
    return TARNWICK_HOST_DISPATCH(UtilityCall, selector, a, b, c);
}
inline GSErrCode ACAPAutomationCall(uint32_t selector, void* a = nullptr, void* b = nullptr) {
    return TARNWICK_HOST_DISPATCH(AutomationCall, selector, a, b);
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
inline GSErrCode ACAPGetModuleDataByKey(const char* key, GSHandle* data) {
    return TARNWICK_HOST_CALL(GetModuleDataByKey, key, data);
}
inline GSErrCode ACAPSetModuleDataByKey(const char* key, GSHandle data) {
    return TARNWICK_HOST_CALL(SetModuleDataByKey, key, data);
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

inline GSErrCode ACAPGetElement(API_Element* element) {
    return TARNWICK_HOST_CALL(GetElement, element);
}
inline GSErrCode ACAPGetElementHeader(HostElementHead* head) {
    return TARNWICK_HOST_CALL(GetElementHeader, head);
}
inline GSErrCode ACAPGetElementMemo(const API_Guid* guid, API_ElementMemo* memo, uint64_t mask) {
    return TARNWICK_HOST_CALL(GetElementMemo, guid, memo, mask);
}
inline GSErrCode ACAPGetElementList(uint32_t typeCode, GS::Array<API_Guid>* guids, uint32_t filterFlags,
                                    uint32_t variation, const API_Guid* databaseGuid) {
    return TARNWICK_HOST_CALL(GetElementList, typeCode, guids, filterFlags, variation, databaseGuid);
}
inline bool ACAPFilterElement(const API_Guid* guid, uint32_t filterFlags, uint32_t variation,
                              const API_Guid* databaseGuid) {
    auto fn = tarnwick::hostTable().FilterElement;
    if (fn == nullptr) tarnwick::noteHostAnswer("FilterElement", 0, hosterr::NotSupplied);
    return fn ? fn(guid, filterFlags, variation, databaseGuid) : false;
}
inline GSErrCode ACAPGetSelection(HostSelectionInfo* info, GSHandle* references) {
    return TARNWICK_HOST_CALL(GetSelection, info, references);
}
inline GSErrCode ACAPSelectElements(GSHandle references, int32_t count, bool select) {
    return TARNWICK_HOST_CALL(SelectElements, references, count, select);
}
inline GSErrCode ACAPGetLinkedElements(const API_Guid* guid, GS::Array<API_Guid>* linked) {
    return TARNWICK_HOST_CALL(GetLinkedElements, guid, linked);
}
inline GSErrCode ACAPChangeDefaultElement(API_Element* element, API_ElementMemo* memo,
                                          const API_Element* mask) {
    return TARNWICK_HOST_CALL(ChangeDefaultElement, element, memo, mask);
}
inline GSErrCode ACAPCreateElement(API_Element* element, API_ElementMemo* memo) {
    return TARNWICK_HOST_CALL(CreateElement, element, memo);
}
inline GSErrCode ACAPChangeElement(API_Element* element, const API_Element* mask, API_ElementMemo* memo,
                                   uint64_t memoMask, bool withDelete) {
    return TARNWICK_HOST_CALL(ChangeElement, element, mask, memo, memoMask, withDelete);
}
inline GSErrCode ACAPDeleteElements(GSHandle heads, int32_t count) {
    return TARNWICK_HOST_CALL(DeleteElements, heads, count);
}
inline GSErrCode ACAPElementToolCall(uint32_t selector, GSHandle heads, int32_t count) {
    return TARNWICK_HOST_CALL(ElementToolCall, selector, heads, count);
}
inline GSErrCode ACAPElementSwitchOnCall(HostElementHead* head) {
    return TARNWICK_HOST_CALL(ElementSwitchOnCall, head);
}
inline GSErrCode ACAPElementSwitchOffCall(HostElementHead* head) {
    return TARNWICK_HOST_CALL(ElementSwitchOffCall, head);
}
inline GSErrCode ACAPChangeElementParameters(GSHandle heads, int32_t count, const API_Element* values,
                                             API_ElementMemo* memo, const API_Element* mask) {
    return TARNWICK_HOST_CALL(ChangeElementParameters, heads, count, values, memo, mask);
}
inline GSErrCode ACAPEditElements(GSHandle references, int32_t count, const HostEditTransformation* edit) {
    return TARNWICK_HOST_CALL(EditElements, references, count, edit);
}
inline GSErrCode ACAPLinkElements(const API_Guid* owner, const API_Guid* linked, uint32_t flags) {
    return TARNWICK_HOST_CALL(LinkElements, owner, linked, flags);
}
inline GSErrCode ACAPUnlinkElements(const API_Guid* owner, const API_Guid* linked) {
    return TARNWICK_HOST_CALL(UnlinkElements, owner, linked);
}
inline GSErrCode ACAPGetElementLinkFlags(const API_Guid* owner, const API_Guid* linked, uint32_t* flags) {
    return TARNWICK_HOST_CALL(GetElementLinkFlags, owner, linked, flags);
}
inline GSErrCode ACAPElementGuidCall(const API_Guid* guid, API_Guid* related) {
    return TARNWICK_HOST_CALL(ElementGuidCall, guid, related);
}
inline GSErrCode ACAPGetElementRelationList(const API_Guid* guid, GS::Array<API_Guid>* related) {
    return TARNWICK_HOST_CALL(GetElementRelationList, guid, related);
}
// Fills related with the elements of the type the element holds (a roof's skylights by their owner).
inline GSErrCode ACAPGetRelatedElements(const API_Guid* guid, uint32_t typeCode,
                                        GS::Array<API_Guid>* related) {
    return TARNWICK_HOST_CALL(GetRelatedElements, guid, typeCode, related);
}
inline GSErrCode ACAPGetElementRelationCode(const API_Guid* guid, const API_Guid* other, uint32_t* code) {
    return TARNWICK_HOST_CALL(GetElementRelationCode, guid, other, code);
}
inline GSErrCode ACAPSetElementRelationCode(const API_Guid* guid, const GS::Array<API_Guid>* others,
                                            uint32_t code) {
    return TARNWICK_HOST_CALL(SetElementRelationCode, guid, others, code);
}
inline GSErrCode ACAPGetAssociatedElements(const API_Guid* guid, GS::Array<API_Guid>* associated) {
    return TARNWICK_HOST_CALL(GetAssociatedElements, guid, associated);
}
inline GSErrCode ACAPAssociateElements(const API_Guid* guid, const API_Guid* other, uint32_t flags,
                                       uint32_t subFlags) {
    return TARNWICK_HOST_CALL(AssociateElements, guid, other, flags, subFlags);
}
inline GSErrCode ACAPDissociateElements(const API_Guid* guid, const API_Guid* other) {
    return TARNWICK_HOST_CALL(DissociateElements, guid, other);
}
inline GSErrCode ACAPGetAssociationFlags(const API_Guid* guid, const API_Guid* other, uint32_t* flags) {
    return TARNWICK_HOST_CALL(GetAssociationFlags, guid, other, flags);
}
inline GSErrCode ACAPGetAssociationSubFlags(const API_Guid* guid, const API_Guid* other, uint32_t* flags) {
    return TARNWICK_HOST_CALL(GetAssociationSubFlags, guid, other, flags);
}
inline GSErrCode ACAPGetElementQuantities(const API_Guid* guid, const HostQuantityParameters* parameters,
                                          HostQuantityRequest* request, const uint8_t* mask) {
    return TARNWICK_HOST_CALL(GetElementQuantities, guid, parameters, request, mask);
}
// Calls the decomposer once per plane of the multi-plane roof, while the call lasts.
inline GSErrCode ACAPConvertPolyRoof(const API_Guid* guid, API_ElementDecomposerInterface* decomposer) {
    return TARNWICK_HOST_CALL(ConvertPolyRoof, guid, decomposer);
}

inline GSErrCode ACAPSearchLibPart(HostLibPart* part, void* reserved = nullptr, int32_t flags = 0) {
    return TARNWICK_HOST_CALL(SearchLibPart, part, reserved, flags);
}
inline GSErrCode ACAPGetLibPart(HostLibPart* part) {
    return TARNWICK_HOST_CALL(GetLibPart, part);
}
// Zero when the host does not supply the function.
inline GSErrCode ACAPGetLibPartCount(int32_t* count) {
    if (count) *count = 0;
    return TARNWICK_HOST_CALL(GetLibPartCount, count);
}
inline GSErrCode ACAPRegisterLibPart(HostLibPart* part) {
    return TARNWICK_HOST_CALL(RegisterLibPart, part);
}
inline GSErrCode ACAPGetLibPartParameters(int32_t libIndex, double* a, double* b, GSHandle* parameters) {
    return TARNWICK_HOST_CALL(GetLibPartParameters, libIndex, a, b, parameters);
}
inline GSErrCode ACAPDisposeParameterHandle(GSHandle* parameters) {
    return TARNWICK_HOST_CALL(DisposeParameterHandle, parameters);
}
inline GSErrCode ACAPGetLibPartSectionList(int32_t libIndex, int32_t* count, GSHandle* sections) {
    return TARNWICK_HOST_CALL(GetLibPartSectionList, libIndex, count, sections);
}
inline GSErrCode ACAPGetLibPartSection(int32_t libIndex, const HostLibPartSection* section, GSHandle* data,
                                       GS::UniString* text) {
    return TARNWICK_HOST_CALL(GetLibPartSection, libIndex, section, data, text);
}
inline GSErrCode ACAPUpdateLibPartSection(int32_t libIndex, const HostLibPartSection* section, GSHandle data,
                                          const GS::UniString* text) {
    return TARNWICK_HOST_CALL(UpdateLibPartSection, libIndex, section, data, text);
}
inline GSErrCode ACAPAddLibPartSection(const HostLibPartSection* section, GSHandle data,
                                       const GS::UniString* text) {
    return TARNWICK_HOST_CALL(AddLibPartSection, section, data, text);
}
inline GSErrCode ACAPBuildLibPartParamSection(GSHandle parameters, double a, double b, GSHandle* section) {
    return TARNWICK_HOST_CALL(BuildLibPartParamSection, parameters, a, b, section);
}
inline GSErrCode ACAPSetupLibPartParamSection(const HostLibPart* part, GSHandle section,
                                              const HostLibPartDetails* details) {
    return TARNWICK_HOST_CALL(SetupLibPartParamSection, part, section, details);
}
inline GSErrCode ACAPCreateLibPart(HostLibPart* part) {
    return TARNWICK_HOST_CALL(CreateLibPart, part);
}
inline GSErrCode ACAPSaveLibPart(HostLibPart* part) {
    return TARNWICK_HOST_CALL(SaveLibPart, part);
}
inline GSErrCode ACAPGetLibPartDetails(int32_t libIndex, HostLibPartDetails* details) {
    return TARNWICK_HOST_CALL(GetLibPartDetails, libIndex, details);
}
inline GSErrCode ACAPGetElementPrimitives(const HostElementHead* head, ShapePrimitiveProc callback) {
    return TARNWICK_HOST_CALL(GetElementPrimitives, head, callback);
}
inline GSErrCode ACAPGetIFCProperties(const API_Guid* guid, bool storedOnly,
                                      GS::Array<API_IFCProperty>* properties) {
    return TARNWICK_HOST_CALL(GetIFCProperties, guid, storedOnly, properties);
}
inline GSErrCode ACAPGetIFCAttributes(const API_Guid* guid, bool storedOnly,
                                      GS::Array<API_IFCAttribute>* attributes) {
    return TARNWICK_HOST_CALL(GetIFCAttributes, guid, storedOnly, attributes);
}
inline GSErrCode ACAPGetIFCClassificationReferences(const API_Guid* guid, bool storedOnly,
                                                    GS::Array<API_IFCClassificationReference>* references) {
    return TARNWICK_HOST_CALL(GetIFCClassificationReferences, guid, storedOnly, references);
}
inline GSErrCode ACAPSetIFCProperty(const API_Guid* guid, const API_IFCProperty* property) {
    return TARNWICK_HOST_CALL(SetIFCProperty, guid, property);
}
inline GSErrCode ACAPSetIFCAttribute(const API_Guid* guid, const API_IFCAttribute* attribute) {
    return TARNWICK_HOST_CALL(SetIFCAttribute, guid, attribute);
}
inline GSErrCode ACAPRemoveIFCProperty(const API_Guid* guid, const API_IFCProperty* property) {
    return TARNWICK_HOST_CALL(RemoveIFCProperty, guid, property);
}
inline GSErrCode ACAPGet3DModel(std::shared_ptr<const ModelerAPI::HostModelData>* model) {
    return TARNWICK_HOST_CALL(Get3DModel, model);
}
inline GSErrCode ACAPGet3DComponent(Host3DComponent* component) {
    return TARNWICK_HOST_CALL(Get3DComponent, component);
}
inline GSErrCode ACAPGet3DInfo(const HostElementHead* head, Host3DInfo* info) {
    return TARNWICK_HOST_CALL(Get3DInfo, head, info);
}
