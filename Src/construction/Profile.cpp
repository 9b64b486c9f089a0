#include "construction/Profile.h"

#include <cstring>
#include <stdexcept>

#include "construction/ConstructionHelpers.h"
#include "elements/Element3D.h"
#include "elements/ElementFactory.h"
#include "elements/ElementQuantities.h"
#include "geometry/Cube.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

// The finish override a finish kind reads and writes; null for kinds without one.
const HostOverrideWord* finishSlot(const HostProfileElement& part, uint32_t kind) {
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

template <class Kind> std::unique_ptr<Element> createKind(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Profile::TypeCode || recordSubKind(record) != Kind::SubKind) return nullptr;
    link.setTypeId(ElementLink::makeTypeId(Profile::TypeCode, static_cast<uint8_t>(Kind::SubKind)));
    link.setVariation(Kind::SubKind);
    return std::make_unique<Kind>(record, link);
}

} // namespace

Profile::Profile(uint32_t subKind)
    : Element(
          ElementLink(ElementLink::makeTypeId(TypeCode, static_cast<uint8_t>(subKind)), nullptr, subKind)) {
    (void)resetToDefaults();
}

Profile::Profile(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}

Profile::Profile(const Profile& other) : Element(other), ProfileMemo(other), m_record(other.m_record) {}

Profile::~Profile() = default;

// --- Measures.

double Profile::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Profile::getMeasureA() const {
    return quantity(offsetof(HostProfileQuantities, measure1));
}
double Profile::getMeasureB() const {
    return quantity(offsetof(HostProfileQuantities, measure2));
}
double Profile::getMeasureC() const {
    return quantity(offsetof(HostProfileQuantities, measure3));
}
double Profile::getSurfaceArea() {
    return getMeasureB() + getMeasureA() + getMeasureC();
}
double Profile::getMeasureD() {
    return quantity(offsetof(HostProfileQuantities, measure5));
}
double Profile::getMeasureE() {
    return quantity(offsetof(HostProfileQuantities, measure6));
}
double Profile::getMeasureH() const {
    return quantity(offsetof(HostProfileQuantities, measure10));
}
double Profile::getMeasureI() const {
    return quantity(offsetof(HostProfileQuantities, measure6)) -
           quantity(offsetof(HostProfileQuantities, measure5));
}
double Profile::getMeasureJ() const {
    return quantity(offsetof(HostProfileQuantities, measure12));
}
double Profile::getOutlineMeasure() const {
    return quantity(offsetof(HostProfileQuantities, perimeter));
}
double Profile::getOutlineArea() const {
    return quantity(offsetof(HostProfileQuantities, area));
}

uint32_t Profile::getOutlineHoleCount() const {
    // The one 32-bit field of the block.
    constexpr size_t offset = offsetof(HostProfileQuantities, measure9);
    ElementQuantities quantities;
    quantities.requestElement(offset, sizeof(int32_t));
    if (!quantities.fetch(getLink())) return 0;
    int32_t count = 0;
    std::memcpy(&count, quantities.getBlock() + offset, sizeof count);
    return static_cast<uint32_t>(count);
}

// --- Attributes.

void Profile::getPen(Pen& pen, uint32_t which) const {
    const HostProfileElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    if (sharedKindPen(part, material, which, pen)) return;
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.pen);
        break;
    default:
        pen = Pen();
        break;
    }
}

void Profile::getLineStyle(LineStyle& style, uint32_t which) const {
    const HostProfileElement& part = m_record.part();
    if (which == 0 || which == 1)
        style = lineStyleOf(part.lineType);
    else if (which == 3)
        style = lineStyleOf(part.kind3LineType);
    else
        style = LineStyle();
}

void Profile::getFinish(Finish& finish, uint32_t which) const {
    const HostProfileElement& part = m_record.part();
    finish = slotFinish(finishSlot(part, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Profile::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    return materialFill(static_cast<int16_t>(m_record.part().material));
}

void Profile::setPen(const Pen& pen, uint32_t which) {
    HostProfileElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind8Pen = part.kind6Pen = part.kind10Pen = index;
        part.pen = part.cutFillBackgroundPen = part.cutFillPen = index;
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

void Profile::setLineStyle(const LineStyle& style, uint32_t which) {
    HostProfileElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(style.getIndex16());
    if (which == 0 || which == 1) part.lineType = index;
    if (which == 0 || which == 3) part.kind3LineType = index;
}

void Profile::setFinish(const Finish& finish, uint32_t which) {
    HostProfileElement& part = m_record.part();
    auto* word = const_cast<HostOverrideWord*>(finishSlot(part, which));
    if (word == nullptr) return;
    const uint32_t value = finish.getIndex();
    *word = makeOverride(*word, static_cast<uint16_t>(value & 0xFFFF), ((value >> 16) & 0xFF) != 0);
}

// --- Geometry.

void Profile::getReferencePoint(CadPoint& point) const {
    // Only the 3D model: the host's plan box would ask this element's elevation, which asks for
    // this point again.
    std::shared_ptr<Element3D> model = const_cast<Profile*>(this)->getElement3D();
    std::unique_ptr<Cube> bounds = model ? model->getBounds() : nullptr;
    point = bounds ? bounds->getFirstCorner() : CadPoint();
}

double Profile::getElevation(bool absolute) const {
    CadPoint point;
    getReferencePoint(point);
    return storeyElevation(*this, point.getZ(), absolute);
}

// --- Memos.

void Profile::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoAll, store);
}

void Profile::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!ProfileMemo::isLoaded() || !ProfileMemo::isValid())) mask = MemoAll;
    // Nothing asked for: a fetch would hand out every part for nothing.
    if (mask == 0) return;
    if (store == nullptr && (getDrawing() == nullptr || !fetchMemo(mask, store))) {
        ProfileMemo::setLoaded(true);
        return;
    }
    (void)ProfileMemo::readMemo(*store);
}

ElementMemoPtr Profile::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!ProfileMemo::writeMemo(store)) return nullptr;
    // The block is empty: a mask naming any part would have the host drop that part.
    return ElementMemoPtr(store.release());
}

// --- The body's own.

uint8_t (&Profile::sideTriple(size_t side))[3] {
    if (side >= 2) throw std::out_of_range("invalid side");
    return m_record.part().sideFlags[side];
}

const uint8_t (&Profile::sideTriple(size_t side) const)[3] {
    if (side >= 2) throw std::out_of_range("invalid side");
    return m_record.part().sideFlags[side];
}

bool Profile::getSideFlags(size_t side) const {
    const uint8_t(&flags)[3] = sideTriple(side);
    return flagOf(flags, 0) && flagOf(flags, 1) && flagOf(flags, 2);
}
bool Profile::getSideFlag2(size_t side) const {
    return flagOf(sideTriple(side), 1);
}
bool Profile::getSideFlag3(size_t side) const {
    return flagOf(sideTriple(side), 2);
}
void Profile::setSideFlags(size_t side, bool on) {
    uint8_t(&flags)[3] = sideTriple(side);
    for (size_t which = 0; which < 3; ++which)
        setFlagOf(flags, which, on);
}
void Profile::setSideFlag2(size_t side, bool on) {
    setFlagOf(sideTriple(side), 1, on);
}
void Profile::setSideFlag3(size_t side, bool on) {
    setFlagOf(sideTriple(side), 2, on);
}

bool Profile::resetToDefaults() {
    const bool ok = m_record.resetToDefaults(*this);
    m_record.part().subKind = getLink().getVariation();
    return ok;
}

std::unique_ptr<Element> createExtrusion(const API_Element& record, ElementLink& link) {
    return createKind<Extrusion>(record, link);
}
std::unique_ptr<Element> createSweep(const API_Element& record, ElementLink& link) {
    return createKind<Sweep>(record, link);
}
std::unique_ptr<Element> createMorph(const API_Element& record, ElementLink& link) {
    return createKind<Morph>(record, link);
}

} // namespace tarnwick
