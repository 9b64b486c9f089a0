// Whether a tool may talk to the ZAV Annotator: the program must be installed, and the project
// must have a specification file that still exists. Both answers come from the project's
// ZAVLinkPrefs; without a project or without the package every check is false and quiet.
#pragma once

#include <cstdint>

#include "Environment/String.h"

namespace zavlink {

// Where the Annotator's installation records its program.
inline constexpr char AnnotatorCompanyKey[] = "HVN Ltd.";
inline constexpr char AnnotatorProductKey[] = "ZAV Tools\\ZAV Annotator";
inline constexpr char AnnotatorPathValue[] = "WinAPIInstallPath";
inline constexpr int AnnotatorRegistryRoot = 0; // HKEY_LOCAL_MACHINE
inline constexpr int AnnotatorRegistryView = 1; // the 32-bit view

// The readiness questions: string list 32523.
inline constexpr uint32_t QuestionTexts = 32523;
inline constexpr uint32_t NoSpecificationItem = 1;   // never chosen
inline constexpr uint32_t LostSpecificationItem = 2; // chosen, but the file is gone
inline constexpr uint32_t AnnotatorNotFoundItem = 4; // of string list 32524

// True when the program is known and its file exists; path gets the program's path (untouched
// without preferences). A cached place is checked again on every call; an unknown or vanished
// one is read from the registry and must name an existing file. Unless quiet, "not found" is
// told to the user.
bool locateAnnotator(tarnwick::String& path, bool quiet);

// True when the project's specification file exists; path gets its path (untouched without
// preferences). Unless quiet, a missing specification is offered to be chosen now: agreeing
// runs Select Specification inside this call, and its choice counts.
bool checkSpecification(tarnwick::String& path, bool quiet);

// locateAnnotator, and only when that answers true, checkSpecification. Tools call it first,
// with quiet off, and stop on false without a further message.
bool checkReady(tarnwick::String& program, tarnwick::String& specification, bool quiet);

// Tells the user that the Annotator could not be found.
void reportAnnotatorNotFound();

} // namespace zavlink
