#include "construction/ZoneElement.h"

#include <cmath>

#include "Environment/Host.h"
#include "construction/ConstructionHelpers.h"
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

using Z = HostZoneElement;
// clang-format off
// The field getPen reads for a pen kind, and the fields setPen writes: 0 every one.
constexpr KindField<Z> PenReads[] = {
    {0, &Z::contourPen}, {1, &Z::contourPen}, {2, &Z::kind2Pen}, {6, &Z::kind6Pen}, {8, &Z::kind8Pen}};
constexpr KindField<Z> PenWrites[] = {
    {0, &Z::contourPen}, {0, &Z::kind6Pen}, {0, &Z::kind2Pen}, {0, &Z::kind8Pen},
    {1, &Z::contourPen}, {2, &Z::kind2Pen}, {6, &Z::kind6Pen}, {8, &Z::kind8Pen}};
// clang-format on
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
    (void)resetToDefaults(); // a host without defaults leaves the zeroed zone
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
            // What the defaults' memo cannot give stays unloaded, to be asked for again.
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

// --- Attributes.

void ZoneElement::getPen(Pen& pen, uint32_t which) const {
    if (!mappedPen(m_record.part(), PenReads, which, pen)) Element::getPen(pen, which);
}

void ZoneElement::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void ZoneElement::getFinish(Finish& finish, uint32_t which) const {
    if (which == 0 || which == 1)
        finish = finishOf(m_record.part().surface);
    else
        Element::getFinish(finish, which);
}

void ZoneElement::setFinish(const Finish& finish, uint32_t which) {
    if (which == 0 || which == 1) m_record.part().surface = index16(finish);
}

// --- Geometry.

void ZoneElement::getReferencePoint(CadPoint& point) const {
    const PolygonMemo& outline = *this;
    if (firstVertexAt(outline, 0.0, point))
        point.setZ(getElevation(true));
    else
        point = getSecondStampPoint();
}

void ZoneElement::setReferencePoint(const CadPoint& point) {
    moveOutlineTo(*this, *this, point);
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
    (void)ParameterMemo::ensureLoaded(*this); // parameters that cannot be read are left to the new stamp
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

std::unique_ptr<API_Element> ZoneElement::buildRecord() const {
    return buildWithPolygonCounts(m_record, *this, true, getLink());
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
        (void)fetchMemo(mask & ZoneParts, store); // none fetched: the outline stands loaded below
    const bool fresh = store == nullptr && !getLink().hasGuid();
    ComponentElem::loadMemo(mask, store);
    if (!outline) return;
    if (store == nullptr || fresh) {
        // Nothing the host holds can be read (a new zone has nothing there yet): the outline held,
        // if any, stands as loaded.
        PolygonMemo::setLoaded(true);
        return;
    }
    (void)PolygonMemo::readMemo(*store); // an outline that cannot be read stays unloaded
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
    return createOfType<ZoneElement>(record, link);
}

} // namespace tarnwick
