// The host's debug output. Kept in memory as well, so that tests can read what was printed.
#pragma once

#include <string>

#include "platform/api/HostTypes.h"

HOSTLIB_API void DBPrint(const char* text);
HOSTLIB_API std::string DBPrintedText();
HOSTLIB_API void DBClearPrintedText();
// When quiet, nothing goes to stderr (tests that provoke debug output).
HOSTLIB_API void DBSetQuiet(bool quiet);
