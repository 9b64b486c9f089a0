#include "construction/Opening.h"

#include "construction/ConstructionHelpers.h"
#include "project/Finish.h"
#include "project/LineStyle.h"

namespace tarnwick {

namespace {
uint16_t index16(const Attribute& attribute) {
    return static_cast<uint16_t>(attribute.getIndex16());
}
} // namespace

Opening::Opening(const ElementLink& link, const ComponentLink& component) : ComponentElem(link, component) {}

void Opening::getPen(Pen& pen, uint32_t which) const {
    const HostOpeningPart& part = getOpeningRecord();
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.pen);
        break;
    case 10:
        pen = penOf(part.kind10Pen);
        break;
    case 11:
        pen = penOf(part.kind11Pen);
        break;
    case 12:
        pen = penOf(part.kind12Pen);
        break;
    default:
        pen = Pen();
        break;
    }
}

void Opening::setPen(const Pen& pen, uint32_t which) {
    HostOpeningPart& part = editOpeningRecord();
    const uint16_t index = index16(pen);
    switch (which) {
    case 0:
        part.pen = part.kind10Pen = part.kind11Pen = index;
        break;
    case 1:
        part.pen = index;
        break;
    case 6:
    case 11:
        part.kind11Pen = index;
        break;
    case 8:
    case 12:
        part.kind12Pen = index;
        break;
    case 10:
        part.kind10Pen = index;
        break;
    default:
        break;
    }
}

void Opening::getLineStyle(LineStyle& style, uint32_t which) const {
    style = which <= 1 ? lineStyleOf(getOpeningRecord().lineType) : LineStyle();
}

void Opening::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) editOpeningRecord().lineType = index16(style);
}

void Opening::getFinish(Finish& finish, uint32_t which) const {
    finish = which <= 1 ? finishOf(getOpeningRecord().surface) : Finish();
}

void Opening::setFinish(const Finish& finish, uint32_t which) {
    if (which <= 1) editOpeningRecord().surface = index16(finish);
}

std::unique_ptr<Pattern> Opening::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    return fillOf(static_cast<int16_t>(getOpeningRecord().fill));
}

void Opening::setPattern(const Pattern& pattern) {
    const auto index = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    if (index >= 1) editOpeningRecord().fill = static_cast<uint16_t>(index);
}

void Opening::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    editOpeningRecord().libIndex = link.getIndex();
    ComponentElem::setComponentLink(ComponentLink(link.getIndex(), link.getType(), link.getLibrary()),
                                    resetSizes, loadParameters);
}

} // namespace tarnwick
