// Host error codes. The module passes them on; it never invents its own in this range.
#pragma once

#include "HostTypes.h"

namespace hosterr {
constexpr GSErrCode code(uint32_t value) {
    return static_cast<GSErrCode>(value);
}

inline constexpr GSErrCode Ok = 0;
inline constexpr GSErrCode Failed = code(0x81060001);    // general failure
inline constexpr GSErrCode Cancelled = code(0x81060003); // the user cancelled ("CANC")
inline constexpr GSErrCode MemoryFull = code(0x81060004);
inline constexpr GSErrCode BadParameter = code(0x81060005);
inline constexpr GSErrCode BadIndex = code(0x81060006);
inline constexpr GSErrCode NotFound = code(0x81060007);
inline constexpr GSErrCode NoProject = code(0x81060008);
inline constexpr GSErrCode BadDatabase = code(0x81060009);
inline constexpr GSErrCode Refused = code(0x8106000A);       // not allowed in the current state
inline constexpr GSErrCode BadName = code(0x81060067);       // a file name without "."
inline constexpr GSErrCode NoUserData = code(0x8106006D);    // counts as success for user data
inline constexpr GSErrCode BadGuid = code(0x81060070);       // no element or object with that Guid
inline constexpr GSErrCode BadSelector = code(0x81060080);   // a dispatcher selector the host does not know
inline constexpr GSErrCode NoSection = code(0x810600CD);     // library part without that section
inline constexpr GSErrCode FamilyAnswerA = code(0x810600D1); // "COMP" answers
inline constexpr GSErrCode FamilyAnswerB = code(0x810600D2);
inline constexpr GSErrCode SwitchIgnoredOn = code(0x810600DE);
inline constexpr GSErrCode SwitchIgnoredOff = code(0x810600DF);
inline constexpr GSErrCode NotSupplied = code(0x81060387);   // the host did not supply the function
inline constexpr GSErrCode NoTarget = code(0x81060388);      // primitive callback without a target
inline constexpr GSErrCode CommandFailed = code(0x8106038C); // the undoable command failed
inline constexpr GSErrCode Internal = code(0x810603FF);      // an entry caught an exception

// Answers a short readable name for a code, for transcripts and debug output.
HOSTLIB_API const char* name(GSErrCode err);
} // namespace hosterr
