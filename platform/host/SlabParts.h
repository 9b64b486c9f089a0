// The stand-in host's slabs and roofs: their defaults, their quantities, their outline counts, and
// the scenario words of the data their outline's edges carry (docs/scenarios.md):
//   edge-record EDGE FIELD VALUE WIDE   the edge's 16-byte record
//   edge-value EDGE VALUE               the edge's 32-bit value (roofs)
//   side-override EDGE SURFACE          the edge's side surface, overriding
// EDGE counts the edges of the stored outline from 1, the outline's first, then each hole's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ElementStore.h"
#include "platform/api/SlabRecords.h"

namespace zavhost {

class LineReader;
struct ModelArgs;

inline constexpr uint32_t SlabTypeCode = HostSlabTypeCode;
inline constexpr uint32_t RoofTypeCode = HostRoofTypeCode;

inline bool hasBorderedOutline(uint32_t typeCode) {
    return typeCode == SlabTypeCode || typeCode == RoofTypeCode;
}

// A basic slab 0.3 thick, or a roof sloped at 30 degrees, of material 1 and pens 1. False for a
// record of another type.
bool setDefaultSlabSettings(API_Element& record);
// A slab or roof the user draws starts from the default's settings, keeping its own head.
void startSlab(API_Element& record, const API_Element& defaults);
// The record's outline counts from its memo.
void countSlabOutline(StoredElement& element);

// The slab's or roof's quantities in the block, each only when the mask asks for it: a slab's top
// and bottom area, volume and perimeter, a roof's plan area and surface along its slope; fixed
// values for the rest. Answers how many fields were filled.
size_t fillSlabQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block);

// Why the host cannot keep the edge arrays the given memo brings for the parts of the mask with
// the outline of result (the memo as it will stand), or nothing: edge records are a handle, edge
// values and side overrides pointer blocks, each of one whole entry per stored point and one for
// index 0.
std::string edgeArraysProblem(const StoredMemo& result, const StoredMemo& given, uint64_t mask);

// Consumes one edge word; false when the next word is none of them.
bool parseEdgeWord(LineReader& in, ModelArgs& args);
// Writes the edge words into the element's memo (after its polygon); why it cannot, or nothing.
std::string applyEdgeWords(const ModelArgs& args, StoredElement& element);
// Why the element's edges do not carry what the words say, or nothing.
std::string edgeMismatch(const ModelArgs& args, const StoredElement& element);

} // namespace zavhost
