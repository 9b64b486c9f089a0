#include "construction/Slab.h"

#include <cmath>

#include "Environment/Host.h"
#include "construction/ConstructionHelpers.h"
#include "project/Composite.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {

constexpr double ThicknessTolerance = 1e-5;

using S = HostSlabElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set (a composite slab's: below).
constexpr KindField<S> PenReads[] = {
    {0, &S::pen}, {1, &S::pen}, {6, &S::kind6Pen}, {8, &S::kind8Pen}, {10, &S::kind10Pen},
    {11, &S::cutFillPen}, {12, &S::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 6's and 8's.
constexpr KindField<S> PenWrites[] = {
    {0, &S::kind10Pen}, {0, &S::pen}, {0, &S::cutFillBackgroundPen}, {0, &S::cutFillPen},
    {1, &S::pen}, {6, &S::kind6Pen}, {8, &S::kind8Pen}, {10, &S::kind10Pen},
    {11, &S::cutFillPen}, {12, &S::cutFillBackgroundPen}};
constexpr KindField<S> LineTypes[] = {{0, &S::lineType}, {1, &S::lineType}};
// The finish override a finish kind reads and writes.
constexpr KindSlot Finishes[] = {{0, 0}, {1, 0}, {6, 0}, {5, 1}, {7, 2}};
// clang-format on

// The composite's first core, or its last; null without.
const HostCompositeCore* coreOf(Pattern* pattern, bool last) {
    auto* composite = dynamic_cast<tarnwick::Composite*>(pattern);
    const size_t count = composite != nullptr ? composite->getCoreCount() : 0;
    if (count == 0) return nullptr;
    return composite->getCore(last ? count - 1 : 0);
}

} // namespace

Slab::Slab() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), Host::getCurrentDatabase(), 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed slab
}

Slab::Slab(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Slab::Slab(const Slab& other)
    : Element(other), BorderedPolygonMemo(other), IFCMemo(other), m_record(other.m_record) {}

Slab::~Slab() = default;

// --- Attributes.

void Slab::getPen(Pen& pen, uint32_t which) const {
    const HostSlabElement& part = m_record.part();
    if ((which == 11 || which == 12) && part.cutFillFlag == 0 && part.structureType == Composite) {
        // A composite slab takes them from the material of its composite's first core.
        const std::unique_ptr<Pattern> composite = getPattern(0);
        const HostCompositeCore* core = coreOf(composite.get(), false);
        pen = core != nullptr ? materialCutFillPen(static_cast<int16_t>(core->material), which == 12) : Pen();
    } else if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen)) {
        Element::getPen(pen, which);
    }
}

void Slab::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypes, which);
}

void Slab::getFinish(Finish& finish, uint32_t which) const {
    const HostSlabElement& part = m_record.part();
    const HostOverrideWord* word = mappedWord(part.finishOverrides, Finishes, which);
    if (word == nullptr) return Element::getFinish(finish, which);
    if (isOverriding(*word) || part.structureType != Composite) {
        finish = finishOf(*word, static_cast<int16_t>(part.material));
        return;
    }
    // A composite slab's: its first core's (kinds 0, 1, 6), its last core's (7) or none (5).
    const std::unique_ptr<Pattern> composite = which == 5 ? nullptr : getPattern(0);
    const HostCompositeCore* core = coreOf(composite.get(), which == 7);
    finish = core != nullptr ? materialFinish(static_cast<int16_t>(core->material)) : Finish();
}

std::unique_ptr<Pattern> Slab::getPattern(uint32_t kind) const {
    const HostSlabElement& part = m_record.part();
    if (kind == 2) return fillOf(static_cast<int16_t>(part.kind2Fill));
    if (!isPatternKind(kind)) return nullptr;
    if (part.structureType == Composite) return compositeOf(part.composite);
    return materialFill(static_cast<int16_t>(part.material));
}

void Slab::getMaterial(Material& material) const {
    material = basicMaterial(m_record.part().structureType, m_record.part().material);
}

double Slab::getCompositeQuantity(uint16_t material) {
    if (getStructureType() != 0) return Element::getCompositeQuantity(material);
    const double thickness = getThickness();
    if (thickness <= ThicknessTolerance) return 0.0;
    return getMaterialQuantity(material) / thickness;
}

void Slab::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Slab::setPattern(const Pattern& pattern, uint32_t kind) {
    if (pattern.getLink().getIndex16() < 1) return;
    HostSlabElement& part = m_record.part();
    if (kind == 2) {
        if (const int16_t fill = fillIndexOf(pattern); fill != 0)
            part.kind2Fill = static_cast<uint16_t>(fill);
        return;
    }
    if (isPatternSetKind(kind)) takeComposite(part, pattern, Composite);
}

void Slab::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypes, which, style);
}

void Slab::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, Finishes, which,
                  [&](HostOverrideWord word) { return overridingFinish(word, finish); });
}

// --- Geometry.

void Slab::getReferencePoint(CadPoint& point) const {
    if (!firstVertexAt(*this, getElevation(true), point)) point = CadPoint();
}

double Slab::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void Slab::setReferencePoint(const CadPoint& point) {
    moveOutlineTo(*this, *this, point);
}

bool Slab::moveBy(const CadPoint& offset) {
    return moveOutlineBy(*this, m_record.part().elevation, offset);
}

void Slab::setElevation(double value, bool absolute) {
    HostSlabElement& part = m_record.part();
    value = relativeElevation(*this, value, absolute);
    const uint32_t kind = part.referenceKind;
    if (kind == 0 || kind > 3 || ((kind == 1 || kind == 2) && part.structureType != Composite)) {
        part.elevation = value;
        return;
    }
    if (kind == 3) {
        part.elevation = value - part.thickness;
        return;
    }
    std::unique_ptr<Pattern> pattern = getPattern(1);
    auto* composite = dynamic_cast<tarnwick::Composite*>(pattern.get());
    if (composite == nullptr) {
        part.elevation = value;
        return;
    }
    const size_t count = composite->getCoreCount();
    if (kind == 1) {
        // Measured to the top of the structure: the finish cores above it are passed over.
        for (size_t i = 0; i < count; ++i) {
            const HostCompositeCore* core = composite->getCore(i);
            if (core == nullptr || (core->flags & HostCoreFinishFlag) == 0) break;
            value -= core->thickness;
        }
        part.elevation = value;
        return;
    }
    double below = 0.0;
    for (size_t i = count; i-- > 0;) {
        const HostCompositeCore* core = composite->getCore(i);
        if (core == nullptr || (core->flags & HostCoreFinishFlag) == 0) break;
        below += core->thickness;
    }
    part.elevation = below + value - part.thickness;
}

// --- Own.

uint64_t Slab::getLinkedValue(uint32_t& out) const {
    const HostSlabElement& part = m_record.part();
    if (part.linkValue == 0) return 0;
    out = part.linkedU32;
    return part.linkValue;
}

CadPoint Slab::getLinkedPoint() const {
    uint32_t unused = 0;
    if (getLinkedValue(unused) == 0) return CadPoint();
    return CadPoint(m_record.part().linkedPoint);
}

Vector3 Slab::getFirstVector() const {
    const HostCoord2D& v = m_record.part().firstVector;
    return Vector3(v.x, v.y, 0.0);
}

Vector3 Slab::getSecondVector() const {
    const HostCoord2D& v = m_record.part().secondVector;
    return Vector3(v.x, v.y, 0.0);
}

// --- Record and memo.

std::unique_ptr<API_Element> Slab::buildRecord() const {
    return buildWithOutlineCounts(m_record, *this, getLink());
}

void Slab::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    loadOutline(*this, mask, store, [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); });
}

std::unique_ptr<Element> createSlab(const API_Element& record, ElementLink& link) {
    return createOfType<Slab>(record, link);
}

} // namespace tarnwick
