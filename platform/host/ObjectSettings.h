// Placed library parts in the stand-in host: "OBJS" (interface), and the quantities of objects.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zavhost {

class StandInHost;
struct ModelArgs;
struct Project;
struct StoredElement;

// "OBJS" (element record, change mask, memo): the next queued answer; without one, or when it
// cancels, the dialog answers cancelled and changes nothing. Accepted, the record and memo take the
// answer's part (with its default parameters), angle and parameter values.
void registerObjectSettings(StandInHost& host);
// An object's or lamp's surface or volume at its slot of the quantity block (the box of its A, B
// and "zzyzx"); nothing for another element or slot.
std::optional<double> objectQuantity(const Project& project, const StoredElement& element, size_t offset);
// The cells of the element's memo parameter of that name (any letter case), row by row, each "t" and
// a text or "n" and a number; none when it has no such parameter.
std::optional<std::vector<std::string>> parameterCells(const StoredElement& element, const std::string& name);
// Why the element does not match the words of an element expectation about parts and parameters
// (`parameter`, `part`, `angle`, `mirrored`, `not-mirrored`), or nothing.
std::string objectMismatch(const ModelArgs& args, const Project& project, const StoredElement& element);

} // namespace zavhost
