#include "construction/ZoneElement.h"

#include <cmath>
#include <cstring>

#include "Environment/Host.h"
#include "construction/ConstructionHelpers.h"
#include "elements/ElementQuantities.h"
#include "project/MemoStore.h"
#include "project/Plan.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
ElementLink newZoneLink() {
    return ElementLink(ElementLink::makeTypeId(ZoneElement::TypeCode), nullptr, 0);
}

// A zone's stamp: the record's own when it names one, so that writing the zone back keeps a stamp
// the user chose over the category's; else the category's.
ComponentLink stampOf(const API_Element& record) {
    const HostZoneElement part = ConstructionRecord<HostZoneElement>(record).part();
    if (part.stampIndex != 0) return ComponentLink(part.stampIndex, ZoneElement::ComponentKind, nullptr);
    return zoneStampLink(part.category);
}

// The memo parts a zone keeps: outline, gables and parameters.
constexpr uint64_t ZoneParts = MemoPolygon | MemoGables | MemoParameters;
} // namespace

ComponentLink zoneStampLink(uint16_t category) {
    const ZoneCategory found{static_cast<uint32_t>(category)};
    const String name = category != 0 ? found.getStampName() : String();
    Library* library = Host::getLibrary();
    if (name.isEmpty() || library == nullptr) return ComponentLink(0, ZoneElement::ComponentKind, nullptr);
    return ComponentLink(name, ZoneElement::ComponentKind, library);
}

ZoneElement::ZoneElement(const ComponentLink& stamp) : ZoneElement(newZoneLink(), stamp) {}

ZoneElement::ZoneElement(const ElementLink& link, const ComponentLink& stamp) : ComponentElem(link, stamp) {
    (void)resetToDefaults();
}

ZoneElement::ZoneElement(const ZoneCategory& category)
    : ZoneElement(zoneStampLink(static_cast<uint16_t>(category.getIndex()))) {
    m_record.part().category = static_cast<uint16_t>(category.getIndex());
    m_record.part().stampIndex = getComponentLink().getIndex();
}

ZoneElement::ZoneElement(const API_Element& record, const ElementLink& link)
    : ComponentElem(link, stampOf(record)), m_record(record) {
    m_record.part().stampIndex = getComponentLink().getIndex();
}

ZoneElement::ZoneElement(bool withDefaults) : ComponentElem(newZoneLink(), ComponentLink()) {
    if (withDefaults) {
        API_Element defaults;
        ElementMemoPtr memo = makeElementMemo();
        if (getDefaults(defaults, memo.get())) {
            m_record.copyFrom(defaults);
            ElementMemoStore store(memo.release());
            (void)GableMemo::readMemo(store);
            (void)ParameterMemo::readMemo(store);
            GableMemo::setLoaded(true);
            (void)PolygonMemo::readMemo(store);
        }
    }
    getLink().writeHeader(m_record.head(), true);
    // The defaults' parameters are the stamp's already: only a zeroed zone reloads them.
    ComponentElem::setComponentLink(stampOf(*m_record.build(getLink())), !withDefaults, !withDefaults);
    m_record.part().stampIndex = getComponentLink().getIndex();
}

ZoneElement::ZoneElement(const ZoneElement& other)
    : ComponentElem(other), PolygonMemo(other), IFCMemo(other), m_record(other.m_record) {}

ZoneElement::~ZoneElement() = default;

bool ZoneElement::resetToDefaults() {
    const bool ok = m_record.resetToDefaults(*this);
    // The defaults name the default zone's stamp: a zone of another stamp stays one.
    if (getComponentLink().isValid()) m_record.part().stampIndex = getComponentLink().getIndex();
    return ok;
}

void ZoneElement::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    m_record.part().stampIndex = link.getIndex();
    ComponentElem::setComponentLink(ComponentLink(link.getIndex(), ComponentKind, link.getLibrary()),
                                    resetSizes, loadParameters);
}

// --- Measures.

double ZoneElement::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

int32_t ZoneElement::wholeQuantity(size_t offset) const {
    ElementQuantities quantities;
    quantities.requestElement(offset, sizeof(int32_t));
    if (!quantities.fetch(getLink())) return 0;
    int32_t value = 0;
    std::memcpy(&value, quantities.getBlock() + offset, sizeof value);
    return value;
}

#define ZONE_QUANTITY(Name, field)                                                                           \
    double ZoneElement::Name() const {                                                                       \
        return quantity(offsetof(HostZoneQuantities, field));                                                \
    }
ZONE_QUANTITY(getMeasureA, measure1)
ZONE_QUANTITY(getMeasureJ, measure12)
ZONE_QUANTITY(getZoneMeasure1, zoneMeasure1)
ZONE_QUANTITY(getZoneMeasure2, zoneMeasure2)
ZONE_QUANTITY(getZoneMeasure5, zoneMeasure5)
ZONE_QUANTITY(getZoneMeasure6, zoneMeasure6)
ZONE_QUANTITY(getZoneMeasure7, zoneMeasure7)
ZONE_QUANTITY(getZoneMeasure8, zoneMeasure8)
ZONE_QUANTITY(getZoneMeasure9, zoneMeasure9)
ZONE_QUANTITY(getZoneMeasure10, zoneMeasure10)
ZONE_QUANTITY(getZoneMeasure11, zoneMeasure11)
ZONE_QUANTITY(getZoneMeasure12, zoneMeasure12)
ZONE_QUANTITY(getZoneMeasure13, zoneMeasure13)
ZONE_QUANTITY(getZoneMeasure14, zoneMeasure14)
ZONE_QUANTITY(getZoneMeasure15, zoneMeasure15)
ZONE_QUANTITY(getZoneMeasure16, zoneMeasure16)
ZONE_QUANTITY(getZoneMeasure17, zoneMeasure17)
ZONE_QUANTITY(getZoneMeasure18, zoneMeasure18)
ZONE_QUANTITY(getZoneMeasure19, zoneMeasure19)
#undef ZONE_QUANTITY

double ZoneElement::getMeasureD() {
    return quantity(offsetof(HostZoneQuantities, measure5));
}

int32_t ZoneElement::getZoneMeasure3() const {
    return wholeQuantity(offsetof(HostZoneQuantities, zoneMeasure3));
}

int32_t ZoneElement::getZoneMeasure4() const {
    return wholeQuantity(offsetof(HostZoneQuantities, zoneMeasure4));
}

uint32_t ZoneElement::getOutlineHoleCount() const {
    return outlineHoleCount(*this);
}

double ZoneElement::getMeasureH() const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    if (!outline) return 0.0;
    double sum = 0.0;
    for (const CadPolygon* hole : outline->getHoles())
        if (hole != nullptr) sum += std::fabs(hole->getArea());
    return sum;
}

// --- Attributes.

void ZoneElement::getPen(Pen& pen, uint32_t which) const {
    const HostZoneElement& part = m_record.part();
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    case 2:
        pen = penOf(part.kind2Pen);
        break;
    case 6:
        pen = penOf(part.kind6Pen);
        break;
    case 8:
        pen = penOf(part.kind8Pen);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void ZoneElement::setPen(const Pen& pen, uint32_t which) {
    HostZoneElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.contourPen = part.kind6Pen = part.kind2Pen = part.kind8Pen = index;
        break;
    case 1:
        part.contourPen = index;
        break;
    case 2:
        part.kind2Pen = index;
        break;
    case 6:
        part.kind6Pen = index;
        break;
    case 8:
        part.kind8Pen = index;
        break;
    default:
        break;
    }
}

void ZoneElement::getFinish(Finish& finish, uint32_t which) const {
    if (which == 0 || which == 1)
        finish = finishOf(m_record.part().surface);
    else
        Element::getFinish(finish, which);
}

void ZoneElement::setFinish(const Finish& finish, uint32_t which) {
    if (which == 0 || which == 1) m_record.part().surface = static_cast<uint16_t>(finish.getIndex16());
}

// --- Geometry.

std::unique_ptr<CadPolygon> ZoneElement::getOutline() const {
    auto* self = const_cast<ZoneElement*>(this);
    const CadPolygon* outline = self->getPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

void ZoneElement::getReferencePoint(CadPoint& point) const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    if (outline && outline->getVertexCount() > 0)
        point = CadPoint(outline->getVertex(0).getCoord2D(), getElevation(true));
    else
        point = getSecondStampPoint();
}

void ZoneElement::setReferencePoint(const CadPoint& point) {
    CadPoint reference;
    getReferencePoint(reference);
    (void)movePolygon(CadPoint(point.getX() - reference.getX(), point.getY() - reference.getY(), 0.0));
    setElevation(point.getZ(), true);
}

double ZoneElement::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void ZoneElement::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
}

CadPoint ZoneElement::getFirstStampPoint() const {
    return CadPoint(m_record.part().stampPoint1, getElevation(true));
}

CadPoint ZoneElement::getSecondStampPoint() const {
    return CadPoint(m_record.part().stampPoint2, getElevation(true));
}

// --- The zone's own.

ZoneCategory ZoneElement::getZoneCategory() const {
    return ZoneCategory(static_cast<uint32_t>(m_record.part().category));
}

void ZoneElement::setZoneCategory(const ZoneCategory& category) {
    (void)ParameterMemo::ensureLoaded(*this);
    const auto index = static_cast<uint16_t>(category.getIndex());
    m_record.part().category = index;
    setComponentLink(zoneStampLink(index), true, true);
}

String ZoneElement::getZoneNumber() const {
    return String(m_record.part().number, sizeof m_record.part().number);
}

String ZoneElement::getZoneName() const {
    return String(m_record.part().name, sizeof m_record.part().name);
}

void ZoneElement::setZoneNumber(const String& number) {
    number.copyToUtf16(m_record.part().number, sizeof m_record.part().number);
}

void ZoneElement::setZoneName(const String& name) {
    name.copyToUtf16(m_record.part().name, sizeof m_record.part().name);
}

Storey* ZoneElement::getTopStorey() const {
    const int16_t offset = m_record.part().topStoreyOffset;
    Storey* home = getStorey();
    if (offset == 0 || home == nullptr || home->getPlan() == nullptr) return nullptr;
    const int homeIndex = static_cast<int16_t>(home->getIndex());
    return home->getPlan()->getStorey(static_cast<uint16_t>(homeIndex + offset));
}

void ZoneElement::setTopStorey(const Storey& storey) {
    Storey* home = getStorey();
    const int homeIndex = home != nullptr ? static_cast<int16_t>(home->getIndex()) : 0;
    const int index = static_cast<int16_t>(storey.getIndex());
    m_record.part().topStoreyOffset = static_cast<int16_t>(index > homeIndex ? index - homeIndex : 0);
}

// --- Record and memo.

PolygonCounts ZoneElement::getPolygonHeader() const {
    const HostZoneElement& part = m_record.part();
    return {part.coordinateCount, part.endCount, part.arcCount};
}

std::unique_ptr<API_Element> ZoneElement::buildRecord() const {
    auto* self = const_cast<ZoneElement*>(this);
    HostZoneElement& part = self->m_record.part();
    PolygonCounts counts;
    self->getPolygonCounts(counts);
    if (heldPolygon() != nullptr) setPolygonCounts(part, counts);
    return m_record.build(getLink());
}

void ZoneElement::load(Element& owner, MemoStore*& store) {
    uint64_t mask = 0;
    if (!PolygonMemo::isLoaded() || !PolygonMemo::isValid()) mask |= MemoPolygon;
    if (!GableMemo::isLoaded() || !GableMemo::isValid()) mask |= MemoGables;
    if (!ParameterMemo::isLoaded() || !ParameterMemo::isValid()) mask |= MemoParameters;
    owner.loadMemo(mask, store);
}

void ZoneElement::loadMemo(uint64_t mask, MemoStore*& store) {
    if (!isMemoLoadSuspended() && (!PolygonMemo::isLoaded() || !PolygonMemo::isValid())) mask |= MemoPolygon;
    const bool outline = (mask & MemoPolygon) != 0;
    // The stamp's parts fetch the memo only when one of theirs is asked for.
    if (outline && store == nullptr && getLink().hasGuid() && (mask & (MemoGables | MemoParameters)) == 0)
        (void)fetchMemo(mask & ZoneParts, store);
    const bool fresh = store == nullptr && !getLink().hasGuid();
    ComponentElem::loadMemo(mask, store);
    if (!outline) return;
    if (store == nullptr || fresh) {
        // Nothing the host holds can be read (a new zone has nothing there yet): the outline held,
        // if any, stands as loaded.
        PolygonMemo::setLoaded(true);
        return;
    }
    (void)PolygonMemo::readMemo(*store);
}

ElementMemoPtr ZoneElement::buildMemo(uint64_t& mask) {
    mask = 0;
    uint64_t stampMask = 0;
    ElementMemoPtr block = ComponentElem::buildMemo(stampMask);
    if (!block) return nullptr;
    ElementMemoStore store(block.release());
    if (!PolygonMemo::writeMemo(store)) return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (memo->coordinates != nullptr) mask |= MemoPolygon;
    if (memo->gables != nullptr) mask |= MemoGables;
    if (memo->parameters != nullptr) mask |= MemoParameters;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createZone(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != ZoneElement::TypeCode) return nullptr;
    return std::make_unique<ZoneElement>(record, link);
}

} // namespace tarnwick
