// The table of host functions that the host hands the module through SetImportedFuncAddrs,
// and the table of entry functions the module hands the host through GetExportedFuncAddrs.
// A null slot is a function this host does not supply.
#pragma once

#include <memory>

#include "HostRecords.h"
#include "HostTypes.h"
#include "PrimitiveRecords.h"

namespace GS {
class UniString;
template <class T> class Array;
template <class K, class V> class HashTable;
} // namespace GS
struct ResourceModule;
using GSResModule = const ResourceModule*;

union API_Element;
struct API_ElementMemo;
struct API_IFCProperty;
struct API_IFCAttribute;
struct API_IFCClassificationReference;
union API_Attribute;
struct HostAttributeHeader;
struct HostAttributeMemo;
struct HostElementHead;
struct HostSelectionInfo;
struct HostQuantityParameters;
struct HostQuantityRequest;
struct HostLibPart;
struct HostLibPartSection;
struct HostLibPartDetails;
struct Host3DComponent;
struct Host3DInfo;
namespace ModelerAPI {
struct HostModelData;
}
class API_ElementDecomposerInterface;

// What the host passes to a menu handler.
struct HostMenuSelection {
    int32_t menuResId = 0; // the menu's string list id
    int32_t itemIndex = 0; // 1-based
};

// What the host passes to an element observer.
struct HostElementNotification {
    uint32_t kind = 0; // HostElementEvent
    int16_t typeId = 0;
    int16_t variation = 0;
    API_Guid guid;
};

enum HostElementEvent : uint32_t {
    ElementEventDataBegin = 1,
    ElementEventEdit = 2,
    ElementEventDelete = 3,
    ElementEventDataEnd = 4,
    ElementEventNew = 5, // an element the user's edit made
};

// Project notification types the host sends.
enum HostProjectNotification : uint32_t {
    ProjectNew = 1,
    ProjectNewAndReset = 2,
    ProjectOpen = 4,
    ProjectPreSave = 8,
    ProjectSave = 16,
    ProjectClose = 32,
    ProjectQuit = 64,
    ProjectChangeWorkspace = 0x10000,
};

// Requests of the module-data handler.
enum HostModuleDataRequest : uint32_t {
    ModuleDataBeforeSave = 1,
    ModuleDataAfterLoad = 2,
};

using MenuHandlerProc = GSErrCode (*)(const HostMenuSelection* selection);
using ProjectNotifierProc = GSErrCode (*)(uint32_t notification, int32_t parameter);
using ModuleDataHandlerProc = GSErrCode (*)(uint32_t request);
using ElementObserverProc = GSErrCode (*)(const HostElementNotification* notification);
using CommandHandlerProc = GSErrCode (*)(uint32_t commandId, int32_t version, GSHandle parameters);
using UndoableCommandProc = GSErrCode (*)(void* userData);

struct HostFunctionTable {
    uint32_t size = sizeof(HostFunctionTable); // lets older and newer tables be told apart

    // Dispatchers keyed by a four-character selector.
    GSErrCode (*DatabaseCall)(uint32_t selector, void* a, void* b, void* c) = nullptr;
    GSErrCode (*EnvironmentCall)(uint32_t selector, void* a, void* b, void* c) = nullptr;
    GSErrCode (*InterfaceCall)(uint32_t selector, void* a, void* b, void* c, void* d, void* e) = nullptr;
    GSErrCode (*UtilityCall)(uint32_t selector, void* a, void* b, void* c) = nullptr;
    GSErrCode (*AutomationCall)(uint32_t selector, void* a, void* b) = nullptr;

    // The module and its entries.
    GSResModule (*GetOwnResModule)() = nullptr;
    GSErrCode (*SetEntryFlag)(bool inside) = nullptr;
    GSErrCode (*RegisterMenu)(int32_t menuResId, int32_t promptResId, int32_t positionCode,
                              int32_t flags) = nullptr;
    GSErrCode (*InstallMenuHandler)(int32_t menuResId, MenuHandlerProc handler) = nullptr;
    GSErrCode (*GetMenuItemFlags)(int32_t menuResId, int32_t itemIndex, int32_t* flags) = nullptr;
    GSErrCode (*SetMenuItemFlags)(int32_t menuResId, int32_t itemIndex, int32_t flags) = nullptr;
    GSErrCode (*InstallProjectNotifier)(ProjectNotifierProc handler) = nullptr;
    GSErrCode (*InstallModuleDataHandler)(ModuleDataHandlerProc handler) = nullptr;
    GSErrCode (*InstallElementObserver)(ElementObserverProc handler) = nullptr;
    GSErrCode (*InstallCommandHandler)(uint32_t commandId, int32_t version,
                                       CommandHandlerProc handler) = nullptr;

    // Project state, module data and undoable commands.
    GSErrCode (*HasOpenProject)(bool* open) = nullptr;
    GSErrCode (*GetModuleData)(GSHandle* data) = nullptr; // the caller owns the handle
    GSErrCode (*SetModuleData)(GSHandle data) = nullptr;  // the host copies it
    // Module data under a key of the module's own (UTF-8, 1 to 255 bytes), kept beside the data
    // above and saved with the project likewise; an unknown key answers NotFound, null data
    // removes the key.
    GSErrCode (*GetModuleDataByKey)(const char* key, GSHandle* data) = nullptr;
    GSErrCode (*SetModuleDataByKey)(const char* key, GSHandle data) = nullptr;
    GSErrCode (*RunUndoableCommand)(const GS::UniString* name, UndoableCommandProc proc,
                                    void* userData) = nullptr;
    GSErrCode (*GetSuspendGroups)(bool* on) = nullptr;
    GSErrCode (*SetSuspendGroups)(bool on) = nullptr;
    GSErrCode (*GetEditTransformation)(HostEditTransformation* record) = nullptr;

    // Attributes.
    GSErrCode (*CreateAttribute)(API_Attribute* attribute, HostAttributeMemo* memo) = nullptr;
    GSErrCode (*ModifyAttribute)(API_Attribute* attribute, HostAttributeMemo* memo) = nullptr;
    GSErrCode (*DeleteAttribute)(HostAttributeHeader* header) = nullptr;
    GSErrCode (*DeleteAttributes)(HostAttributeHeader* header, GSHandle indices) = nullptr;
    GSErrCode (*GetAttribute)(API_Attribute* attribute) = nullptr;
    GSErrCode (*GetAttributeCount)(uint8_t typeCode, uint16_t* count) = nullptr;
    GSErrCode (*GetAttributeMemo)(uint8_t typeCode, int16_t index, HostAttributeMemo* memo) = nullptr;
    GSErrCode (*DisposeAttributeMemo)(HostAttributeMemo* memo) = nullptr;
    GSErrCode (*GetAttributeUserData)(HostAttributeHeader* header, HostUserData* userData) = nullptr;
    GSErrCode (*SearchAttribute)(HostAttributeHeader* header) = nullptr;

    // Elements: defaults and user data.
    GSErrCode (*GetDefaultElement)(API_Element* element, API_ElementMemo* memo) = nullptr;
    GSErrCode (*DisposeElementMemo)(API_ElementMemo* memo) = nullptr;
    GSErrCode (*GetElementUserData)(HostElementHead* head, HostUserData* userData) = nullptr;
    GSErrCode (*SetElementUserData)(HostElementHead* head, HostUserData* userData) = nullptr;
    GSErrCode (*ClearElementUserData)(HostElementHead* head) = nullptr;

    // Shared projects, reservations and lockable objects.
    bool (*IsSharedProject)() = nullptr;
    bool (*SharedProjectCall)() = nullptr;
    GSErrCode (*GetElementReservations)(const GS::Array<API_Guid>* elements,
                                        GS::HashTable<API_Guid, int16_t>* heldByOthers) = nullptr;
    GSErrCode (*ReleaseElements)(const GS::Array<API_Guid>* elements) = nullptr;
    GSErrCode (*GetLockableObjectGuid)(API_Guid* guid, const char* name) = nullptr;
    bool (*LockableObjectQueryCall)(const API_Guid* guid) = nullptr;
    bool (*LockableObjectStateCall)(const API_Guid* guid) = nullptr;
    int32_t (*GetLockableObjectStatus)(const API_Guid* guid, int32_t reserved) = nullptr;
    GSErrCode (*ReserveLockableObject)(const API_Guid* guid, int32_t reserved, int32_t flag) = nullptr;
    GSErrCode (*ReleaseLockableObject)(const API_Guid* guid, int32_t flag) = nullptr;

    // Elements: reading. The record's head names the element by its Guid.
    GSErrCode (*GetElement)(API_Element* element) = nullptr;
    GSErrCode (*GetElementHeader)(HostElementHead* head) = nullptr;
    // A mask of 0 means every part. The caller owns what the memo receives.
    GSErrCode (*GetElementMemo)(const API_Guid* guid, API_ElementMemo* memo, uint64_t mask) = nullptr;
    // The Guids of the elements of a type (0: every type) in a database (a null or empty Guid: the
    // current one) that pass the filter flags.
    GSErrCode (*GetElementList)(uint32_t typeCode, GS::Array<API_Guid>* guids, uint32_t filterFlags,
                                uint32_t variation, const API_Guid* databaseGuid) = nullptr;
    bool (*FilterElement)(const API_Guid* guid, uint32_t filterFlags, uint32_t variation,
                          const API_Guid* databaseGuid) = nullptr;
    // The current database's selection: a new handle of HostSelectionRecord the caller owns.
    GSErrCode (*GetSelection)(HostSelectionInfo* info, GSHandle* references) = nullptr;
    GSErrCode (*SelectElements)(GSHandle references, int32_t count, bool select) = nullptr;
    GSErrCode (*GetLinkedElements)(const API_Guid* guid, GS::Array<API_Guid>* linked) = nullptr;

    // Elements: changing.
    GSErrCode (*ChangeDefaultElement)(API_Element* element, API_ElementMemo* memo,
                                      const API_Element* mask) = nullptr;
    GSErrCode (*CreateElement)(API_Element* element, API_ElementMemo* memo) = nullptr; // fills the Guid
    GSErrCode (*ChangeElement)(API_Element* element, const API_Element* mask, API_ElementMemo* memo,
                               uint64_t memoMask, bool withDelete) = nullptr;
    GSErrCode (*DeleteElements)(GSHandle heads, int32_t count) = nullptr; // HostElementHead records
    // "LOCK" and "ULCK" over a handle of HostElementHead records.
    GSErrCode (*ElementToolCall)(uint32_t selector, GSHandle heads, int32_t count) = nullptr;
    GSErrCode (*ElementSwitchOnCall)(HostElementHead* head) = nullptr;
    GSErrCode (*ElementSwitchOffCall)(HostElementHead* head) = nullptr;
    // Takes the bytes of values where mask is not 0 (null: all) into each element of the heads'
    // handle (HostElementHead records), and the memo's parts (null: none) where it brings them.
    GSErrCode (*ChangeElementParameters)(GSHandle heads, int32_t count, const API_Element* values,
                                         API_ElementMemo* memo, const API_Element* mask) = nullptr;
    // Moves, rotates or scales the elements of a handle of HostSelectionRecord records in the
    // current database, and rewrites the records as the edited elements.
    GSErrCode (*EditElements)(GSHandle references, int32_t count,
                              const HostEditTransformation* edit) = nullptr;

    // Elements: links, relations and associations.
    GSErrCode (*LinkElements)(const API_Guid* owner, const API_Guid* linked, uint32_t flags) = nullptr;
    GSErrCode (*UnlinkElements)(const API_Guid* owner, const API_Guid* linked) = nullptr;
    GSErrCode (*GetElementLinkFlags)(const API_Guid* owner, const API_Guid* linked,
                                     uint32_t* flags) = nullptr;
    GSErrCode (*ElementGuidCall)(const API_Guid* guid, API_Guid* related) = nullptr;
    GSErrCode (*GetElementRelationList)(const API_Guid* guid, GS::Array<API_Guid>* related) = nullptr;
    // The elements of the type that the element holds: a roof's or shell's skylights, a wall's windows
    // or doors, in the database's order.
    GSErrCode (*GetRelatedElements)(const API_Guid* guid, uint32_t typeCode,
                                    GS::Array<API_Guid>* related) = nullptr;
    GSErrCode (*GetElementRelationCode)(const API_Guid* guid, const API_Guid* other,
                                        uint32_t* code) = nullptr;
    GSErrCode (*SetElementRelationCode)(const API_Guid* guid, const GS::Array<API_Guid>* others,
                                        uint32_t code) = nullptr;
    GSErrCode (*GetAssociatedElements)(const API_Guid* guid, GS::Array<API_Guid>* associated) = nullptr;
    GSErrCode (*AssociateElements)(const API_Guid* guid, const API_Guid* other, uint32_t flags,
                                   uint32_t subFlags) = nullptr;
    GSErrCode (*DissociateElements)(const API_Guid* guid, const API_Guid* other) = nullptr;
    GSErrCode (*GetAssociationFlags)(const API_Guid* guid, const API_Guid* other, uint32_t* flags) = nullptr;
    GSErrCode (*GetAssociationSubFlags)(const API_Guid* guid, const API_Guid* other,
                                        uint32_t* flags) = nullptr;

    // Elements: quantities. The mask holds HostQuantityMaskSize bytes.
    GSErrCode (*GetElementQuantities)(const API_Guid* guid, const HostQuantityParameters* parameters,
                                      HostQuantityRequest* request, const uint8_t* mask) = nullptr;
    // Splits a multi-plane roof into single-plane roofs, handing each to the decomposer.
    GSErrCode (*ConvertPolyRoof)(const API_Guid* guid, API_ElementDecomposerInterface* decomposer) = nullptr;

    // Library parts. A search fills the record of the first part that matches what the record
    // names: its own unique id, else its parent unique id (after the record's index), else its
    // document name (and type, when not 0), else its file name.
    GSErrCode (*SearchLibPart)(HostLibPart* part, void* reserved, int32_t flags) = nullptr;
    GSErrCode (*GetLibPart)(HostLibPart* part) = nullptr; // the part at the record's index
    GSErrCode (*GetLibPartCount)(int32_t* count) = nullptr;
    // Adds the part file at the record's location with its type and owner; fills in its index.
    GSErrCode (*RegisterLibPart)(HostLibPart* part) = nullptr;
    // The part's default sizes and a new handle of its additional-parameter records (null when it
    // has none), disposed of with DisposeParameterHandle.
    GSErrCode (*GetLibPartParameters)(int32_t libIndex, double* a, double* b, GSHandle* parameters) = nullptr;
    // Frees a handle of additional-parameter records with the value handles of its arrays; nulls it.
    GSErrCode (*DisposeParameterHandle)(GSHandle* parameters) = nullptr;

    // Library parts: sections, details and new parts. The section list is a new handle of
    // HostLibPartSection records; a section comes as a new handle and, for a script or other text
    // section, as text (then the handle may be null). A missing section answers 0x810600CD.
    GSErrCode (*GetLibPartSectionList)(int32_t libIndex, int32_t* count, GSHandle* sections) = nullptr;
    GSErrCode (*GetLibPartSection)(int32_t libIndex, const HostLibPartSection* section, GSHandle* data,
                                   GS::UniString* text) = nullptr;
    // Rewrites a section of a part, or adds one to the part being created; a text section is taken
    // from the text, another from the handle.
    GSErrCode (*UpdateLibPartSection)(int32_t libIndex, const HostLibPartSection* section, GSHandle data,
                                      const GS::UniString* text) = nullptr;
    GSErrCode (*AddLibPartSection)(const HostLibPartSection* section, GSHandle data,
                                   const GS::UniString* text) = nullptr;
    // A new "PARD" section (HostParamSectionHeader) of the additional-parameter records and sizes.
    GSErrCode (*BuildLibPartParamSection)(GSHandle parameters, double a, double b,
                                          GSHandle* section) = nullptr;
    // Writes the part's details into a "PARD" section before it is added or rewritten.
    GSErrCode (*SetupLibPartParamSection)(const HostLibPart* part, GSHandle section,
                                          const HostLibPartDetails* details) = nullptr;
    // Opens a new part of the record's type and names (one at a time); saving registers it and
    // fills the record in (index, unique ids, the version field; a location the caller deletes).
    GSErrCode (*CreateLibPart)(HostLibPart* part) = nullptr;
    GSErrCode (*SaveLibPart)(HostLibPart* part) = nullptr;
    GSErrCode (*GetLibPartDetails)(int32_t libIndex, HostLibPartDetails* details) = nullptr;

    // An element's drawing, one primitive per call of the callback, in the host's order. The element
    // must be in the current database.
    GSErrCode (*GetElementPrimitives)(const HostElementHead* head, ShapePrimitiveProc callback) = nullptr;

    // An element's IFC data. Reads that are not stored-only add what the host derives.
    GSErrCode (*GetIFCProperties)(const API_Guid* guid, bool storedOnly,
                                  GS::Array<API_IFCProperty>* properties) = nullptr;
    GSErrCode (*GetIFCAttributes)(const API_Guid* guid, bool storedOnly,
                                  GS::Array<API_IFCAttribute>* attributes) = nullptr;
    GSErrCode (*GetIFCClassificationReferences)(const API_Guid* guid, bool storedOnly,
                                                GS::Array<API_IFCClassificationReference>* references) =
        nullptr;
    GSErrCode (*SetIFCProperty)(const API_Guid* guid, const API_IFCProperty* property) = nullptr;
    GSErrCode (*SetIFCAttribute)(const API_Guid* guid, const API_IFCAttribute* attribute) = nullptr;
    GSErrCode (*RemoveIFCProperty)(const API_Guid* guid, const API_IFCProperty* property) = nullptr;

    // The shared 3D model of the current database (the 3D window's); released by dropping it.
    GSErrCode (*Get3DModel)(std::shared_ptr<const ModelerAPI::HostModelData>* model) = nullptr;
    // The component of the record's kind and index (and body, for the parts of a body).
    GSErrCode (*Get3DComponent)(Host3DComponent* component) = nullptr;
    // The range of bodies the 3D database holds of the element.
    GSErrCode (*Get3DInfo)(const HostElementHead* head, Host3DInfo* info) = nullptr;
};

// What the module's environment check fills in.
struct HostEnvironment {
    char addonName[256] = {};
    char addonDescription[512] = {};
    uint32_t hostVersion = 0;
};

enum HostAddonKind : int32_t {
    AddonDoNotLoad = 0,
    AddonNormal = 1,
};

struct ModuleExports {
    uint32_t size = sizeof(ModuleExports);
    int32_t (*CheckEnvironment)(HostEnvironment* environment) = nullptr; // a HostAddonKind
    GSErrCode (*RegisterInterface)() = nullptr;
    GSErrCode (*Initialize)() = nullptr;
    GSErrCode (*FreeData)() = nullptr;
    GSResModule resources = nullptr; // the module's own resources (its "resource module")
};

// The two functions a module exports.
using GetExportedFuncAddrsProc = GSErrCode (*)(ModuleExports* exports);
using SetImportedFuncAddrsProc = GSErrCode (*)(const HostFunctionTable* table);
