#include "construction/Slab.h"

#include <cmath>
#include <stdexcept>

#include "construction/ConstructionHelpers.h"
#include "project/Composite.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {

constexpr double ThicknessTolerance = 1e-5;

// The finish override a finish kind reads and writes; null for kinds without one.
const HostOverrideWord* finishSlot(const HostSlabElement& part, uint32_t kind) {
    switch (kind) {
    case 0:
    case 1:
    case 6:
        return &part.finishOverrides[0];
    case 5:
        return &part.finishOverrides[1];
    case 7:
        return &part.finishOverrides[2];
    default:
        return nullptr;
    }
}

HostOverrideWord* finishSlot(HostSlabElement& part, uint32_t kind) {
    return const_cast<HostOverrideWord*>(finishSlot(static_cast<const HostSlabElement&>(part), kind));
}

// The flag triple of side 0 or 1; std::out_of_range past.
using FlagTriple = uint8_t[3];
template <class Part> auto& sideTriple(Part& part, size_t side) {
    if (side >= 2) throw std::out_of_range("invalid side");
    return part.sideFlags[side];
}

} // namespace

Slab::Slab() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

Slab::Slab(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Slab::Slab(const Slab& other)
    : Element(other), BorderedPolygonMemo(other), IFCMemo(other), m_record(other.m_record) {}

Slab::~Slab() = default;

// --- Measures.

double Slab::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Slab::getSlabMeasure1() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure1));
}
double Slab::getSlabMeasure2() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure2));
}
double Slab::getSlabMeasure3() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure3));
}
double Slab::getSlabMeasure4() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure4));
}
double Slab::getSlabMeasure5() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure5));
}
double Slab::getSlabMeasure6() const {
    return quantity(offsetof(HostSlabQuantities, slabMeasure6));
}
double Slab::getMeasureD() {
    return quantity(offsetof(HostSlabQuantities, measure5));
}
double Slab::getMeasureE() {
    return quantity(offsetof(HostSlabQuantities, measure6));
}
double Slab::getMeasureH() const {
    return quantity(offsetof(HostSlabQuantities, measure10));
}
double Slab::getMeasureJ() const {
    return quantity(offsetof(HostSlabQuantities, measure12));
}
double Slab::getOutlineMeasure() const {
    return quantity(offsetof(HostSlabQuantities, perimeter));
}

uint32_t Slab::getOutlineHoleCount() const {
    return outlineHoleCount(*this);
}

// --- Attributes.

namespace {

// The composite's core at the index from the front, or from the back; null without.
const HostCompositeCore* coreOf(tarnwick::Composite& composite, bool last) {
    const size_t count = composite.getCoreCount();
    if (count == 0) return nullptr;
    return composite.getCore(last ? count - 1 : 0);
}

} // namespace

void Slab::getPen(Pen& pen, uint32_t which) const {
    const HostSlabElement& part = m_record.part();
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.pen);
        break;
    case 6:
        pen = penOf(part.kind6Pen);
        break;
    case 8:
        pen = penOf(part.kind8Pen);
        break;
    case 10:
        pen = penOf(part.kind10Pen);
        break;
    case 11:
    case 12: {
        const bool background = which == 12;
        if (part.cutFillFlag != 0) {
            pen = penOf(background ? part.cutFillBackgroundPen : part.cutFillPen);
        } else if (part.structureType != Composite) {
            pen = materialCutFillPen(static_cast<int16_t>(part.material), background);
        } else {
            std::unique_ptr<Pattern> pattern = getPattern(0);
            auto* composite = dynamic_cast<tarnwick::Composite*>(pattern.get());
            const HostCompositeCore* core = composite != nullptr ? coreOf(*composite, false) : nullptr;
            pen = core != nullptr ? materialCutFillPen(static_cast<int16_t>(core->material), background)
                                  : Pen();
        }
        break;
    }
    default:
        Element::getPen(pen, which);
        break;
    }
}

void Slab::getLineStyle(LineStyle& style, uint32_t which) const {
    if (which > 1) return Element::getLineStyle(style, which);
    style = lineStyleOf(m_record.part().lineType);
}

void Slab::getFinish(Finish& finish, uint32_t which) const {
    const HostSlabElement& part = m_record.part();
    const HostOverrideWord* word = finishSlot(part, which);
    if (word == nullptr) return Element::getFinish(finish, which);
    if (isOverriding(*word)) {
        finish = finishOf(overrideIndex(*word));
        return;
    }
    if (part.structureType != Composite) {
        finish = materialFinish(static_cast<int16_t>(part.material));
        return;
    }
    finish = Finish();
    if (which == 5) return;
    std::unique_ptr<Pattern> pattern = getPattern(0);
    auto* composite = dynamic_cast<tarnwick::Composite*>(pattern.get());
    const HostCompositeCore* core = composite != nullptr ? coreOf(*composite, which == 7) : nullptr;
    if (core != nullptr) finish = materialFinish(static_cast<int16_t>(core->material));
}

std::unique_ptr<Pattern> Slab::getPattern(uint32_t kind) const {
    const HostSlabElement& part = m_record.part();
    if (kind == 2) return fillOf(static_cast<int16_t>(part.kind2Fill));
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    if (part.structureType != Composite) return materialFill(static_cast<int16_t>(part.material));
    // The host keeps a composite's index negated.
    const int index = std::abs(static_cast<int>(part.composite));
    if (index == 0) return nullptr;
    return std::make_unique<tarnwick::Composite>(AttributeLink(index, AttrComposite));
}

void Slab::getMaterial(Material& material) const {
    const HostSlabElement& part = m_record.part();
    material =
        part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.material)) : Material();
}

double Slab::getCompositeQuantity(uint16_t material) {
    if (getStructureType() != 0) return Element::getCompositeQuantity(material);
    const double thickness = getThickness();
    if (thickness <= ThicknessTolerance) return 0.0;
    return getMaterialQuantity(material) / thickness;
}

void Slab::setPen(const Pen& pen, uint32_t which) {
    HostSlabElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind10Pen = index;
        part.pen = index;
        part.cutFillBackgroundPen = index;
        part.cutFillPen = index;
        break;
    case 1:
        part.pen = index;
        break;
    case 6:
        part.kind6Pen = index;
        break;
    case 8:
        part.kind8Pen = index;
        break;
    case 10:
        part.kind10Pen = index;
        break;
    case 11:
        part.cutFillPen = index;
        break;
    case 12:
        part.cutFillBackgroundPen = index;
        break;
    default:
        break;
    }
}

void Slab::setPattern(const Pattern& pattern, uint32_t kind) {
    if (static_cast<int32_t>(pattern.getLink().getIndex16()) < 1) return;
    HostSlabElement& part = m_record.part();
    if (kind == 2) {
        if (pattern.getLink().getType() == AttrFill)
            part.kind2Fill = static_cast<uint16_t>(pattern.getLink().getIndex16());
        return;
    }
    if ((kind != 0 && kind != 3) || pattern.getLink().getType() != AttrComposite) return;
    part.composite = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    part.structureType = Composite;
}

void Slab::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
}

void Slab::setFinish(const Finish& finish, uint32_t which) {
    HostOverrideWord* word = finishSlot(m_record.part(), which);
    if (word != nullptr) *word = overridingFinish(*word, finish);
}

// --- Geometry.

void Slab::getReferencePoint(CadPoint& point) const {
    point = const_cast<Slab*>(this)->firstVertexAt(getElevation(true));
}

double Slab::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

std::unique_ptr<CadPolygon> Slab::getOutline() const {
    const CadPolygon* outline = const_cast<Slab*>(this)->getPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

void Slab::setReferencePoint(const CadPoint& point) {
    CadPoint from;
    getReferencePoint(from);
    (void)movePolygon(CadPoint(point.getX() - from.getX(), point.getY() - from.getY(), 0.0));
    setElevation(point.getZ(), true);
}

bool Slab::moveBy(const CadPoint& offset) {
    if (!movePolygon(CadPoint(offset.getX(), offset.getY(), 0.0))) return false;
    m_record.part().elevation += offset.getZ();
    return true;
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

bool Slab::getSideFlags(size_t side) const {
    const FlagTriple& flags = sideTriple(m_record.part(), side);
    return flags[0] != 0 && flags[1] != 0 && flags[2] != 0;
}

bool Slab::getSideFlag2(size_t side) const {
    return flagOf(sideTriple(m_record.part(), side), 1);
}

bool Slab::getSideFlag3(size_t side) const {
    return flagOf(sideTriple(m_record.part(), side), 2);
}

void Slab::setSideFlags(size_t side, bool on) {
    FlagTriple& flags = sideTriple(m_record.part(), side);
    for (size_t i = 0; i < 3; ++i)
        setFlagOf(flags, i, on);
}

void Slab::setSideFlag2(size_t side, bool on) {
    setFlagOf(sideTriple(m_record.part(), side), 1, on);
}

void Slab::setSideFlag3(size_t side, bool on) {
    setFlagOf(sideTriple(m_record.part(), side), 2, on);
}

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

PolygonCounts Slab::getPolygonHeader() const {
    const HostSlabElement& part = m_record.part();
    return {part.coordinateCount, part.endCount, part.arcCount};
}

std::unique_ptr<API_Element> Slab::buildRecord() const {
    HostSlabElement part = m_record.part();
    const PolygonCounts counts = const_cast<Slab*>(this)->countsToWrite(getPolygonHeader());
    setPolygonCounts(part, counts);
    ConstructionRecord<HostSlabElement> copy;
    copy.part() = part;
    return copy.build(getLink());
}

void Slab::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!BorderedPolygonMemo::isLoaded() || !BorderedPolygonMemo::isValid()))
        mask |= getMemoMask();
    if ((mask & getMemoMask()) == 0) return;
    if (store == nullptr) {
        // A new slab has nothing the host could hand out.
        if (!getLink().hasGuid() || getDrawing() == nullptr) return readOutline(mask, nullptr);
        // Left unloaded when the host cannot say: an empty outline is never written over its own.
        if (!fetchMemo(mask, store)) return;
    }
    readOutline(mask, store);
}

ElementMemoPtr Slab::buildMemo(uint64_t& mask) {
    return buildOutline(mask);
}

std::unique_ptr<Element> createSlab(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Slab::TypeCode) return nullptr;
    return std::make_unique<Slab>(link, record);
}

} // namespace tarnwick
