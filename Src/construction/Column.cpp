#include "construction/Column.h"

#include <cmath>
#include <numbers>

#include "construction/ConstructionHelpers.h"
#include "construction/GableOnlyMemo.h"
#include "project/ComplexProfile.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
using C = HostColumnElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the core material's unless
// the cut-fill flag is set. Kind 13 is the veneer material's own.
constexpr KindField<C> PenReads[] = {
    {0, &C::contourPen}, {1, &C::contourPen}, {2, &C::kind2Pen}, {3, &C::kind3Pen}, {5, &C::kind5Pen},
    {4, &C::kind4Pen}, {10, &C::kind4Pen},
    {11, &C::cutFillPen}, {12, &C::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 5's; 6 and 8 as 11 and 12.
constexpr KindField<C> PenWrites[] = {
    {0, &C::kind4Pen}, {0, &C::contourPen}, {0, &C::cutFillBackgroundPen}, {0, &C::cutFillPen},
    {0, &C::kind3Pen}, {0, &C::kind2Pen},
    {1, &C::contourPen}, {2, &C::kind2Pen}, {3, &C::kind3Pen}, {4, &C::kind4Pen}, {10, &C::kind4Pen},
    {5, &C::kind5Pen},
    {6, &C::cutFillPen}, {11, &C::cutFillPen}, {8, &C::cutFillBackgroundPen}, {12, &C::cutFillBackgroundPen}};
// One line type for every kind.
constexpr KindField<C> LineTypes[] = {{AnyKind, &C::lineType}};
// clang-format on
} // namespace

Column::Column() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed column
}

Column::Column(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Column::Column(const Column& other)
    : Element(other), GableMemo(other), IFCMemo(other), ConstructionProfile(other), m_record(other.m_record) {
}

bool Column::isOnStorey(const Storey& storey, double tolerance) const {
    if (m_record.part().storeySpanFlag == 0) return Element::isOnStorey(storey, tolerance);
    return spansStorey(storey, getElevation(true), m_record.part().height, tolerance);
}

// --- Attributes.

void Column::getPen(Pen& pen, uint32_t which) const {
    const HostColumnElement& part = m_record.part();
    if (which == 13)
        pen = materialCutFillPen(static_cast<int16_t>(part.veneerMaterial), true);
    else if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.coreMaterial), pen))
        Element::getPen(pen, which);
}

void Column::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypes, which);
}

void Column::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypes, which, style);
}

void Column::getFinish(Finish& finish, uint32_t) const {
    const HostColumnElement& part = m_record.part();
    finish = finishOf(part.finishOverride, static_cast<int16_t>(part.coreMaterial));
}

void Column::setFinish(const Finish& finish, uint32_t) {
    HostOverrideWord& word = m_record.part().finishOverride;
    word = overridingFinish(word, finish);
}

std::unique_ptr<Pattern> Column::getPattern(uint32_t kind) const {
    const HostColumnElement& part = m_record.part();
    if (kind == 2) return materialFill(static_cast<int16_t>(part.veneerMaterial));
    return kindFill(kind, static_cast<int16_t>(part.coreMaterial));
}

void Column::getComplexProfile(ComplexProfile& profile) const {
    profile = complexProfileOf(m_record.part().complexProfile);
}

void Column::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = index16(profile);
}

void Column::getMaterial(Material& material) const {
    material = basicMaterial(m_record.part().structureType, m_record.part().coreMaterial);
}

Material Column::getVeneerMaterial() const {
    return basicMaterial(m_record.part().structureType, m_record.part().veneerMaterial);
}

double Column::getMaterialQuantity(uint16_t material) {
    Material core;
    getMaterial(core);
    double sum = 0.0;
    if (isMaterial(core, material)) sum += getMeasureD();
    if (isMaterial(getVeneerMaterial(), material)) sum += getColumnQuantity2();
    return sum;
}

double Column::getCompositeQuantity(uint16_t material) {
    Material core;
    getMaterial(core);
    const bool ours = isMaterial(core, material) || isMaterial(getVeneerMaterial(), material);
    return ours ? Element::getCompositeQuantity(material) : 0.0;
}

void Column::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

// --- Geometry.

void Column::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.part().reference, getElevation(true));
}

double Column::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void Column::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
    m_outline.reset();
}

void Column::setReferencePoint(const CadPoint& point) {
    placePlanPoint(*this, m_record.part().reference, point);
}

double Column::getDiameter() const {
    const HostColumnElement& part = m_record.part();
    return isCircular() && part.depth == part.width ? part.depth : 0.0;
}

double Column::getOverallWidth() const {
    return m_record.part().width + 2.0 * getVeneerThickness();
}

double Column::getOverallDepth() const {
    return m_record.part().depth + 2.0 * getVeneerThickness();
}

void Column::getCrossLine(PolyEdge& line, bool depthwise) const {
    CadPoint centre;
    getReferencePoint(centre);
    const double angle = getAxisAngle() + (depthwise ? std::numbers::pi / 2.0 : 0.0);
    const double half = (depthwise ? m_record.part().depth : m_record.part().width) / 2.0;
    CadPoint start = centre;
    start.movePolar(-half, angle);
    CadPoint end = centre;
    end.movePolar(half, angle);
    line = PolyEdge(start, PolyPoint(end));
}

const CadPolygon& Column::outline() const {
    if (m_outline) return *m_outline;
    double a = getVeneerThickness();
    double w = m_record.part().width;
    double d = m_record.part().depth;
    if (isCircular()) {
        const double c = std::cos(std::numbers::pi / 4.0);
        a *= c;
        w *= c;
        d = w;
    }
    auto built =
        std::make_unique<CadPolygon>(Cube(-(w / 2.0 + a), -(d / 2.0 + a), 0.0, w / 2.0 + a, d / 2.0 + a, 0.0),
                                     getExtraAngle() + getAxisAngle());
    if (isCircular())
        for (size_t i = 0; i < built->getVertexCount(); ++i)
            built->vertexRef(i).setArcAngle(std::numbers::pi / 2.0);
    CadPoint reference;
    getReferencePoint(reference);
    *built += reference;
    m_outline = std::move(built);
    return *m_outline;
}

std::unique_ptr<CadPolygon> Column::getOutline() const {
    return std::make_unique<CadPolygon>(outline());
}

bool Column::resetToDefaults() {
    m_outline.reset();
    return m_record.resetToDefaults(*this);
}

HostColumnElement& Column::getColumnRecord() {
    m_outline.reset();
    return m_record.part();
}

// --- Memos.

void Column::loadMemo(uint64_t mask, MemoStore*& store) {
    loadGablesOnly(*this, *this, mask, store, [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); });
}

ElementMemoPtr Column::buildMemo(uint64_t& mask) {
    return buildGablesOnly(*this, mask);
}

std::unique_ptr<Element> createColumn(const API_Element& record, ElementLink& link) {
    return createOfType<Column>(record, link);
}

} // namespace tarnwick
