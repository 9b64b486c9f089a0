#include "construction/Opening.h"

#include "construction/ConstructionHelpers.h"
#include "project/Finish.h"
#include "project/LineStyle.h"

namespace tarnwick {

namespace {
using O = HostOpeningPart;
// clang-format off
// The field getPen reads for a pen kind, and the fields setPen writes: 0 all but kind 12's; 6 and 8
// as 11 and 12.
constexpr KindField<O> PenReads[] = {
    {0, &O::pen}, {1, &O::pen}, {10, &O::kind10Pen}, {11, &O::kind11Pen}, {12, &O::kind12Pen}};
constexpr KindField<O> PenWrites[] = {
    {0, &O::pen}, {0, &O::kind10Pen}, {0, &O::kind11Pen},
    {1, &O::pen}, {10, &O::kind10Pen},
    {6, &O::kind11Pen}, {11, &O::kind11Pen}, {8, &O::kind12Pen}, {12, &O::kind12Pen}};
constexpr KindField<O> LineTypes[] = {{0, &O::lineType}, {1, &O::lineType}};
// clang-format on
} // namespace

Opening::Opening(const ElementLink& link, const ComponentLink& component) : ComponentElem(link, component) {}

void Opening::getPen(Pen& pen, uint32_t which) const {
    if (!mappedPen(getOpeningRecord(), PenReads, which, pen)) pen = Pen();
}

void Opening::setPen(const Pen& pen, uint32_t which) {
    writeMapped(editOpeningRecord(), PenWrites, which, pen);
}

void Opening::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(getOpeningRecord(), LineTypes, which);
}

void Opening::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(editOpeningRecord(), LineTypes, which, style);
}

void Opening::getFinish(Finish& finish, uint32_t which) const {
    finish = which <= 1 ? finishOf(getOpeningRecord().surface) : Finish();
}

void Opening::setFinish(const Finish& finish, uint32_t which) {
    if (which <= 1) editOpeningRecord().surface = index16(finish);
}

std::unique_ptr<Pattern> Opening::getPattern(uint32_t kind) const {
    if (!isPatternKind(kind)) return nullptr;
    return fillOf(static_cast<int16_t>(getOpeningRecord().fill));
}

void Opening::setPattern(const Pattern& pattern, uint32_t kind) {
    const int16_t index = fillIndexOf(pattern);
    if (isPatternSetKind(kind) && index >= 1) editOpeningRecord().fill = static_cast<uint16_t>(index);
}

void Opening::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    editOpeningRecord().libIndex = link.getIndex();
    ComponentElem::setComponentLink(ComponentLink(link.getIndex(), link.getType(), link.getLibrary()),
                                    resetSizes, loadParameters);
}

} // namespace tarnwick
