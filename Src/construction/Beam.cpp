#include "construction/Beam.h"

#include <cmath>

#include "construction/ConstructionHelpers.h"
#include "construction/GableOnlyMemo.h"
#include "project/ComplexProfile.h"
#include "project/LineStyle.h"
#include "project/Material.h"

namespace tarnwick {

namespace {

using B = HostBeamElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<B> PenReads[] = {
    {0, &B::contourPen}, {1, &B::contourPen}, {2, &B::kind2Pen}, {4, &B::kind4Pen}, {10, &B::kind10Pen},
    {11, &B::cutFillPen}, {12, &B::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 4's; 6 and 8 as 11 and 12.
constexpr KindField<B> PenWrites[] = {
    {0, &B::kind10Pen}, {0, &B::contourPen}, {0, &B::cutFillBackgroundPen}, {0, &B::cutFillPen},
    {0, &B::kind2Pen},
    {1, &B::contourPen}, {2, &B::kind2Pen}, {4, &B::kind4Pen}, {10, &B::kind10Pen},
    {6, &B::cutFillPen}, {11, &B::cutFillPen}, {8, &B::cutFillBackgroundPen}, {12, &B::cutFillBackgroundPen}};
// Kinds below 2 the line type; the others read the second one, and only kind 2 writes it.
constexpr KindField<B> LineTypeReads[] = {
    {0, &B::lineType}, {1, &B::lineType}, {AnyKind, &B::secondLineType}};
constexpr KindField<B> LineTypeWrites[] = {{0, &B::lineType}, {1, &B::lineType}, {2, &B::secondLineType}};
// The finish override a finish kind reads, and those setFinish writes: 0 and 1 every one.
constexpr KindSlot FinishReads[] = {{2, 0}, {0, 1}, {1, 1}, {3, 2}, {7, 3}, {5, 4}};
constexpr KindSlot FinishWrites[] = {
    {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4},
    {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4},
    {2, 0}, {6, 1}, {3, 2}, {7, 3}, {5, 4}};
// clang-format on

constexpr double SmallestSize = 1e-5;

} // namespace

Beam::Beam() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed beam
}

Beam::Beam(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

// --- Attributes.

void Beam::getPen(Pen& pen, uint32_t which) const {
    const HostBeamElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen))
        Element::getPen(pen, which);
}

void Beam::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypeReads, which);
}

void Beam::getFinish(Finish& finish, uint32_t which) const {
    const HostBeamElement& part = m_record.part();
    finish =
        slotFinish(mappedWord(part.finishOverrides, FinishReads, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Beam::getPattern(uint32_t kind) const {
    return kindFill(kind, static_cast<int16_t>(m_record.part().material));
}

void Beam::getComplexProfile(ComplexProfile& profile) const {
    profile = complexProfileOf(m_record.part().complexProfile);
}

void Beam::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = index16(profile);
}

void Beam::getMaterial(Material& material) const {
    material = basicMaterial(m_record.part().structureType, m_record.part().material);
}

double Beam::getCompositeQuantity(uint16_t material) {
    const double size = getSecondSize();
    if (std::fabs(size) <= SmallestSize) return 0.0;
    return getMaterialQuantity(material) / size;
}

void Beam::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Beam::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypeWrites, which, style);
}

void Beam::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, FinishWrites, which,
                  [&](HostOverrideWord word) { return overridingFinish(word, finish); });
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
    placePlanPoint(*this, m_record.part().begin, point);
}

void Beam::setEndPoint(const CadPoint& point) {
    placePlanPoint(*this, m_record.part().end, point);
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
    return createOfType<Beam>(record, link);
}

} // namespace tarnwick
