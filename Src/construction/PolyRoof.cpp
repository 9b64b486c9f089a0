#include "construction/PolyRoof.h"

#include <cstring>
#include <new>

#include "Environment/HostCalls.h"
#include "elements/ElementFactory.h"
#include "project/Drawing.h"
#include "project/ElementMemo.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

HostPolyRoofElement polyRoofPart(const API_Element& record) {
    HostPolyRoofElement part;
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
    return part;
}

uint16_t polyRoofTypeId() {
    return ElementLink::makeTypeId(Shelter::TypeCode, PolyRoof::SubKind);
}

} // namespace

PolyRoof::PolyRoof() {
    getLink().setTypeId(polyRoofTypeId());
    (void)resetToDefaults(); // a host without defaults leaves the zeroed roof
}

PolyRoof::PolyRoof(const ElementLink& link, const API_Element& record) : Shelter(link, record) {
    takePivotCounts(record);
}

PolyRoof::PolyRoof(const PolyRoof& other) : Shelter(other), PivotPolygonMemo(other) {}

PolyRoof::~PolyRoof() = default;

void PolyRoof::takePivotCounts(const API_Element& record) {
    const HostPolyRoofElement part = polyRoofPart(record);
    setPolygonHeader({part.pivotCoordinateCount, part.pivotEndCount, part.pivotArcCount});
}

std::unique_ptr<API_Element> PolyRoof::buildRecord() const {
    std::unique_ptr<API_Element> record = buildWithOutlineCounts(m_record, *this, getLink());
    HostPolyRoofElement part = polyRoofPart(*record);
    part.shelter.roofClass = HostPolyRoofClass;
    // A pivot polygon never loaded keeps the host's counts.
    PolygonCounts counts = getPivotHeader();
    (void)writtenCountsOf(static_cast<const PivotPolygonMemo&>(*this), false, counts); // none held: as read
    part.pivotCoordinateCount = counts.coordinates;
    part.pivotEndCount = counts.ends;
    part.pivotArcCount = counts.arcs;
    std::memcpy(record->raw, &part, sizeof part);
    return record;
}

PolygonCounts PolyRoof::getPivotPolygonCounts() {
    PolygonCounts counts;
    PivotPolygonMemo::getPolygonCounts(counts);
    return counts;
}

void PolyRoof::setPivotPolygon(std::unique_ptr<CadPolygon> polygon) {
    PivotPolygonMemo::setPolygon(std::move(polygon));
}

bool PolyRoof::getDefaults(API_Element& record, API_ElementMemo* memo) {
    record = API_Element();
    getLink().writeHeader(record.head, false);
    HostPolyRoofElement part = polyRoofPart(record);
    part.shelter.roofClass = HostPolyRoofClass;
    std::memcpy(record.raw, &part, sizeof part);
    return readDefaultElement(record, memo) == hosterr::Ok;
}

bool PolyRoof::resetToDefaults() {
    API_Element defaults;
    const bool ok = getDefaults(defaults, nullptr);
    if (ok) {
        m_record.copyFrom(defaults);
        takePivotCounts(defaults);
    }
    getLink().writeHeader(m_record.head(), true);
    m_record.head().byte76 = 1;
    m_record.part().roofClass = HostPolyRoofClass;
    return ok;
}

void PolyRoof::loadMemo(uint64_t mask, MemoStore*& store) {
    const MemoPart pivot[] = {{static_cast<PivotPolygonMemo&>(*this), PivotPolygonMemo::getMemoMask()}};
    // The roof's parts and the pivot polygon come from the one fetch.
    mask = withUnloadedParts(pivot, mask);
    Shelter::loadMemo(mask, store);
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    // A pivot polygon that cannot be read stays unloaded.
    if (memoPartsAtHand(pivot, mask, store, fetch)) (void)PivotPolygonMemo::readMemo(*store);
}

ElementMemoPtr PolyRoof::buildMemo(uint64_t& mask) {
    ElementMemoPtr memo = Shelter::buildMemo(mask);
    if (!memo) return nullptr;
    ElementMemoStore store(memo.get());
    store.setReleased(true);                  // the block stays memo's
    (void)PivotPolygonMemo::writeMemo(store); // the block says below whether it holds the pivot polygon
    if (memo->pivotCoordinates != nullptr) mask |= MemoPivotPolygon;
    return memo;
}

bool PolyRoof::decompose() {
    if (m_roofs) return !m_roofs->empty();
    m_roofs = std::make_unique<RoofList>();
    PolyRoofConverter converter(*m_roofs, getDrawing());
    const API_Guid guid = getGuid().toAPI();
    (void)ACAPConvertPolyRoof(&guid, &converter); // a failed split leaves the list empty
    return !m_roofs->empty();
}

size_t PolyRoof::getRoofCount() {
    return decompose() ? m_roofs->size() : 0;
}

Roof* PolyRoof::getRoof(size_t index) {
    return index < getRoofCount() ? m_roofs->at(index) : nullptr;
}

double PolyRoof::getSlopeAngle() {
    const size_t count = getRoofCount();
    if (count == 0) return 0.0;
    double sum = 0.0;
    for (Roof* roof : *m_roofs)
        sum += roof->getSlopeAngle();
    return sum / static_cast<double>(count);
}

GSErrCode PolyRoofConverter::GeneratePartElement(const HostElementPartId& partId, const API_Element& element,
                                                 const API_ElementMemo& memo) {
    if (element.head.typeCode != Shelter::TypeCode) return hosterr::Ok;
    // Nothing may unwind through the host's split.
    try {
        ElementLink link(element.head, m_drawing);
        m_roofs.push_back(std::make_unique<Roof>(link, element, memo, partId));
    } catch (const std::bad_alloc&) {
        return hosterr::MemoryFull;
    }
    return hosterr::Ok;
}

std::unique_ptr<Element> createPolyRoof(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Shelter::TypeCode || recordSubKind(record) != HostPolyRoofClass)
        return nullptr;
    ElementLink made(link);
    made.setTypeId(polyRoofTypeId());
    return std::make_unique<PolyRoof>(made, record);
}

} // namespace tarnwick
