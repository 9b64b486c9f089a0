// The element types the stand-in host knows: names for scenarios and transcripts, the selection
// kind of each type, and the types that stand in views for model elements.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zavhost {

inline constexpr uint32_t ProxyTypeCode = 29;
inline constexpr uint32_t LargestTypeCode = 45;

// "text", "wall", ... or "type N" for a code without a name.
std::string elementTypeName(uint32_t typeCode);
// Every type's name, in the order of their codes.
std::vector<std::string> elementTypeNames();
// A name or a decimal number from 1 to LargestTypeCode.
std::optional<uint32_t> elementTypeNamed(const std::string& name);
// The selection kind of a type; 0 for types that have none.
uint32_t selectionKindOfType(uint32_t typeCode);
// The type of a selection kind; 0 for a kind no type has.
uint32_t typeOfSelectionKind(uint32_t selectionKind);
// Types of the model: a section, elevation or 3D document shows them through proxies.
bool isModelType(uint32_t typeCode);
// Types with layered structures: their quantities come with composite records.
bool hasCompositeQuantities(uint32_t typeCode);

} // namespace zavhost
