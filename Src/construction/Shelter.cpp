#include "construction/Shelter.h"

#include <cmath>
#include <stdexcept>

#include "Environment/HostCalls.h"
#include "construction/ConstructionHelpers.h"
#include "platform/gsroot/Containers.h"
#include "project/Composite.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

// The finish override a finish kind reads and writes; null for kinds without one.
const HostOverrideWord* finishSlot(const HostShelterElement& part, uint32_t kind) {
    switch (kind) {
    case 0:
    case 1:
        return &part.finishOverrides[0];
    case 5:
        return &part.finishOverrides[1];
    case 7:
        return &part.finishOverrides[2];
    default:
        return nullptr;
    }
}

HostOverrideWord* finishSlot(HostShelterElement& part, uint32_t kind) {
    return const_cast<HostOverrideWord*>(finishSlot(static_cast<const HostShelterElement&>(part), kind));
}

} // namespace

Shelter::Shelter() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {}

Shelter::Shelter(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Shelter::Shelter(const Shelter& other)
    : Element(other), BorderedPolygonMemo(other), IFCMemo(other), m_record(other.m_record) {}

Shelter::~Shelter() = default;

// --- Measures.

double Shelter::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Shelter::getMeasureA() const {
    return quantity(offsetof(HostShelterQuantities, measure1));
}
double Shelter::getMeasureB() const {
    return quantity(offsetof(HostShelterQuantities, measure2));
}
double Shelter::getMeasureC() const {
    return quantity(offsetof(HostShelterQuantities, measure3));
}
double Shelter::getMeasureD() {
    return quantity(offsetof(HostShelterQuantities, measure5));
}
double Shelter::getMeasureE() {
    return quantity(offsetof(HostShelterQuantities, measure6));
}
double Shelter::getMeasureH() const {
    return quantity(offsetof(HostShelterQuantities, measure10));
}
double Shelter::getMeasureJ() const {
    return quantity(offsetof(HostShelterQuantities, measure12));
}
double Shelter::getShelterMeasure1() const {
    return quantity(offsetof(HostShelterQuantities, shelterMeasure1));
}
double Shelter::getShelterMeasure2() const {
    return quantity(offsetof(HostShelterQuantities, shelterMeasure2));
}
double Shelter::getShelterMeasure3() const {
    return quantity(offsetof(HostShelterQuantities, shelterMeasure3));
}
double Shelter::shelterMeasure(size_t number) const {
    return quantity(offsetof(HostShelterQuantities, shelterMeasures4To12) + (number - 4) * sizeof(double));
}

uint32_t Shelter::getOutlineHoleCount() const {
    return outlineHoleCount(*this);
}

// --- Attributes.

HostOverrideRecord& Shelter::sideRecord(size_t side) {
    if (side >= 2) throw std::out_of_range("invalid side");
    return m_record.part().sideOverrides[side];
}

const HostOverrideRecord& Shelter::sideRecord(size_t side) const {
    return const_cast<Shelter*>(this)->sideRecord(side);
}

void Shelter::getOverrideSet(OverrideSet& set, size_t side) const {
    set = OverrideSet::fromHost(sideRecord(side), m_record.part().overrideExtension);
}

void Shelter::setOverrideSet(const OverrideSet& set, size_t side) {
    set.toHost8(sideRecord(side));
}

void Shelter::getPen(Pen& pen, uint32_t which) const {
    const HostShelterElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    if (sharedKindPen(part, material, which, pen)) return;
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.pen);
        break;
    case 5:
        pen = penOf(part.kind5Pen);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void Shelter::getLineStyle(LineStyle& style, uint32_t which) const {
    if (which > 1) return Element::getLineStyle(style, which);
    style = lineStyleOf(m_record.part().lineType);
}

void Shelter::getFinish(Finish& finish, uint32_t which) const {
    const HostShelterElement& part = m_record.part();
    const HostOverrideWord* word = finishSlot(part, which);
    if (word == nullptr) return Element::getFinish(finish, which);
    finish = finishOf(*word, static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Shelter::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    const HostShelterElement& part = m_record.part();
    if (part.structureType != Composite) return materialFill(static_cast<int16_t>(part.material));
    const int index = std::abs(static_cast<int>(part.composite));
    if (index == 0) return nullptr;
    return std::make_unique<tarnwick::Composite>(AttributeLink(index, AttrComposite));
}

void Shelter::getMaterial(Material& material) const {
    const HostShelterElement& part = m_record.part();
    material =
        part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.material)) : Material();
}

void Shelter::setPen(const Pen& pen, uint32_t which) {
    HostShelterElement& part = m_record.part();
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
    case 5:
        part.kind5Pen = index;
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

void Shelter::setPattern(const Pattern& pattern) {
    if (pattern.getLink().getType() != AttrComposite) return;
    m_record.part().composite = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    m_record.part().structureType = Composite;
}

void Shelter::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which <= 1) m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
}

void Shelter::setFinish(const Finish& finish, uint32_t which) {
    HostOverrideWord* word = finishSlot(m_record.part(), which);
    if (word != nullptr) *word = overridingFinish(*word, finish);
}

// --- Geometry.

void Shelter::getReferencePoint(CadPoint& point) const {
    point = const_cast<Shelter*>(this)->firstVertexAt(getElevation(true));
}

double Shelter::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void Shelter::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
}

std::unique_ptr<CadPolygon> Shelter::getOutline() const {
    const CadPolygon* outline = const_cast<Shelter*>(this)->getPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

void Shelter::setReferencePoint(const CadPoint& point) {
    CadPoint from;
    getReferencePoint(from);
    (void)movePolygon(CadPoint(point.getX() - from.getX(), point.getY() - from.getY(), 0.0));
    setElevation(point.getZ(), true);
}

bool Shelter::moveBy(const CadPoint& offset) {
    if (!movePolygon(CadPoint(offset.getX(), offset.getY(), 0.0))) return false;
    m_record.part().elevation += offset.getZ();
    return true;
}

// --- Own.

bool Shelter::getSideFlags(size_t side) const {
    const uint8_t(&flags)[3] = sideRecord(side).flags;
    return flags[0] != 0 && flags[1] != 0 && flags[2] != 0;
}

bool Shelter::getSideFlag2(size_t side) const {
    return flagOf(sideRecord(side).flags, 1);
}

bool Shelter::getSideFlag3(size_t side) const {
    return flagOf(sideRecord(side).flags, 2);
}

void Shelter::setSideFlags(size_t side, bool on) {
    for (size_t i = 0; i < 3; ++i)
        setFlagOf(sideRecord(side).flags, i, on);
}

void Shelter::setSideFlag2(size_t side, bool on) {
    setFlagOf(sideRecord(side).flags, 1, on);
}

void Shelter::setSideFlag3(size_t side, bool on) {
    setFlagOf(sideRecord(side).flags, 2, on);
}

bool Shelter::getSkylights(ElementLinkList& links) const {
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !getLink().hasGuid()) return false;
    const API_Guid guid = getGuid().toAPI();
    GS::Array<API_Guid> related;
    if (ACAPGetRelatedElements(&guid, SkylightTypeCode, &related) != hosterr::Ok) return false;
    for (const API_Guid& each : related)
        links.push_back(std::make_unique<ElementLink>(Guid(each), drawing));
    return true;
}

// --- Record and memo.

PolygonCounts Shelter::getPolygonHeader() const {
    const HostShelterElement& part = m_record.part();
    return {part.coordinateCount, part.endCount, part.arcCount};
}

void Shelter::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!BorderedPolygonMemo::isLoaded() || !BorderedPolygonMemo::isValid()))
        mask |= getMemoMask();
    if ((mask & getMemoMask()) == 0) return;
    if (store == nullptr) {
        // A new roof has nothing the host could hand out.
        if (!getLink().hasGuid() || getDrawing() == nullptr) return readOutline(mask, nullptr);
        // Left unloaded when the host cannot say: an empty outline is never written over its own.
        if (!fetchMemo(mask, store)) return;
    }
    readOutline(mask, store);
}

ElementMemoPtr Shelter::buildMemo(uint64_t& mask) {
    return buildOutline(mask);
}

} // namespace tarnwick
