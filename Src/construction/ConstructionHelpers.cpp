#include "construction/ConstructionHelpers.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "elements/Element.h"
#include "elements/ElementQuantities.h"
#include "project/Composite.h"
#include "project/Drawing.h"
#include "project/Fill.h"
#include "project/Storey.h"

namespace tarnwick {

void checkIndex(size_t index, size_t size, const char* what) {
    if (index < size) return;
    throw std::out_of_range(std::string(what) + ": index " + std::to_string(index) + ", size " +
                            std::to_string(size));
}

Pen penOf(uint16_t index) {
    return Pen(AttributeLink(static_cast<int16_t>(index), AttrPen));
}

LineStyle lineStyleOf(uint16_t index) {
    return LineStyle(AttributeLink(static_cast<int16_t>(index), AttrLineType));
}

Pen materialCutFillPen(int16_t material, bool background) {
    const Material source = Material::fromIndex(material);
    return background ? source.getFillBackgroundPen() : source.getFillPen();
}

Pen cutFillPen(bool fromRecord, uint16_t index, int16_t material, bool background) {
    return fromRecord ? penOf(index) : materialCutFillPen(material, background);
}

Finish finishOf(uint16_t index) {
    return Finish(AttributeLink(static_cast<int16_t>(index), AttrSurface));
}

Finish materialFinish(int16_t material) {
    return Finish(AttributeLink(Material::fromIndex(material).record().surface, AttrSurface));
}

Finish finishOf(HostOverrideWord word, int16_t material) {
    return isOverriding(word) ? finishOf(overrideIndex(word)) : materialFinish(material);
}

Finish slotFinish(const HostOverrideWord* word, int16_t material) {
    return word != nullptr ? finishOf(*word, material) : materialFinish(material);
}

std::unique_ptr<Pattern> fillOf(int16_t index) {
    if (index == 0) return nullptr;
    return std::make_unique<Fill>(AttributeLink(index, AttrFill));
}

std::unique_ptr<Pattern> materialFill(int16_t material) {
    return fillOf(Material::fromIndex(material).record().fill);
}

std::unique_ptr<Pattern> kindFill(uint32_t kind, int16_t material) {
    return isPatternKind(kind) ? materialFill(material) : nullptr;
}

std::unique_ptr<Pattern> compositeOf(int16_t negated) {
    const int index = std::abs(static_cast<int>(negated));
    if (index == 0) return nullptr;
    return std::make_unique<Composite>(AttributeLink(index, AttrComposite));
}

Material basicMaterial(uint32_t structureType, uint16_t material) {
    return structureType == 0 ? Material::fromIndex(static_cast<int16_t>(material)) : Material();
}

ComplexProfile complexProfileOf(uint16_t index) {
    return ComplexProfile(AttributeLink(static_cast<int16_t>(index), AttrProfile));
}

double quantityField(const ElementLink& link, size_t offset) {
    if (offset + sizeof(double) > HostQuantityBlockSize) return 0.0;
    ElementQuantities quantities;
    quantities.requestElement(offset, sizeof(double));
    if (!quantities.fetch(link)) return 0.0;
    return quantities.getValue(offset);
}

int32_t wholeQuantityField(const ElementLink& link, size_t offset) {
    if (offset + sizeof(int32_t) > HostQuantityBlockSize) return 0;
    ElementQuantities quantities;
    quantities.requestElement(offset, sizeof(int32_t));
    if (!quantities.fetch(link)) return 0;
    int32_t value = 0;
    std::memcpy(&value, quantities.getBlock() + offset, sizeof value);
    return value;
}

uint32_t outlineHoleCount(const Element& element) {
    std::unique_ptr<CadPolygon> outline = element.getOutline();
    return outline ? static_cast<uint32_t>(outline->getHoleCount()) : 0;
}

double holeAreaSum(const CadPolygon* outline) {
    double sum = 0.0;
    if (outline != nullptr)
        for (const CadPolygon* hole : outline->getHoles())
            if (hole != nullptr) sum += hole->getArea(true);
    return sum;
}

double holePerimeterSum(const CadPolygon* outline) {
    double sum = 0.0;
    if (outline != nullptr)
        for (const CadPolygon* hole : outline->getHoles())
            if (hole != nullptr) sum += hole->getEdgeMeasureSum();
    return sum;
}

double storeyElevation(const Element& element, double relative, bool absolute) {
    if (!absolute) return relative;
    const Storey* storey = element.getStorey();
    return storey != nullptr ? relative + storey->getLevel() : relative;
}

double relativeElevation(const Element& element, double value, bool absolute) {
    if (!absolute) return value;
    const Storey* storey = element.getStorey();
    return storey != nullptr ? value - storey->getLevel() : value;
}

bool spansStorey(const Storey& storey, double base, double height, double tolerance) {
    const double top = base + height;
    return top > storey.getLevel() + tolerance && base < storey.getLevel() + storey.getHeight() - tolerance;
}

void placePlanPoint(Element& element, HostCoord2D& plan, const CadPoint& point) {
    plan = point.getCoord2D();
    element.setElevation(point.getZ(), true);
}

PolyEdge referenceLineOf(const Element& element, const PolyPoint& end) {
    CadPoint begin;
    element.getReferencePoint(begin);
    return PolyEdge(begin, end);
}

bool flagOf(const FlagTriple& flags, size_t which) {
    checkIndex(which, 3, "invalid flag");
    return flags[which] != 0;
}

void setFlagOf(FlagTriple& flags, size_t which, bool on) {
    checkIndex(which, 3, "invalid flag");
    flags[which] = on ? 1 : 0;
}

bool allFlagsOf(const FlagTriple& flags) {
    return flagOf(flags, 0) && flagOf(flags, 1) && flagOf(flags, 2);
}

void setAllFlagsOf(FlagTriple& flags, bool on) {
    for (size_t which = 0; which < 3; ++which)
        setFlagOf(flags, which, on);
}

bool groupFlagsOf(const FlagGroups& groups, uint32_t kind) {
    return kind <= 1 && allFlagsOf(groups[kind]);
}

bool groupFlagOf(const FlagGroups& groups, uint32_t kind, size_t which) {
    return kind <= 1 && flagOf(groups[kind], which);
}

void setGroupFlagsOf(FlagGroups& groups, uint32_t kind, bool on) {
    if (kind <= 1) setAllFlagsOf(groups[kind], on);
}

void setGroupFlagOf(FlagGroups& groups, uint32_t kind, size_t which, bool on) {
    if (kind <= 1) setFlagOf(groups[kind], which, on);
}

// --- Outlines.

namespace {
// The memo's polygon, loaded for its owner on first use; null without one.
const CadPolygon* loadedPolygon(const PolygonMemo& memo) {
    // Reading an outline fetches it on first use: the memo is the cache of the host's polygon.
    return const_cast<PolygonMemo&>(memo).getPolygon();
}
} // namespace

std::unique_ptr<CadPolygon> outlineCopy(const PolygonMemo& memo) {
    const CadPolygon* outline = loadedPolygon(memo);
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

bool firstVertexAt(const PolygonMemo& memo, double z, CadPoint& point) {
    const CadPolygon* outline = loadedPolygon(memo);
    if (outline == nullptr || outline->getVertexCount() == 0) return false;
    point = CadPoint(outline->getVertex(0).getCoord2D(), z);
    return true;
}

void moveOutlineTo(Element& element, PolygonMemo& outline, const CadPoint& point) {
    CadPoint from;
    element.getReferencePoint(from);
    // The elevation is taken even when the outline cannot be read.
    (void)outline.movePolygon(CadPoint(point.getX() - from.getX(), point.getY() - from.getY(), 0.0));
    element.setElevation(point.getZ(), true);
}

bool moveOutlineBy(PolygonMemo& outline, double& elevation, const CadPoint& offset) {
    if (!outline.movePolygon(CadPoint(offset.getX(), offset.getY(), 0.0))) return false;
    elevation += offset.getZ();
    return true;
}

bool writtenCountsOf(const PolygonMemo& memo, bool loadFirst, PolygonCounts& counts) {
    if (!loadFirst && memo.heldPolygon() == nullptr) return false;
    // Counting loads the polygon on first use (the memo is the cache of the host's) and numbers
    // its vertices as they will be written.
    PolygonCounts counted;
    const_cast<PolygonMemo&>(memo).getPolygonCounts(counted);
    if (loadFirst && memo.heldPolygon() == nullptr) return false;
    counts = counted;
    return true;
}

// --- Memo parts.

uint64_t withUnloadedParts(MemoParts parts, uint64_t mask) {
    if (Element::isMemoLoadSuspended()) return mask;
    for (const MemoPart& part : parts)
        if (!part.memo.isLoaded() || (part.whenInvalid && !part.memo.isValid())) mask |= part.bits;
    return mask;
}

bool memoPartsAtHand(MemoParts parts, uint64_t& mask, MemoStore*& store, const MemoFetch& fetch,
                     bool onlyAsked) {
    mask = withUnloadedParts(parts, mask);
    uint64_t ours = 0;
    for (const MemoPart& part : parts)
        ours |= part.bits;
    if ((mask & ours) == 0) return false;
    if (store != nullptr || fetch(mask, store)) return true;
    // Nothing the host holds can be read: what stands loaded is empty.
    for (const MemoPart& part : parts)
        if (!onlyAsked || (mask & part.bits) != 0) part.memo.setLoaded(true);
    return false;
}

// --- Elements.

std::unique_ptr<Element> fetchOnDrawing(const Element& element, const API_Guid& guid) {
    Drawing* drawing = element.getDrawing();
    if (drawing == nullptr || !Guid(guid).isValid()) return nullptr;
    return drawing->get(ElementLink(Guid(guid), drawing));
}

} // namespace tarnwick
