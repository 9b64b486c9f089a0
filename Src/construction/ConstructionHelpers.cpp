#include "construction/ConstructionHelpers.h"

#include <stdexcept>

#include "elements/Element.h"
#include "elements/ElementQuantities.h"
#include "project/Fill.h"
#include "project/Material.h"
#include "project/Storey.h"

namespace tarnwick {

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

double quantityField(const ElementLink& link, size_t offset) {
    if (offset + sizeof(double) > HostQuantityBlockSize) return 0.0;
    ElementQuantities quantities;
    quantities.requestElement(offset, sizeof(double));
    if (!quantities.fetch(link)) return 0.0;
    return quantities.getValue(offset);
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

uint32_t outlineHoleCount(const Element& element) {
    std::unique_ptr<CadPolygon> outline = element.getOutline();
    return outline ? static_cast<uint32_t>(outline->getHoleCount()) : 0;
}

bool flagOf(const uint8_t (&flags)[3], size_t which) {
    if (which >= 3) throw std::out_of_range("invalid flag");
    return flags[which] != 0;
}

void setFlagOf(uint8_t (&flags)[3], size_t which, bool on) {
    if (which >= 3) throw std::out_of_range("invalid flag");
    flags[which] = on ? 1 : 0;
}

bool groupFlagsOf(const FlagGroups& groups, uint32_t kind) {
    return kind <= 1 && flagOf(groups[kind], 0) && flagOf(groups[kind], 1) && flagOf(groups[kind], 2);
}

bool groupFlagOf(const FlagGroups& groups, uint32_t kind, size_t which) {
    return kind <= 1 && flagOf(groups[kind], which);
}

void setGroupFlagsOf(FlagGroups& groups, uint32_t kind, bool on) {
    if (kind > 1) return;
    for (size_t which = 0; which < 3; ++which)
        setFlagOf(groups[kind], which, on);
}

void setGroupFlagOf(FlagGroups& groups, uint32_t kind, size_t which, bool on) {
    if (kind <= 1) setFlagOf(groups[kind], which, on);
}

} // namespace tarnwick
