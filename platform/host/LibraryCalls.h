// The library manager's part of the function table and of the dispatchers.
#pragma once

#include "platform/api/HostFunctionTable.h"

namespace zavhost {

class StandInHost;

// "GLUI", "CLPS", "COMP", the command-parameter lists and the change exchange (utility), "GLIB",
// "SLIB", "ALIB" (environment) and "LLIB" (automation).
void registerLibrarySelectors(StandInHost& host);
// SearchLibPart, GetLibPart, GetLibPartCount, RegisterLibPart, GetLibPartParameters and
// DisposeParameterHandle.
void fillLibraryFunctions(HostFunctionTable* table);
// "OWLP" (environment) and "CMPI" (utility); the section, details and part-making functions
// (LibrarySectionCalls.cpp).
void registerLibrarySectionSelectors(StandInHost& host);
void fillLibrarySectionFunctions(HostFunctionTable* table);

} // namespace zavhost
