#include "FunctionSlots.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <type_traits>

#include "CallForwarding.h"

namespace zavhost {

namespace {

struct Slot {
    const char* name;
    size_t offset;
};

// clang-format off
#define HOST_FUNCTION_SLOTS(X) \
    X(DatabaseCall) X(EnvironmentCall) X(InterfaceCall) X(UtilityCall) X(AutomationCall) \
    X(GetOwnResModule) X(SetEntryFlag) X(RegisterMenu) X(InstallMenuHandler) \
    X(GetMenuItemFlags) X(SetMenuItemFlags) X(InstallProjectNotifier) \
    X(InstallModuleDataHandler) X(InstallElementObserver) X(InstallCommandHandler) \
    X(HasOpenProject) X(GetModuleData) X(SetModuleData) X(GetModuleDataByKey) X(SetModuleDataByKey) \
    X(RunUndoableCommand) \
    X(GetSuspendGroups) X(SetSuspendGroups) X(GetEditTransformation) X(CreateAttribute) \
    X(ModifyAttribute) X(DeleteAttribute) X(DeleteAttributes) X(GetAttribute) \
    X(GetAttributeCount) X(GetAttributeMemo) X(DisposeAttributeMemo) X(GetAttributeUserData) \
    X(SearchAttribute) X(GetDefaultElement) X(DisposeElementMemo) X(GetElementUserData) \
    X(SetElementUserData) X(ClearElementUserData) X(IsSharedProject) X(SharedProjectCall) \
    X(GetElementReservations) X(ReleaseElements) X(GetLockableObjectGuid) \
    X(LockableObjectQueryCall) X(LockableObjectStateCall) X(GetLockableObjectStatus) \
    X(ReserveLockableObject) X(ReleaseLockableObject) X(GetElement) X(GetElementHeader) \
    X(GetElementMemo) X(GetElementList) X(FilterElement) X(GetSelection) X(SelectElements) \
    X(GetLinkedElements) X(ChangeDefaultElement) X(CreateElement) X(ChangeElement) \
    X(DeleteElements) X(ElementToolCall) X(ElementSwitchOnCall) X(ElementSwitchOffCall) \
    X(ChangeElementParameters) X(EditElements) \
    X(LinkElements) X(UnlinkElements) X(GetElementLinkFlags) X(ElementGuidCall) \
    X(GetElementRelationList) X(GetRelatedElements) X(GetElementRelationCode) X(SetElementRelationCode) \
    X(GetAssociatedElements) X(AssociateElements) X(DissociateElements) X(GetAssociationFlags) \
    X(GetAssociationSubFlags) X(GetElementQuantities) X(ConvertPolyRoof) X(SearchLibPart) X(GetLibPart) \
    X(GetLibPartCount) X(RegisterLibPart) X(GetLibPartParameters) X(DisposeParameterHandle) \
    X(GetLibPartSectionList) X(GetLibPartSection) X(UpdateLibPartSection) X(AddLibPartSection) \
    X(BuildLibPartParamSection) X(SetupLibPartParamSection) X(CreateLibPart) X(SaveLibPart) \
    X(GetLibPartDetails) X(GetElementPrimitives) X(GetIFCProperties) X(GetIFCAttributes) \
    X(GetIFCClassificationReferences) X(SetIFCProperty) X(SetIFCAttribute) X(RemoveIFCProperty) \
    X(Get3DModel) X(Get3DComponent) X(Get3DInfo)
// clang-format on

#define SLOT_ENTRY(name) {#name, offsetof(HostFunctionTable, name)},
const Slot slots[] = {HOST_FUNCTION_SLOTS(SLOT_ENTRY)};
#undef SLOT_ENTRY

using AnyFunction = void (*)();
// Every slot after the size is named here, so a slot added to the table cannot be left out.
static_assert(offsetof(HostFunctionTable, DatabaseCall) +
                  sizeof slots / sizeof slots[0] * sizeof(AnyFunction) ==
              sizeof(HostFunctionTable));

const Slot* slotNamed(const std::string& name) {
    for (const Slot& slot : slots)
        if (name == slot.name) return &slot;
    return nullptr;
}

// What a faulted slot answers instead of running: the code, false for a yes-or-no question, null
// for a pointer.
template <class R> R faultAnswer(GSErrCode code) {
    if constexpr (std::is_pointer_v<R>)
        return nullptr;
    else if constexpr (std::is_same_v<R, bool>)
        return false;
    else
        return static_cast<R>(code);
}

// One slot's gate: the host's function it stands in front of, and the slot's name.
template <auto Member> struct Gate {
    using Function = std::remove_reference_t<decltype(std::declval<HostFunctionTable&>().*Member)>;
    static inline Function original = nullptr;
    static inline const char* name = nullptr;
};

template <auto Member, class R, class... A> R gated(A... args) {
    using G = Gate<Member>;
    if (StandInHost* h = forwarding::host())
        if (std::optional<GSErrCode> fault = h->faults().check(G::name)) {
            forwarding::logged(G::name, "(fault)", *fault);
            return faultAnswer<R>(*fault);
        }
    return G::original(args...);
}

template <auto Member, class R, class... A>
void gate(HostFunctionTable& table, const char* name, R (*function)(A...)) {
    constexpr R (*inFront)(A...) = &gated<Member, R, A...>;
    if (function == nullptr || function == inFront) return;
    Gate<Member>::original = function;
    Gate<Member>::name = name;
    table.*Member = inFront;
}

template <auto Member, class R, class... A> bool isGated(R (*function)(A...)) {
    return function != nullptr && function == &gated<Member, R, A...>;
}

} // namespace

void gateFunctionSlots(HostFunctionTable& table) {
#define GATE_SLOT(slot) gate<&HostFunctionTable::slot>(table, #slot, table.slot);
    HOST_FUNCTION_SLOTS(GATE_SLOT)
#undef GATE_SLOT
}

bool functionSlotGated(const HostFunctionTable& table, const std::string& name) {
#define GATED_SLOT(slot)                                                                                     \
    if (name == #slot) return isGated<&HostFunctionTable::slot>(table.slot);
    HOST_FUNCTION_SLOTS(GATED_SLOT)
#undef GATED_SLOT
    return false;
}

const std::vector<std::string>& functionSlotNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Slot& slot : slots)
            all.emplace_back(slot.name);
        return all;
    }();
    return names;
}

bool isFunctionSlot(const std::string& name) {
    return slotNamed(name) != nullptr;
}

bool clearFunctionSlot(HostFunctionTable& table, const std::string& name) {
    const Slot* slot = slotNamed(name);
    if (slot == nullptr) return false;
    AnyFunction none = nullptr;
    std::memcpy(reinterpret_cast<char*>(&table) + slot->offset, &none, sizeof none);
    return true;
}

bool functionSlotFilled(const HostFunctionTable& table, const std::string& name) {
    const Slot* slot = slotNamed(name);
    if (slot == nullptr) return false;
    AnyFunction function = nullptr;
    std::memcpy(&function, reinterpret_cast<const char*>(&table) + slot->offset, sizeof function);
    return function != nullptr;
}

} // namespace zavhost
