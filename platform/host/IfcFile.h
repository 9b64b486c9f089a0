// The per-element IFC store in a project file.
#pragma once

#include <string>
#include <string_view>

#include "IfcStore.h"
#include "ProjectFile.h"

namespace zavhost {

inline constexpr uint32_t ifcTag = fourCC("IFC ");

// Writes nothing when no element has IFC data.
void encodeIfc(const IfcStore& store, ByteWriter& out);
bool decodeIfc(std::string_view payload, IfcStore* store, std::string* error);

} // namespace zavhost
