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

Column::Column() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

Column::Column(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Column::Column(const Column& other)
    : Element(other), GableMemo(other), IFCMemo(other), ConstructionProfile(other), m_record(other.m_record) {
}

bool Column::isOnStorey(const Storey& storey, double tolerance) const {
    if (m_record.part().storeySpanFlag == 0) return Element::isOnStorey(storey, tolerance);
    const double base = getElevation(true);
    const double top = base + m_record.part().height;
    return top > storey.getLevel() + tolerance && base < storey.getLevel() + storey.getHeight() - tolerance;
}

// --- Measures.

double Column::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Column::columnQuantity(size_t index) const {
    return quantity(offsetof(HostColumnQuantities, columnQuantity) + index * sizeof(double));
}

double Column::getMeasureA() const {
    return quantity(offsetof(HostColumnQuantities, measureA));
}
double Column::getMeasureD() {
    return quantity(offsetof(HostColumnQuantities, measureD));
}
double Column::getMeasureE() {
    return quantity(offsetof(HostColumnQuantities, measureE));
}
double Column::getMeasureF() {
    return quantity(offsetof(HostColumnQuantities, measureF));
}
double Column::getMeasureG() {
    return quantity(offsetof(HostColumnQuantities, measureG));
}

uint32_t Column::getOutlineHoleCount() const {
    return static_cast<uint32_t>(outline().getHoleCount());
}

double Column::getMeasureH() const {
    double sum = 0.0;
    for (const CadPolygon* hole : outline().getHoles())
        if (hole != nullptr) sum += hole->getArea(true);
    return sum;
}

double Column::getMeasureJ() const {
    double sum = 0.0;
    for (const CadPolygon* hole : outline().getHoles())
        if (hole != nullptr) sum += hole->getEdgeMeasureSum();
    return sum;
}

// --- Attributes.

void Column::getPen(Pen& pen, uint32_t which) const {
    const HostColumnElement& part = m_record.part();
    const auto core = static_cast<int16_t>(part.coreMaterial);
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    case 2:
        pen = penOf(part.kind2Pen);
        break;
    case 3:
        pen = penOf(part.kind3Pen);
        break;
    case 4:
    case 10:
        pen = penOf(part.kind4Pen);
        break;
    case 5:
        pen = penOf(part.kind5Pen);
        break;
    case 11:
        pen = partCutFillPen(part, core, false);
        break;
    case 12:
        pen = partCutFillPen(part, core, true);
        break;
    case 13:
        pen = materialCutFillPen(static_cast<int16_t>(part.veneerMaterial), true);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void Column::getLineStyle(LineStyle& style, uint32_t) const {
    style = lineStyleOf(m_record.part().lineType);
}

void Column::setLineStyle(const LineStyle& style, uint32_t) {
    m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
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
    if (kind == 0 || kind == 1 || kind == 3) return materialFill(static_cast<int16_t>(part.coreMaterial));
    if (kind == 2) return materialFill(static_cast<int16_t>(part.veneerMaterial));
    return nullptr;
}

void Column::getComplexProfile(ComplexProfile& profile) const {
    profile =
        ComplexProfile(AttributeLink(static_cast<int16_t>(m_record.part().complexProfile), AttrProfile));
}

void Column::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = static_cast<uint16_t>(profile.getLink().getIndex16());
}

void Column::getMaterial(Material& material) const {
    const HostColumnElement& part = m_record.part();
    material =
        part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.coreMaterial)) : Material();
}

Material Column::getVeneerMaterial() const {
    const HostColumnElement& part = m_record.part();
    return part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.veneerMaterial))
                                   : Material();
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
    HostColumnElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind4Pen = part.contourPen = part.cutFillBackgroundPen = part.cutFillPen = part.kind3Pen =
            part.kind2Pen = index;
        break;
    case 1:
        part.contourPen = index;
        break;
    case 2:
        part.kind2Pen = index;
        break;
    case 3:
        part.kind3Pen = index;
        break;
    case 4:
    case 10:
        part.kind4Pen = index;
        break;
    case 5:
        part.kind5Pen = index;
        break;
    case 6:
    case 11:
        part.cutFillPen = index;
        break;
    case 8:
    case 12:
        part.cutFillBackgroundPen = index;
        break;
    default:
        break;
    }
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
    m_record.part().reference = point.getCoord2D();
    setElevation(point.getZ(), true);
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

// --- Setters that change the outline drop it.

void Column::setWidth(double width) {
    m_record.part().width = width;
    m_outline.reset();
}

void Column::setDepth(double depth) {
    m_record.part().depth = depth;
    m_outline.reset();
}

void Column::setVeneerThickness(double thickness) {
    m_record.part().veneerThickness = thickness;
    m_outline.reset();
}

void Column::setAxisAngle(double angle) {
    m_record.part().axisAngle = angle;
    m_outline.reset();
}

void Column::setExtraAngle(double angle) {
    m_record.part().extraAngle = angle;
    m_outline.reset();
}

void Column::setCircular(bool on) {
    m_record.part().circularFlag = on ? 1 : 0;
    m_outline.reset();
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
    if (record.head.typeCode != Column::TypeCode) return nullptr;
    return std::make_unique<Column>(link, record);
}

} // namespace tarnwick
