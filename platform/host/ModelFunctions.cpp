// The function table's project, attribute and element slots: each logs its call in the current
// host's call log and forwards it to the model calls.
#include <type_traits>

#include "CallForwarding.h"
#include "ModelCalls.h"
#include "PolyRoofParts.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {

using forwarding::host;
using forwarding::logged;

template <class Call> GSErrCode forward(const char* function, Call call) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    CallBrief brief;
    GSErrCode err = hosterr::Ok;
    // Calls on the paths walked per element leave facts to be told when the log is read.
    if constexpr (std::is_invocable_v<Call, StandInHost&, CallBrief&>)
        err = call(*h, brief);
    else
        err = call(*h, brief.text);
    return logged(function, std::move(brief), err);
}

template <class Call> bool forwardTest(const char* function, Call call) {
    StandInHost* h = host();
    if (h == nullptr) return false;
    std::string brief;
    bool answer = call(*h, brief);
    logged(function,
           brief.empty() ? (answer ? "=> true" : "=> false") : brief + (answer ? " => true" : " => false"),
           hosterr::Ok);
    return answer;
}

// --- Attributes.
GSErrCode createAttribute(API_Attribute* a, HostAttributeMemo* m) {
    return forward("CreateAttribute",
                   [&](StandInHost& h, std::string& b) { return attributecalls::create(h, a, m, b); });
}
GSErrCode modifyAttribute(API_Attribute* a, HostAttributeMemo* m) {
    return forward("ModifyAttribute",
                   [&](StandInHost& h, std::string& b) { return attributecalls::modify(h, a, m, b); });
}
GSErrCode deleteAttribute(HostAttributeHeader* header) {
    return forward("DeleteAttribute",
                   [&](StandInHost& h, std::string& b) { return attributecalls::remove(h, header, b); });
}
GSErrCode deleteAttributes(HostAttributeHeader* header, GSHandle indices) {
    return forward("DeleteAttributes", [&](StandInHost& h, std::string& b) {
        return attributecalls::removeMany(h, header, indices, b);
    });
}
GSErrCode getAttribute(API_Attribute* a) {
    return forward("GetAttribute",
                   [&](StandInHost& h, std::string& b) { return attributecalls::get(h, a, b); });
}
GSErrCode getAttributeCount(uint8_t type, uint16_t* count) {
    return forward("GetAttributeCount",
                   [&](StandInHost& h, std::string& b) { return attributecalls::count(h, type, count, b); });
}
GSErrCode getAttributeMemo(uint8_t type, int16_t index, HostAttributeMemo* memo) {
    return forward("GetAttributeMemo", [&](StandInHost& h, std::string& b) {
        return attributecalls::getMemo(h, type, index, memo, b);
    });
}
GSErrCode disposeAttributeMemoSlot(HostAttributeMemo* memo) {
    return forward("DisposeAttributeMemo",
                   [&](StandInHost&, std::string& b) { return attributecalls::disposeMemo(memo, b); });
}
GSErrCode getAttributeUserData(HostAttributeHeader* header, HostUserData* data) {
    return forward("GetAttributeUserData", [&](StandInHost& h, std::string& b) {
        return attributecalls::getUserData(h, header, data, b);
    });
}
GSErrCode searchAttribute(HostAttributeHeader* header) {
    return forward("SearchAttribute",
                   [&](StandInHost& h, std::string& b) { return attributecalls::search(h, header, b); });
}

// --- Defaults and user data.
GSErrCode getDefaultElement(API_Element* e, API_ElementMemo* m) {
    return forward("GetDefaultElement",
                   [&](StandInHost& h, std::string& b) { return elementreads::defaultElement(h, e, m, b); });
}
GSErrCode disposeElementMemoSlot(API_ElementMemo* memo) {
    return forward("DisposeElementMemo",
                   [&](StandInHost&, std::string& b) { return elementreads::disposeMemo(memo, b); });
}
GSErrCode getElementUserData(HostElementHead* head, HostUserData* data) {
    return forward("GetElementUserData",
                   [&](StandInHost& h, CallBrief& b) { return elementreads::getUserData(h, head, data, b); });
}
GSErrCode setElementUserData(HostElementHead* head, HostUserData* data) {
    return forward("SetElementUserData", [&](StandInHost& h, std::string& b) {
        return elementreads::setUserData(h, head, data, b);
    });
}
GSErrCode clearElementUserData(HostElementHead* head) {
    return forward("ClearElementUserData",
                   [&](StandInHost& h, std::string& b) { return elementreads::clearUserData(h, head, b); });
}

// --- Shared projects.
bool isSharedProject() {
    return forwardTest("IsSharedProject",
                       [](StandInHost& h, std::string&) { return sharingcalls::isShared(h); });
}
bool sharedProjectCall() {
    return forwardTest("SharedProjectCall",
                       [](StandInHost& h, std::string&) { return sharingcalls::isShared(h); });
}
GSErrCode getElementReservations(const GS::Array<API_Guid>* elements,
                                 GS::HashTable<API_Guid, int16_t>* held) {
    return forward("GetElementReservations", [&](StandInHost& h, std::string& b) {
        return sharingcalls::reserve(h, elements, held, b);
    });
}
GSErrCode releaseElements(const GS::Array<API_Guid>* elements) {
    return forward("ReleaseElements",
                   [&](StandInHost& h, std::string& b) { return sharingcalls::release(h, elements, b); });
}
GSErrCode getLockableObjectGuid(API_Guid* guid, const char* name) {
    return forward("GetLockableObjectGuid", [&](StandInHost& h, std::string& b) {
        return sharingcalls::lockableGuid(h, guid, name, b);
    });
}
bool lockableObjectQueryCall(const API_Guid* guid) {
    return forwardTest("LockableObjectQueryCall",
                       [&](StandInHost& h, std::string&) { return sharingcalls::lockableKnown(h, guid); });
}
bool lockableObjectStateCall(const API_Guid* guid) {
    return forwardTest("LockableObjectStateCall",
                       [&](StandInHost& h, std::string&) { return sharingcalls::lockableKnown(h, guid); });
}
int32_t getLockableObjectStatus(const API_Guid* guid, int32_t) {
    StandInHost* h = host();
    if (h == nullptr) return 0;
    int32_t status = sharingcalls::lockableStatus(*h, guid);
    logged("GetLockableObjectStatus", "=> " + std::to_string(status), hosterr::Ok);
    return status;
}
GSErrCode reserveLockableObject(const API_Guid* guid, int32_t, int32_t) {
    return forward("ReserveLockableObject",
                   [&](StandInHost& h, std::string& b) { return sharingcalls::reserveLockable(h, guid, b); });
}
GSErrCode releaseLockableObject(const API_Guid* guid, int32_t) {
    return forward("ReleaseLockableObject",
                   [&](StandInHost& h, std::string& b) { return sharingcalls::releaseLockable(h, guid, b); });
}

// --- Reading elements.
GSErrCode getElement(API_Element* e) {
    return forward("GetElement", [&](StandInHost& h, CallBrief& b) { return elementreads::get(h, e, b); });
}
GSErrCode getElementHeader(HostElementHead* head) {
    return forward("GetElementHeader",
                   [&](StandInHost& h, CallBrief& b) { return elementreads::header(h, head, b); });
}
GSErrCode getElementMemo(const API_Guid* guid, API_ElementMemo* memo, uint64_t mask) {
    return forward("GetElementMemo",
                   [&](StandInHost& h, CallBrief& b) { return elementreads::memo(h, guid, memo, mask, b); });
}
GSErrCode getElementList(uint32_t type, GS::Array<API_Guid>* guids, uint32_t flags, uint32_t variation,
                         const API_Guid* database) {
    return forward("GetElementList", [&](StandInHost& h, std::string& b) {
        return elementreads::list(h, type, guids, flags, variation, database, b);
    });
}
bool filterElement(const API_Guid* guid, uint32_t flags, uint32_t variation, const API_Guid* database) {
    return forwardTest("FilterElement", [&](StandInHost& h, std::string& b) {
        return elementreads::filter(h, guid, flags, variation, database, b);
    });
}
GSErrCode getSelection(HostSelectionInfo* info, GSHandle* references) {
    return forward("GetSelection", [&](StandInHost& h, std::string& b) {
        return elementreads::selection(h, info, references, b);
    });
}
GSErrCode selectElements(GSHandle references, int32_t count, bool select) {
    return forward("SelectElements", [&](StandInHost& h, std::string& b) {
        return elementreads::select(h, references, count, select, b);
    });
}
GSErrCode getLinkedElements(const API_Guid* guid, GS::Array<API_Guid>* linked) {
    return forward("GetLinkedElements",
                   [&](StandInHost& h, std::string& b) { return elementreads::linked(h, guid, linked, b); });
}

// --- Changing elements.
GSErrCode changeDefaultElement(API_Element* e, API_ElementMemo* m, const API_Element* mask) {
    return forward("ChangeDefaultElement", [&](StandInHost& h, std::string& b) {
        return elementchanges::changeDefault(h, e, m, mask, b);
    });
}
GSErrCode createElement(API_Element* e, API_ElementMemo* m) {
    return forward("CreateElement",
                   [&](StandInHost& h, std::string& b) { return elementchanges::create(h, e, m, b); });
}
GSErrCode changeElement(API_Element* e, const API_Element* mask, API_ElementMemo* m, uint64_t memoMask,
                        bool) {
    return forward("ChangeElement", [&](StandInHost& h, std::string& b) {
        return elementchanges::change(h, e, mask, m, memoMask, b);
    });
}
GSErrCode deleteElements(GSHandle heads, int32_t count) {
    return forward("DeleteElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::remove(h, heads, count, b);
    });
}
GSErrCode elementToolCall(uint32_t selector, GSHandle heads, int32_t count) {
    return forward("ElementToolCall", [&](StandInHost& h, std::string& b) {
        return elementchanges::tool(h, selector, heads, count, b);
    });
}
GSErrCode elementSwitchOnCall(HostElementHead* head) {
    return forward("ElementSwitchOnCall", [&](StandInHost& h, std::string& b) {
        return elementchanges::switchElement(h, head, true, b);
    });
}
GSErrCode elementSwitchOffCall(HostElementHead* head) {
    return forward("ElementSwitchOffCall", [&](StandInHost& h, std::string& b) {
        return elementchanges::switchElement(h, head, false, b);
    });
}
GSErrCode changeElementParameters(GSHandle heads, int32_t count, const API_Element* values,
                                  API_ElementMemo* memo, const API_Element* mask) {
    return forward("ChangeElementParameters", [&](StandInHost& h, std::string& b) {
        return elementchanges::changeParameters(h, heads, count, values, memo, mask, b);
    });
}
GSErrCode editElements(GSHandle references, int32_t count, const HostEditTransformation* edit) {
    return forward("EditElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::edit(h, references, count, edit, b);
    });
}

// --- Links, relations, associations and quantities.
GSErrCode linkElements(const API_Guid* owner, const API_Guid* linked, uint32_t flags) {
    return forward("LinkElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::link(h, owner, linked, flags, true, b);
    });
}
GSErrCode unlinkElements(const API_Guid* owner, const API_Guid* linked) {
    return forward("UnlinkElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::link(h, owner, linked, 0, false, b);
    });
}
GSErrCode getElementLinkFlags(const API_Guid* owner, const API_Guid* linked, uint32_t* flags) {
    return forward("GetElementLinkFlags", [&](StandInHost& h, std::string& b) {
        return elementchanges::linkFlags(h, owner, linked, flags, b);
    });
}
GSErrCode elementGuidCall(const API_Guid* guid, API_Guid* related) {
    return forward("ElementGuidCall", [&](StandInHost& h, std::string& b) {
        return elementchanges::relatedGuid(h, guid, related, b);
    });
}
GSErrCode getElementRelationList(const API_Guid* guid, GS::Array<API_Guid>* related) {
    return forward("GetElementRelationList", [&](StandInHost& h, std::string& b) {
        return elementchanges::relationList(h, guid, related, b);
    });
}
GSErrCode getRelatedElements(const API_Guid* guid, uint32_t typeCode, GS::Array<API_Guid>* related) {
    return forward("GetRelatedElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::relatedElements(h, guid, typeCode, related, b);
    });
}
GSErrCode getElementRelationCode(const API_Guid* guid, const API_Guid* other, uint32_t* code) {
    return forward("GetElementRelationCode", [&](StandInHost& h, std::string& b) {
        return elementchanges::relationCode(h, guid, other, code, b);
    });
}
GSErrCode setElementRelationCode(const API_Guid* guid, const GS::Array<API_Guid>* others, uint32_t code) {
    return forward("SetElementRelationCode", [&](StandInHost& h, std::string& b) {
        return elementchanges::setRelationCode(h, guid, others, code, b);
    });
}
GSErrCode getAssociatedElements(const API_Guid* guid, GS::Array<API_Guid>* others) {
    return forward("GetAssociatedElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::associated(h, guid, others, b);
    });
}
GSErrCode associateElements(const API_Guid* guid, const API_Guid* other, uint32_t flags, uint32_t subFlags) {
    return forward("AssociateElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::associate(h, guid, other, flags, subFlags, b);
    });
}
GSErrCode dissociateElements(const API_Guid* guid, const API_Guid* other) {
    return forward("DissociateElements", [&](StandInHost& h, std::string& b) {
        return elementchanges::dissociate(h, guid, other, b);
    });
}
GSErrCode getAssociationFlags(const API_Guid* guid, const API_Guid* other, uint32_t* flags) {
    return forward("GetAssociationFlags", [&](StandInHost& h, std::string& b) {
        return elementchanges::associationFlags(h, guid, other, false, flags, b);
    });
}
GSErrCode getAssociationSubFlags(const API_Guid* guid, const API_Guid* other, uint32_t* flags) {
    return forward("GetAssociationSubFlags", [&](StandInHost& h, std::string& b) {
        return elementchanges::associationFlags(h, guid, other, true, flags, b);
    });
}
GSErrCode getElementQuantities(const API_Guid* guid, const HostQuantityParameters* parameters,
                               HostQuantityRequest* request, const uint8_t* mask) {
    return forward("GetElementQuantities", [&](StandInHost& h, std::string& b) {
        return elementchanges::quantities(h, guid, parameters, request, mask, b);
    });
}
GSErrCode convertPolyRoof(const API_Guid* guid, API_ElementDecomposerInterface* decomposer) {
    return forward("ConvertPolyRoof", [&](StandInHost& h, std::string& b) {
        return polyroofs::convert(h, guid, decomposer, b);
    });
}

} // namespace

void fillModelFunctions(HostFunctionTable* table) {
    table->CreateAttribute = createAttribute;
    table->ModifyAttribute = modifyAttribute;
    table->DeleteAttribute = deleteAttribute;
    table->DeleteAttributes = deleteAttributes;
    table->GetAttribute = getAttribute;
    table->GetAttributeCount = getAttributeCount;
    table->GetAttributeMemo = getAttributeMemo;
    table->DisposeAttributeMemo = disposeAttributeMemoSlot;
    table->GetAttributeUserData = getAttributeUserData;
    table->SearchAttribute = searchAttribute;
    table->GetDefaultElement = getDefaultElement;
    table->DisposeElementMemo = disposeElementMemoSlot;
    table->GetElementUserData = getElementUserData;
    table->SetElementUserData = setElementUserData;
    table->ClearElementUserData = clearElementUserData;
    table->IsSharedProject = isSharedProject;
    table->SharedProjectCall = sharedProjectCall;
    table->GetElementReservations = getElementReservations;
    table->ReleaseElements = releaseElements;
    table->GetLockableObjectGuid = getLockableObjectGuid;
    table->LockableObjectQueryCall = lockableObjectQueryCall;
    table->LockableObjectStateCall = lockableObjectStateCall;
    table->GetLockableObjectStatus = getLockableObjectStatus;
    table->ReserveLockableObject = reserveLockableObject;
    table->ReleaseLockableObject = releaseLockableObject;
    table->GetElement = getElement;
    table->GetElementHeader = getElementHeader;
    table->GetElementMemo = getElementMemo;
    table->GetElementList = getElementList;
    table->FilterElement = filterElement;
    table->GetSelection = getSelection;
    table->SelectElements = selectElements;
    table->GetLinkedElements = getLinkedElements;
    table->ChangeDefaultElement = changeDefaultElement;
    table->CreateElement = createElement;
    table->ChangeElement = changeElement;
    table->DeleteElements = deleteElements;
    table->ElementToolCall = elementToolCall;
    table->ElementSwitchOnCall = elementSwitchOnCall;
    table->ElementSwitchOffCall = elementSwitchOffCall;
    table->ChangeElementParameters = changeElementParameters;
    table->EditElements = editElements;
    table->LinkElements = linkElements;
    table->UnlinkElements = unlinkElements;
    table->GetElementLinkFlags = getElementLinkFlags;
    table->ElementGuidCall = elementGuidCall;
    table->GetElementRelationList = getElementRelationList;
    table->GetRelatedElements = getRelatedElements;
    table->GetElementRelationCode = getElementRelationCode;
    table->SetElementRelationCode = setElementRelationCode;
    table->GetAssociatedElements = getAssociatedElements;
    table->AssociateElements = associateElements;
    table->DissociateElements = dissociateElements;
    table->GetAssociationFlags = getAssociationFlags;
    table->GetAssociationSubFlags = getAssociationSubFlags;
    table->GetElementQuantities = getElementQuantities;
    table->ConvertPolyRoof = convertPolyRoof;
}

} // namespace zavhost
