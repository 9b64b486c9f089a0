// What the construction elements share over their record copies: which field each kind of pen,
// line type and finish reads and writes (a table per element kind), override words, the building
// material's pens, finish and fill where the element takes them from it, quantities asked for one
// field at a time, elevations relative to the home storey, flag triples, outlines and the memo
// parts an element loads from one fetch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>

#include "construction/ConstructionRecord.h"
#include "elements/PolygonMemo.h"
#include "geometry/PolyEdge.h"
#include "platform/api/WallRecords.h"
#include "project/ComplexProfile.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/Pattern.h"
#include "project/Pen.h"

namespace tarnwick {

class Element;
class ElementLink;
class Storey;

// --- Bounds: std::out_of_range naming the index and the size, after the given text.
void checkIndex(size_t index, size_t size, const char* what = "invalid vector<T> subscript");

// --- Kind maps. A map lists (kind, field) entries: a getter reads the first field listed for the
// kind, a setter writes every field listed for it. AnyKind stands for every kind: to a getter, for
// those not listed before it.
inline constexpr uint32_t AnyKind = UINT32_MAX;

template <class Part> struct KindField {
    uint32_t kind;
    uint16_t Part::*field;
};

// The first field the map lists for the kind; null when it lists none.
template <class Part, size_t N>
const uint16_t* mappedField(const Part& part, const KindField<Part> (&map)[N], uint32_t kind) {
    for (const KindField<Part>& entry : map)
        if (entry.kind == kind || entry.kind == AnyKind) return &(part.*entry.field);
    return nullptr;
}

// The attribute's 16-bit index as the record keeps it.
inline uint16_t index16(const Attribute& attribute) {
    return static_cast<uint16_t>(attribute.getIndex16());
}

// Writes the attribute's index into every field the map lists for the kind.
template <class Part, size_t N>
void writeMapped(Part& part, const KindField<Part> (&map)[N], uint32_t kind, const Attribute& attribute) {
    const uint16_t index = index16(attribute);
    for (const KindField<Part>& entry : map)
        if (entry.kind == kind || entry.kind == AnyKind) part.*entry.field = index;
}

// --- Attributes by index, and the building material's where the element takes them from it.
Pen penOf(uint16_t index);
LineStyle lineStyleOf(uint16_t index);
// The building material's cut-fill pen, or with background its cut-fill background pen.
Pen materialCutFillPen(int16_t material, bool background);
// The element's own pen when fromRecord, else the building material's.
Pen cutFillPen(bool fromRecord, uint16_t index, int16_t material, bool background);

// The pen the map lists for the kind; false, leaving pen as it is, for a kind it does not list.
// The cut-fill pens of a part with a cut-fill flag are its own only while the flag is set; else
// they are the material's.
template <class Part, size_t N>
bool mappedPen(const Part& part, const KindField<Part> (&map)[N], uint32_t kind, int16_t material, Pen& pen) {
    const uint16_t* field = mappedField(part, map, kind);
    if (field == nullptr) return false;
    if constexpr (requires(const Part& p) { p.cutFillFlag; }) {
        const bool background = field == &part.cutFillBackgroundPen;
        if (background || field == &part.cutFillPen) {
            pen = cutFillPen(part.cutFillFlag != 0, *field, material, background);
            return true;
        }
    }
    pen = penOf(*field);
    return true;
}
// The same for a part whose pens are all its own.
template <class Part, size_t N>
bool mappedPen(const Part& part, const KindField<Part> (&map)[N], uint32_t kind, Pen& pen) {
    static_assert(
        !requires(const Part& p) { p.cutFillFlag; }, "a part with a cut-fill flag names its material");
    return mappedPen(part, map, kind, 0, pen);
}

// The line type the map lists for the kind; the empty one for a kind it does not list.
template <class Part, size_t N>
LineStyle mappedLineStyle(const Part& part, const KindField<Part> (&map)[N], uint32_t kind) {
    const uint16_t* field = mappedField(part, map, kind);
    return field != nullptr ? lineStyleOf(*field) : LineStyle();
}

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
// The same, overriding when the index's third byte is set.
inline HostOverrideWord thirdByteOverride(HostOverrideWord word, uint32_t finishIndex) {
    return makeOverride(word, static_cast<uint16_t>(finishIndex & 0xFFFF), ((finishIndex >> 16) & 0xFF) != 0);
}
// The finish's 16-bit index written over the word, always overriding.
inline HostOverrideWord overridingFinish(HostOverrideWord word, const Finish& finish) {
    return makeOverride(word, index16(finish), true);
}

// --- Finish maps: which of the record's override words a finish kind reads and writes.
struct KindSlot {
    uint32_t kind;
    size_t slot;
};

// The first word the map lists for the kind; null when it lists none.
template <size_t N, size_t M>
const HostOverrideWord* mappedWord(const HostOverrideWord (&words)[N], const KindSlot (&map)[M],
                                   uint32_t kind) {
    for (const KindSlot& entry : map)
        if ((entry.kind == kind || entry.kind == AnyKind) && entry.slot < N) return &words[entry.slot];
    return nullptr;
}

// Rewrites every word the map lists for the kind with write(word).
template <size_t N, size_t M, class Write>
void rewriteMapped(HostOverrideWord (&words)[N], const KindSlot (&map)[M], uint32_t kind, Write write) {
    for (const KindSlot& entry : map)
        if ((entry.kind == kind || entry.kind == AnyKind) && entry.slot < N)
            words[entry.slot] = write(words[entry.slot]);
}

Finish finishOf(uint16_t index);
Finish materialFinish(int16_t material);
// The override's finish when it overrides, else the building material's.
Finish finishOf(HostOverrideWord word, int16_t material);
// The same for the override slot a kind reads; without a slot, the building material's.
Finish slotFinish(const HostOverrideWord* word, int16_t material);

// --- Patterns, materials and profiles.
// A new fill of the index; null for index 0.
std::unique_ptr<Pattern> fillOf(int16_t index);
// The building material's cut fill; null when it names none.
std::unique_ptr<Pattern> materialFill(int16_t material);
// Kinds 0, 1 and 3: the building material's cut fill; null otherwise.
std::unique_ptr<Pattern> kindFill(uint32_t kind, int16_t material);
// A new composite of the index the host keeps negated; null for index 0.
std::unique_ptr<Pattern> compositeOf(int16_t negated);
// The building material of a basic structure (type 0); empty for another.
Material basicMaterial(uint32_t structureType, uint16_t material);
ComplexProfile complexProfileOf(uint16_t index);
// A composite as the part's structure (the part becomes composite); any other pattern changes
// nothing.
template <class Part> void takeComposite(Part& part, const Pattern& pattern, uint32_t compositeType) {
    if (pattern.getLink().getType() != AttrComposite) return;
    part.composite = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    part.structureType = compositeType;
}

// --- Quantities: the one double at the offset of the kind's quantity variant, asked for alone;
// 0.0 when the host cannot say.
double quantityField(const ElementLink& link, size_t offset);
// The one 32-bit integer there; 0 when the host cannot say.
int32_t wholeQuantityField(const ElementLink& link, size_t offset);

// The holes of the element's outline; 0 without an outline.
uint32_t outlineHoleCount(const Element& element);
// The areas and the plan perimeters of the outline's holes, summed; 0.0 without an outline.
double holeAreaSum(const CadPolygon* outline);
double holePerimeterSum(const CadPolygon* outline);

// --- Elevations relative to the element's home storey: absolute adds the storey's level (when
// the storey is found).
double storeyElevation(const Element& element, double relative, bool absolute);
// The relative value of an elevation given absolute or relative.
double relativeElevation(const Element& element, double value, bool absolute);
// An element that spans storeys from its base (absolute) up its height is on the storey when its
// top lies more than the tolerance above the storey's level and its base more than the tolerance
// below the storey's top.
bool spansStorey(const Storey& storey, double base, double height, double tolerance);
// The plan point takes the point's x and y, and the element its elevation from z (absolute).
void placePlanPoint(Element& element, HostCoord2D& plan, const CadPoint& point);
// From the element's reference point to the end vertex.
PolyEdge referenceLineOf(const Element& element, const PolyPoint& end);

// --- Three flag bytes kept side by side; a flag past the third throws std::out_of_range.
using FlagTriple = uint8_t[3];
bool flagOf(const FlagTriple& flags, size_t which);
void setFlagOf(FlagTriple& flags, size_t which, bool on);
// All three set.
bool allFlagsOf(const FlagTriple& flags);
void setAllFlagsOf(FlagTriple& flags, bool on);
// The entry of side 0 or 1; std::out_of_range past them.
template <class T, size_t N> T& sideOf(T (&sides)[N], size_t side) {
    checkIndex(side, N, "invalid side");
    return sides[side];
}

// --- Two groups of three flag bytes chosen by kind: a kind past 1 reads false and sets nothing.
using FlagGroups = uint8_t[2][3];
// All three flags of the kind's group set.
bool groupFlagsOf(const FlagGroups& groups, uint32_t kind);
bool groupFlagOf(const FlagGroups& groups, uint32_t kind, size_t which);
void setGroupFlagsOf(FlagGroups& groups, uint32_t kind, bool on);
void setGroupFlagOf(FlagGroups& groups, uint32_t kind, size_t which, bool on);

// --- Outlines.
// The polygon counts of a record part, and the counts written into it.
template <class Part> PolygonCounts polygonCountsOf(const Part& part) {
    return {part.coordinateCount, part.endCount, part.arcCount};
}
template <class Part> void setPolygonCounts(Part& part, const PolygonCounts& counts) {
    part.coordinateCount = counts.coordinates;
    part.endCount = counts.ends;
    part.arcCount = counts.arcs;
}
// A copy of the memo's polygon, loaded for its owner on first use; null without one.
std::unique_ptr<CadPolygon> outlineCopy(const PolygonMemo& memo);
// The polygon's first vertex at the height into point; false, leaving point as it is, without a
// polygon or with an empty one.
bool firstVertexAt(const PolygonMemo& memo, double z, CadPoint& point);
// Moves the outline in plan so that the element's reference point comes to the point, then takes
// the elevation from its z (absolute). An outline that cannot be read stays where it is.
void moveOutlineTo(Element& element, PolygonMemo& outline, const CadPoint& point);
// Moves the outline in plan and the elevation by z; false, moving nothing, when the outline
// cannot be read.
bool moveOutlineBy(PolygonMemo& outline, double& elevation, const CadPoint& offset);
// The counts the memo's polygon is written with; false, leaving counts as they are, without a
// polygon. With loadFirst the polygon is loaded for the owner first; without, only one held before
// is counted.
bool writtenCountsOf(const PolygonMemo& memo, bool loadFirst, PolygonCounts& counts);

// The record of the copy with the counts of the memo's polygon (loaded first with loadFirst).
// Without a polygon the copy's own counts stand.
template <class Part>
std::unique_ptr<API_Element> buildWithPolygonCounts(ConstructionRecord<Part> copy, const PolygonMemo& memo,
                                                    bool loadFirst, const ElementLink& link) {
    PolygonCounts counts;
    if (writtenCountsOf(memo, loadFirst, counts)) setPolygonCounts(copy.part(), counts);
    return copy.build(link);
}

// --- Memo parts an element loads together from one fetch.
// One part: its memo, its mask bits, and whether it is asked for again while loaded but not valid
// (a part whose validity is its own business is asked for only while not loaded).
struct MemoPart {
    Memo& memo;
    uint64_t bits;
    bool whenInvalid = true;
};
using MemoFetch = std::function<bool(uint64_t mask, MemoStore*& store)>;
using MemoParts = std::span<const MemoPart>;

// The mask with the bits of every part not loaded (or not valid), unless memo loading is
// suspended.
uint64_t withUnloadedParts(MemoParts parts, uint64_t mask);
// The mask as withUnloadedParts makes it; true when it names a part and a store is at hand (given,
// or fetched with it through fetch). When nothing could be fetched every part stands as loaded
// and empty; with onlyAsked, only the parts the mask names.
bool memoPartsAtHand(MemoParts parts, uint64_t& mask, MemoStore*& store, const MemoFetch& fetch,
                     bool onlyAsked = false);
inline bool memoPartsAtHand(std::initializer_list<MemoPart> parts, uint64_t& mask, MemoStore*& store,
                            const MemoFetch& fetch) {
    return memoPartsAtHand(MemoParts(parts.begin(), parts.size()), mask, store, fetch);
}

// --- Elements.
// The memo hook's answer: the element that embeds the memos, handed out to load them. The memo
// interface asks it of a const memo, so constness goes here, in the one place.
template <class Kind> Element* memoOwner(const Kind* element) {
    return const_cast<Kind*>(element);
}

// The factory's creator of a kind: a new element from the record and link when the record's type
// is the kind's; null otherwise.
template <class Kind>
std::unique_ptr<Element> createOfType(const API_Element& record, const ElementLink& link) {
    if (record.head.typeCode != Kind::TypeCode) return nullptr;
    if constexpr (std::is_constructible_v<Kind, const ElementLink&, const API_Element&>)
        return std::make_unique<Kind>(link, record);
    else
        return std::make_unique<Kind>(record, link);
}

// The element the guid names on the element's drawing; null without a drawing or for a guid that
// names none.
std::unique_ptr<Element> fetchOnDrawing(const Element& element, const API_Guid& guid);
// The same when it is of the class; null for one of another class, which is dropped.
template <class Kind> std::unique_ptr<Kind> fetchOnDrawingAs(const Element& element, const API_Guid& guid) {
    std::unique_ptr<Element> found = fetchOnDrawing(element, guid);
    auto* kind = dynamic_cast<Kind*>(found.get());
    if (kind == nullptr) return nullptr;
    (void)found.release(); // ownership passes to the pointer below
    return std::unique_ptr<Kind>(kind);
}

} // namespace tarnwick
