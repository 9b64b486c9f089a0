#include "construction/Beam.h"

#include <cmath>

#include "construction/ConstructionHelpers.h"
#include "construction/GableOnlyMemo.h"
#include "project/ComplexProfile.h"
#include "project/LineStyle.h"
#include "project/Material.h"

namespace tarnwick {

namespace {
// The override a finish kind reads; null for kinds without one.
const HostOverrideWord* finishSlot(const HostBeamElement& part, uint32_t kind) {
    switch (kind) {
    case 2:
        return &part.finishOverrides[0];
    case 0:
    case 1:
        return &part.finishOverrides[1];
    case 3:
        return &part.finishOverrides[2];
    case 7:
        return &part.finishOverrides[3];
    case 5:
        return &part.finishOverrides[4];
    default:
        return nullptr;
    }
}

constexpr double SmallestSize = 1e-5;
} // namespace

Beam::Beam() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

Beam::Beam(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

// --- Measures.

double Beam::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Beam::beamQuantity(size_t index) const {
    return quantity(offsetof(HostBeamQuantities, beamQuantity) + index * sizeof(double));
}

double Beam::getMeasureA() const {
    return quantity(offsetof(HostBeamQuantities, measureA));
}
double Beam::getMeasureB() const {
    return quantity(offsetof(HostBeamQuantities, measureB));
}
double Beam::getMeasureC() const {
    return quantity(offsetof(HostBeamQuantities, measureC));
}
double Beam::getMeasureD() {
    return quantity(offsetof(HostBeamQuantities, measureD));
}
double Beam::getMeasureH() const {
    return quantity(offsetof(HostBeamQuantities, measureH));
}
double Beam::getMeasureI() const {
    return quantity(offsetof(HostBeamQuantities, measureI));
}

// --- Attributes.

void Beam::getPen(Pen& pen, uint32_t which) const {
    const HostBeamElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    case 2:
        pen = penOf(part.kind2Pen);
        break;
    case 4:
        pen = penOf(part.kind4Pen);
        break;
    case 10:
        pen = penOf(part.kind10Pen);
        break;
    case 11:
        pen = partCutFillPen(part, material, false);
        break;
    case 12:
        pen = partCutFillPen(part, material, true);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void Beam::getLineStyle(LineStyle& style, uint32_t which) const {
    const HostBeamElement& part = m_record.part();
    const uint16_t index = which < 2 ? part.lineType : part.secondLineType;
    style = lineStyleOf(index);
}

void Beam::getFinish(Finish& finish, uint32_t which) const {
    const HostBeamElement& part = m_record.part();
    finish = slotFinish(finishSlot(part, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Beam::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    return materialFill(static_cast<int16_t>(m_record.part().material));
}

void Beam::getComplexProfile(ComplexProfile& profile) const {
    profile =
        ComplexProfile(AttributeLink(static_cast<int16_t>(m_record.part().complexProfile), AttrProfile));
}

void Beam::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = static_cast<uint16_t>(profile.getLink().getIndex16());
}

void Beam::getMaterial(Material& material) const {
    const HostBeamElement& part = m_record.part();
    material =
        part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.material)) : Material();
}

double Beam::getCompositeQuantity(uint16_t material) {
    const double size = getSecondSize();
    if (std::fabs(size) <= SmallestSize) return 0.0;
    return getMaterialQuantity(material) / size;
}

void Beam::setPen(const Pen& pen, uint32_t which) {
    HostBeamElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind10Pen = part.contourPen = part.cutFillBackgroundPen = part.cutFillPen = part.kind2Pen =
            index;
        break;
    case 1:
        part.contourPen = index;
        break;
    case 2:
        part.kind2Pen = index;
        break;
    case 4:
        part.kind4Pen = index;
        break;
    case 6:
    case 11:
        part.cutFillPen = index;
        break;
    case 8:
    case 12:
        part.cutFillBackgroundPen = index;
        break;
    case 10:
        part.kind10Pen = index;
        break;
    default:
        break;
    }
}

void Beam::setLineStyle(const LineStyle& style, uint32_t which) {
    const auto index = static_cast<uint16_t>(style.getIndex16());
    if (which < 2)
        m_record.part().lineType = index;
    else if (which == 2)
        m_record.part().secondLineType = index;
}

void Beam::setFinish(const Finish& finish, uint32_t which) {
    HostOverrideWord* overrides = m_record.part().finishOverrides;
    auto write = [&](size_t slot) { overrides[slot] = overridingFinish(overrides[slot], finish); };
    switch (which) {
    case 0:
    case 1:
        for (size_t slot = 0; slot < 5; ++slot)
            write(slot);
        break;
    case 2:
        write(0);
        break;
    case 3:
        write(2);
        break;
    case 5:
        write(4);
        break;
    case 6:
        write(1);
        break;
    case 7:
        write(3);
        break;
    default:
        break;
    }
}

// --- Geometry.

void Beam::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.part().begin, getElevation(true));
}

double Beam::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void Beam::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
}

void Beam::setReferencePoint(const CadPoint& point) {
    m_record.part().begin = point.getCoord2D();
    setElevation(point.getZ(), true);
}

void Beam::setEndPoint(const CadPoint& point) {
    m_record.part().end = point.getCoord2D();
    setElevation(point.getZ(), true);
}

void Beam::getEndPoint(PolyPoint& point) const {
    const HostBeamElement& part = m_record.part();
    double z = getElevation(true);
    if (part.slopedFlag != 0)
        z += CadPoint(part.begin).distance2D(CadPoint(part.end)) * std::tan(part.slopeAngle);
    point = PolyPoint(CadPoint(part.end, z), part.arcAngle);
}

PolyEdge Beam::getReferenceLine() const {
    CadPoint begin;
    getReferencePoint(begin);
    PolyPoint end;
    getEndPoint(end);
    return PolyEdge(begin, end);
}

// --- Memos.

void Beam::loadMemo(uint64_t mask, MemoStore*& store) {
    loadGablesOnly(*this, *this, mask, store, [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); });
}

ElementMemoPtr Beam::buildMemo(uint64_t& mask) {
    return buildGablesOnly(*this, mask);
}

std::unique_ptr<Element> createBeam(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Beam::TypeCode) return nullptr;
    return std::make_unique<Beam>(link, record);
}

} // namespace tarnwick
