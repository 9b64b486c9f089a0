// What the construction elements share over their record copies: override words, the building
// material's pens, finish and fill where the element takes them from it, quantities asked for one
// field at a time, elevations relative to the home storey, and triples of flag bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "construction/ConstructionRecord.h"
#include "elements/PolygonMemo.h"
#include "platform/api/WallRecords.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/Pattern.h"
#include "project/Pen.h"

namespace tarnwick {

class Element;
class ElementLink;

// --- Override words: the low 16 bits an attribute index, the third byte set when it overrides.
inline uint16_t overrideIndex(HostOverrideWord word) {
    return static_cast<uint16_t>(word & 0xFFFF);
}
inline bool isOverriding(HostOverrideWord word) {
    return ((word >> 16) & 0xFF) != 0;
}
// The fourth byte is kept.
inline HostOverrideWord makeOverride(HostOverrideWord word, uint16_t index, bool overriding) {
    return (word & 0xFF000000u) | (overriding ? 0x10000u : 0u) | index;
}
// A finish's 32-bit index written over the word: its low 16 bits the index, overriding when its high
// 16 bits are not zero (the inverse of what the override's finish reads).
inline HostOverrideWord finishOverride(HostOverrideWord word, uint32_t finishIndex) {
    return makeOverride(word, static_cast<uint16_t>(finishIndex & 0xFFFF), (finishIndex >> 16) != 0);
}
// The finish's 16-bit index written over the word, always overriding.
inline HostOverrideWord overridingFinish(HostOverrideWord word, const Finish& finish) {
    return makeOverride(word, static_cast<uint16_t>(finish.getIndex16()), true);
}

// --- Attributes by index, and the building material's where the element takes them from it.
Pen penOf(uint16_t index);
LineStyle lineStyleOf(uint16_t index);
// The building material's cut-fill pen, or with background its cut-fill background pen.
Pen materialCutFillPen(int16_t material, bool background);
// The element's own pen when fromRecord, else the building material's.
Pen cutFillPen(bool fromRecord, uint16_t index, int16_t material, bool background);
Finish finishOf(uint16_t index);
Finish materialFinish(int16_t material);
// The override's finish when it overrides, else the building material's.
Finish finishOf(HostOverrideWord word, int16_t material);
// The same for the override slot a kind reads; without a slot, the building material's.
Finish slotFinish(const HostOverrideWord* word, int16_t material);
// The part's cut-fill pen, or with background its cut-fill background pen: its own when its cut-fill
// flag is set, else the building material's.
template <class Part> Pen partCutFillPen(const Part& part, int16_t material, bool background) {
    return cutFillPen(part.cutFillFlag != 0, background ? part.cutFillBackgroundPen : part.cutFillPen,
                      material, background);
}
// The pens of kinds 6, 8, 10, 11 and 12, which every part that has them keeps alike; false for
// another kind, which the caller answers.
template <class Part> bool sharedKindPen(const Part& part, int16_t material, uint32_t which, Pen& pen) {
    switch (which) {
    case 6:
        pen = penOf(part.kind6Pen);
        return true;
    case 8:
        pen = penOf(part.kind8Pen);
        return true;
    case 10:
        pen = penOf(part.kind10Pen);
        return true;
    case 11:
    case 12:
        pen = partCutFillPen(part, material, which == 12);
        return true;
    default:
        return false;
    }
}
// A new fill of the index; null for index 0.
std::unique_ptr<Pattern> fillOf(int16_t index);
// The building material's cut fill; null when it names none.
std::unique_ptr<Pattern> materialFill(int16_t material);

// --- Quantities: the one double at the offset of the kind's quantity variant, asked for alone;
// 0.0 when the host cannot say.
double quantityField(const ElementLink& link, size_t offset);

// The holes of the element's outline; 0 without an outline.
uint32_t outlineHoleCount(const Element& element);

// --- Elevations relative to the element's home storey: absolute adds the storey's level (when
// the storey is found).
double storeyElevation(const Element& element, double relative, bool absolute);
// The relative value of an elevation given absolute or relative.
double relativeElevation(const Element& element, double value, bool absolute);

// --- Three flag bytes kept side by side; a flag past the third throws std::out_of_range.
bool flagOf(const uint8_t (&flags)[3], size_t which);
void setFlagOf(uint8_t (&flags)[3], size_t which, bool on);

// --- Two groups of three flag bytes chosen by kind: a kind past 1 reads false and sets nothing.
using FlagGroups = uint8_t[2][3];
// All three flags of the kind's group set.
bool groupFlagsOf(const FlagGroups& groups, uint32_t kind);
bool groupFlagOf(const FlagGroups& groups, uint32_t kind, size_t which);
void setGroupFlagsOf(FlagGroups& groups, uint32_t kind, bool on);
void setGroupFlagOf(FlagGroups& groups, uint32_t kind, size_t which, bool on);

// --- Polygon counts of a record part: those of the polygon written with it.
template <class Part> void setPolygonCounts(Part& part, const PolygonCounts& counts) {
    part.coordinateCount = counts.coordinates;
    part.endCount = counts.ends;
    part.arcCount = counts.arcs;
}

// The record of the copy with the counts of the polygon the memo holds. Without a held polygon the
// copy's own counts stand: nothing is fetched to build a record.
template <class Part>
std::unique_ptr<API_Element> buildWithHeldCounts(ConstructionRecord<Part> copy, PolygonMemo& memo,
                                                 const ElementLink& link) {
    if (memo.heldPolygon() != nullptr) {
        PolygonCounts counts;
        memo.getPolygonCounts(counts);
        setPolygonCounts(copy.part(), counts);
    }
    return copy.build(link);
}

} // namespace tarnwick
