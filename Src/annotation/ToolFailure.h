// What a tool tells the user when it cannot go on for a reason outside it: the host did not do a
// call it needed, a file could not be written, the chosen specification could not be stored.
#pragma once

#include "Environment/HostFailures.h"
#include "Environment/String.h"

namespace tarnwick {
class Drawing;
class FileReplacement;
} // namespace tarnwick

namespace zavlink {

// Items of the error texts (string list 32524).
inline constexpr uint32_t HostLacksCallItem = 8;   // $1 the call
inline constexpr uint32_t HostFailedCallItem = 9;  // $1 the call, $2 the host's code
inline constexpr uint32_t FileNotWrittenItem = 10; // $1 the file
inline constexpr uint32_t SpecificationNotStoredItem = 11;
inline constexpr uint32_t ViewNameLacksCallItem = 12;   // $1 the call
inline constexpr uint32_t ViewNameFailedCallItem = 13;  // $1 the call, $2 the host's code
inline constexpr uint32_t SelectingLacksCallItem = 14;  // $1 the call
inline constexpr uint32_t SelectingFailedCallItem = 15; // $1 the call, $2 the host's code
inline constexpr uint32_t HostDeniedSelectionItem = 16; // $1 the call
inline constexpr uint32_t NotAFileItem = 18;            // $1 what stands where the file would go
inline constexpr uint32_t NameTooLongItem = 19;         // $1 the file

// The words of a failure that a tool went on past, or that stopped only part of it: the host lacks
// the call, or answered an error.
struct FailureTexts {
    uint32_t lacksCallItem;
    uint32_t failedCallItem;
};

// The message for a failed host call: the host lacks it, answered this error, or answered no for
// elements it reports as selected.
tarnwick::String hostFailureText(const tarnwick::HostFailure& failure);
// The same in the tool's own words.
tarnwick::String hostFailureText(const tarnwick::HostFailure& failure, const FailureTexts& texts);
// Shows it in an error alert when the watch saw a call fail, unless the user was told of that
// failure already; answers whether the watch saw one.
bool tellHostFailure(const tarnwick::HostFailureWatch& watch);
// As tellHostFailure, for the failure a watch saw (its last()), in the tool's own words; a warning
// when the tool went on. Nothing for none (serial 0).
bool tellHostFailure(const tarnwick::HostFailure& failure, const FailureTexts& texts, bool asWarning);
// For a step that failed: tells which host call failed when the watch saw one, else shows the
// error alert; answers Failed, so that the host keeps nothing of the step.
GSErrCode failStep(const tarnwick::HostFailureWatch& watch);
// The host's current view; when there is none because the host failed to say, the user is told.
tarnwick::Drawing* currentDatabaseOrTell();
void tellFileNotWritten(const tarnwick::String& path);
// For a file written whole: names what stood in its way when that refused it, says so when its
// name is too long for its folder, else names the file.
void tellFileNotWritten(const tarnwick::FileReplacement& file);
// Says that the chosen specification is not stored; the failure the watch saw is told by it.
void tellSpecificationNotStored(const tarnwick::HostFailureWatch& watch);

} // namespace zavlink
