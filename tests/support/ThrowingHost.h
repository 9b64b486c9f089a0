// A host whose functions fail with a C++ exception when the module calls them, as a host's own
// code may: some slots of the stand-in host's function table go through a forwarder that, once
// armed, makes the next call (or a later one) of that function throw instead of running.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/api/HostFunctionTable.h"

namespace testsupport {

enum class HostThrow { Runtime, BadAlloc };

namespace throwing {

struct Armed {
    std::string slot;
    HostThrow kind = HostThrow::Runtime;
    int skip = 0;
    bool on = false;
};
inline Armed armed;
inline int thrown = 0;

inline void check(const char* slot) {
    if (!armed.on || armed.slot != slot) return;
    if (armed.skip-- > 0) return;
    armed.on = false;
    ++thrown;
    if (armed.kind == HostThrow::BadAlloc) throw std::bad_alloc();
    throw std::runtime_error(std::string("the host failed in ") + slot);
}

template <auto Member> using Slot = std::remove_cvref_t<decltype(std::declval<HostFunctionTable&>().*Member)>;

template <auto Member> struct Original {
    static inline Slot<Member> function = nullptr;
    static inline const char* name = "";
};

template <class F> struct Forward;
template <class R, class... A> struct Forward<R (*)(A...)> {
    template <auto Member> static R call(A... arguments) {
        check(Original<Member>::name);
        return Original<Member>::function(arguments...);
    }
};

template <auto Member> void wrap(HostFunctionTable& table, const char* name) {
    if (table.*Member == &Forward<Slot<Member>>::template call<Member>) return;
    Original<Member>::function = table.*Member;
    Original<Member>::name = name;
    table.*Member = &Forward<Slot<Member>>::template call<Member>;
}

} // namespace throwing

// Wraps the slots the tests arm, in the table a module gets next (hand it over again to a module
// that is loaded); the forwarders run the host's own functions while nothing is armed.
inline void makeThrowable(HostFunctionTable& table) {
    using namespace throwing;
    wrap<&HostFunctionTable::SetEntryFlag>(table, "SetEntryFlag");
    wrap<&HostFunctionTable::EnvironmentCall>(table, "EnvironmentCall");
    wrap<&HostFunctionTable::DatabaseCall>(table, "DatabaseCall");
    wrap<&HostFunctionTable::InterfaceCall>(table, "InterfaceCall");
    wrap<&HostFunctionTable::GetModuleData>(table, "GetModuleData");
    wrap<&HostFunctionTable::SetModuleData>(table, "SetModuleData");
    wrap<&HostFunctionTable::RunUndoableCommand>(table, "RunUndoableCommand");
    wrap<&HostFunctionTable::GetMenuItemFlags>(table, "GetMenuItemFlags");
    wrap<&HostFunctionTable::DisposeElementMemo>(table, "DisposeElementMemo");
    wrap<&HostFunctionTable::DisposeAttributeMemo>(table, "DisposeAttributeMemo");
}

// The call of `slot` after the next `skip` ones throws `kind`, once.
inline void armThrow(const char* slot, HostThrow kind, int skip = 0) {
    throwing::armed = throwing::Armed{slot, kind, skip, true};
}
inline void disarmThrow() {
    throwing::armed.on = false;
}
inline bool throwArmed() {
    return throwing::armed.on;
}
// How many calls threw so far.
inline int hostThrows() {
    return throwing::thrown;
}

} // namespace testsupport
