// The host's answers to the function table's project, attribute and element slots, over the open
// project of the current host. Each describes its call in `brief` for the call log; the table
// layer (ModelFunctions.cpp) logs it. Changes to the project's contents (elements, attributes,
// views) are refused outside an undoable command, as a real host refuses them.
#pragma once

#include <string>
#include <unordered_set>

#include "CallLog.h"
#include "Project.h"
#include "platform/api/HostFunctionTable.h"
#include "platform/gsroot/Guid.h"

namespace zavhost {

class StandInHost;
class SelectorTable;

// --- Shared helpers of the model calls.
namespace model {
// The open project, or null with `brief` saying so.
Project* project(StandInHost& host, std::string& brief);
// The current database; the floor plan when the remembered one is gone.
ViewDatabase& currentDatabase(Project& project);
// The database a list or filter call names: the Guid with flag 0x400 (the "GARF" Guid and a
// null Guid mean the current one), else the current one. Null for an unknown Guid.
ViewDatabase* databaseOf(Project& project, uint32_t filterFlags, const API_Guid* databaseGuid);
// True when a change may be made now; else `brief` says why.
bool changesAllowed(StandInHost& host, std::string& brief);
std::string guidText(const API_Guid& guid);
// A small number passed as a selector's pointer argument itself (below 0x10000), or a pointer to
// a 32-bit value.
uint32_t valueArgument(void* argument);
// The Guid "GARF" answers: it names the current database in list and filter calls.
const API_Guid& currentDatabaseGuid();
// "GARF": answers currentDatabaseGuid() (the database and environment dispatchers both know it).
void addCurrentDatabaseGuidSelector(SelectorTable& table);
// Removes an element, the proxies that stand for it, its relations and its selection entries.
void deleteElement(Project& project, const API_Guid& guid);
// Deletes a view (not the floor plan or the 3D model) with its elements; layouts that used it as
// their master lose it.
void deleteView(Project& project, const API_Guid& viewGuid);
} // namespace model

// Element filter flags of GetElementList and FilterElement.
enum HostElementFilter : uint32_t {
    FilterSelected = 0x0002,     // in the database's selection
    FilterVisibleLayer = 0x0004, // on a layer that is not hidden
    FilterEditable = 0x0008,     // not locked, not in an edit block, on a layer that is not locked
    FilterHasUserData = 0x0010,  // has the add-on's user data
    FilterDatabaseGuid = 0x0400, // in the database of the Guid argument, else the current one
};

namespace attributecalls {
GSErrCode create(StandInHost& host, API_Attribute* attribute, HostAttributeMemo* memo, std::string& brief);
GSErrCode modify(StandInHost& host, API_Attribute* attribute, HostAttributeMemo* memo, std::string& brief);
GSErrCode remove(StandInHost& host, HostAttributeHeader* header, std::string& brief);
GSErrCode removeMany(StandInHost& host, HostAttributeHeader* header, GSHandle indices, std::string& brief);
GSErrCode get(StandInHost& host, API_Attribute* attribute, std::string& brief);
GSErrCode count(StandInHost& host, uint8_t type, uint16_t* count, std::string& brief);
GSErrCode getMemo(StandInHost& host, uint8_t type, int16_t index, HostAttributeMemo* memo,
                  std::string& brief);
GSErrCode disposeMemo(HostAttributeMemo* memo, std::string& brief);
GSErrCode getUserData(StandInHost& host, HostAttributeHeader* header, HostUserData* data, std::string& brief);
GSErrCode search(StandInHost& host, HostAttributeHeader* header, std::string& brief);
} // namespace attributecalls

namespace sharingcalls {
bool isShared(StandInHost& host);
GSErrCode reserve(StandInHost& host, const GS::Array<API_Guid>* elements,
                  GS::HashTable<API_Guid, int16_t>* heldByOthers, std::string& brief);
GSErrCode release(StandInHost& host, const GS::Array<API_Guid>* elements, std::string& brief);
// Lockable objects have fixed Guids made from their names.
GSErrCode lockableGuid(StandInHost& host, API_Guid* guid, const char* name, std::string& brief);
bool lockableKnown(StandInHost& host, const API_Guid* guid);
int32_t lockableStatus(StandInHost& host, const API_Guid* guid);
GSErrCode reserveLockable(StandInHost& host, const API_Guid* guid, std::string& brief);
GSErrCode releaseLockable(StandInHost& host, const API_Guid* guid, std::string& brief);
API_Guid lockableGuidOf(const std::string& name);
} // namespace sharingcalls

namespace elementreads {
GSErrCode get(StandInHost& host, API_Element* element, CallBrief& brief);
GSErrCode header(StandInHost& host, HostElementHead* head, CallBrief& brief);
GSErrCode memo(StandInHost& host, const API_Guid* guid, API_ElementMemo* memo, uint64_t mask,
               CallBrief& brief);
GSErrCode disposeMemo(API_ElementMemo* memo, std::string& brief);
GSErrCode list(StandInHost& host, uint32_t type, GS::Array<API_Guid>* guids, uint32_t flags,
               uint32_t variation, const API_Guid* databaseGuid, std::string& brief);
bool filter(StandInHost& host, const API_Guid* guid, uint32_t flags, uint32_t variation,
            const API_Guid* databaseGuid, std::string& brief);
GSErrCode selection(StandInHost& host, HostSelectionInfo* info, GSHandle* references, std::string& brief);
GSErrCode select(StandInHost& host, GSHandle references, int32_t count, bool on, std::string& brief);
GSErrCode linked(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* linked, std::string& brief);
GSErrCode defaultElement(StandInHost& host, API_Element* element, API_ElementMemo* memo, std::string& brief);
GSErrCode getUserData(StandInHost& host, HostElementHead* head, HostUserData* data, CallBrief& brief);
GSErrCode setUserData(StandInHost& host, HostElementHead* head, HostUserData* data, std::string& brief);
GSErrCode clearUserData(StandInHost& host, HostElementHead* head, std::string& brief);
// Whether an element passes the filter flags in a database (the list and filter calls' test).
bool passes(Project& project, const ViewDatabase& database, const StoredElement& element, uint32_t flags,
            uint32_t variation);
} // namespace elementreads

namespace elementchanges {
GSErrCode create(StandInHost& host, API_Element* element, API_ElementMemo* memo, std::string& brief);
GSErrCode change(StandInHost& host, API_Element* element, const API_Element* mask, API_ElementMemo* memo,
                 uint64_t memoMask, std::string& brief);
GSErrCode changeDefault(StandInHost& host, API_Element* element, API_ElementMemo* memo,
                        const API_Element* mask, std::string& brief);
GSErrCode remove(StandInHost& host, GSHandle heads, int32_t count, std::string& brief);
GSErrCode tool(StandInHost& host, uint32_t selector, GSHandle heads, int32_t count, std::string& brief);
GSErrCode switchElement(StandInHost& host, HostElementHead* head, bool on, std::string& brief);
// ChangeElementParameters: the masked bytes of values (and the parts the memo brings) into every
// element of the heads; all or none.
GSErrCode changeParameters(StandInHost& host, GSHandle heads, int32_t count, const API_Element* values,
                           API_ElementMemo* memo, const API_Element* mask, std::string& brief);
// EditElements: the edit applied to the geometry of the referenced elements of the current
// database (not the 3D model's: edits are made in the floor plan); all or none.
GSErrCode edit(StandInHost& host, GSHandle references, int32_t count, const HostEditTransformation* edit,
               std::string& brief);
GSErrCode link(StandInHost& host, const API_Guid* owner, const API_Guid* linked, uint32_t flags, bool on,
               std::string& brief);
GSErrCode linkFlags(StandInHost& host, const API_Guid* owner, const API_Guid* linked, uint32_t* flags,
                    std::string& brief);
GSErrCode relatedGuid(StandInHost& host, const API_Guid* guid, API_Guid* related, std::string& brief);
GSErrCode relationList(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* related,
                       std::string& brief);
// The elements of the type whose owner is the element: skylights (roofs and shells), windows and
// doors (walls); none of another type.
GSErrCode relatedElements(StandInHost& host, const API_Guid* guid, uint32_t typeCode,
                          GS::Array<API_Guid>* related, std::string& brief);
GSErrCode relationCode(StandInHost& host, const API_Guid* guid, const API_Guid* other, uint32_t* code,
                       std::string& brief);
GSErrCode setRelationCode(StandInHost& host, const API_Guid* guid, const GS::Array<API_Guid>* others,
                          uint32_t code, std::string& brief);
GSErrCode associated(StandInHost& host, const API_Guid* guid, GS::Array<API_Guid>* others,
                     std::string& brief);
GSErrCode associate(StandInHost& host, const API_Guid* guid, const API_Guid* other, uint32_t flags,
                    uint32_t subFlags, std::string& brief);
GSErrCode dissociate(StandInHost& host, const API_Guid* guid, const API_Guid* other, std::string& brief);
GSErrCode associationFlags(StandInHost& host, const API_Guid* guid, const API_Guid* other, bool sub,
                           uint32_t* flags, std::string& brief);
GSErrCode quantities(StandInHost& host, const API_Guid* guid, const HostQuantityParameters* parameters,
                     HostQuantityRequest* request, const uint8_t* mask, std::string& brief);
} // namespace elementchanges

// The dispatcher selectors of the model: environment ("PROJ", "GPRN", "GPRF", "GPLA", "CPLA", "GCLC",
// "SHAR", "SETD", "GSTO", "CSTO", "GARF"), database (views, current database and front window,
// element selectors), utility ("NTOE", "NTOC") and automation ("CHWD").
void registerEnvironmentSelectors(StandInHost& host);
void registerDatabaseSelectors(StandInHost& host);
void registerElementSelectors(StandInHost& host);
// "GDLN": the view a placed drawing shows (DrawingLinks.cpp).
void registerDrawingLinkSelector(StandInHost& host);
// A view's window: "GEX2", "GZOM", "PTOC", "CTOP", "DRWE", "DRDB", "RBDB" (database), "ZOOM",
// "DOOM", "RBLD" (automation), "HGEL" (interface) and "RPAS" (utility).
void registerViewSelectors(StandInHost& host);

// Fills the table's project, attribute and element slots.
void fillModelFunctions(HostFunctionTable* table);

} // namespace zavhost
