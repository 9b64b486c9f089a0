// The host's parameter section ("PARD") of a library part, read into a parameter list: the
// section's header gives the part's sizes, its records the parameters, each array followed by its
// values. Bytes from the host are not trusted: every count is checked against the section's size.
#pragma once

#include "library/ParameterList.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

// The list and sizes of a section; false, with list and sizes untouched, for a section that is
// not whole or holds a record that makes no parameter. The handle stays the caller's.
bool readParameterSection(GSHandle section, ParameterList& list, double& a, double& b);

} // namespace tarnwick
