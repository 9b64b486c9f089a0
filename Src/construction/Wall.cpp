#include "construction/Wall.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "Environment/ConnectionCalls.h"
#include "Environment/Memory.h"
#include "construction/ConstructionHelpers.h"
#include "construction/Joinery.h"
#include "project/ComplexProfile.h"
#include "project/Composite.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {

// The connection record of one call, its handles released whatever path leaves the scope.
struct ConnectionRecord {
    HostElementConnections record;
    ConnectionRecord() = default;
    ConnectionRecord(const ConnectionRecord&) = delete;
    ConnectionRecord& operator=(const ConnectionRecord&) = delete;
    ~ConnectionRecord() { ACAPDisposeConnectionData(&record); }

    bool fetch(const Element& element) {
        if (!element.getLink().hasGuid()) return false;
        const API_Guid guid = element.getGuid().toAPI();
        return ACAPGetElementConnections(&guid, HostWallConnections, &record) == hosterr::Ok;
    }
    PolygonCounts counts() const { return {record.coordinateCount, record.endCount, record.arcCount}; }
};

using W = HostWallElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<W> PenReads[] = {
    {0, &W::contourPen}, {1, &W::contourPen}, {5, &W::kind5Pen}, {10, &W::kind10Pen},
    {11, &W::cutFillPen}, {12, &W::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 5's; 6 and 8 as 11 and 12.
constexpr KindField<W> PenWrites[] = {
    {0, &W::kind10Pen}, {0, &W::contourPen}, {0, &W::cutFillBackgroundPen}, {0, &W::cutFillPen},
    {1, &W::contourPen}, {5, &W::kind5Pen}, {10, &W::kind10Pen},
    {6, &W::cutFillPen}, {11, &W::cutFillPen}, {8, &W::cutFillBackgroundPen}, {12, &W::cutFillBackgroundPen}};
// One line type for every kind.
constexpr KindField<W> LineTypes[] = {{AnyKind, &W::lineType}};
// The finish override a finish kind reads and writes.
constexpr KindSlot Finishes[] = {{0, 0}, {1, 0}, {4, 0}, {2, 1}, {3, 2}};
// clang-format on

} // namespace

Wall::Wall() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed wall
}

Wall::Wall(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Wall::Wall(const Wall& other)
    : Element(other), GableMemo(other), PolygonMemo(other), IFCMemo(other), ConstructionProfile(other),
      m_record(other.m_record), m_outlineCounts(other.m_outlineCounts) {}

Wall::~Wall() = default;

bool Wall::isOnStorey(const Storey& storey, double tolerance) const {
    if (m_record.part().storeySpanFlag == 0) return Element::isOnStorey(storey, tolerance);
    return spansStorey(storey, getElevation(true), m_record.part().height, tolerance);
}

// --- Attributes.

void Wall::getPen(Pen& pen, uint32_t which) const {
    const HostWallElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen))
        Element::getPen(pen, which);
}

void Wall::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypes, which);
}

void Wall::getFinish(Finish& finish, uint32_t which) const {
    const HostWallElement& part = m_record.part();
    finish =
        slotFinish(mappedWord(part.finishOverrides, Finishes, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Wall::getPattern(uint32_t kind) const {
    if (!isPatternKind(kind)) return nullptr;
    const HostWallElement& part = m_record.part();
    if (part.structureType == Composite) return compositeOf(part.composite);
    // The building material's fill where the wall has one: a profiled wall has none.
    Material material;
    getMaterial(material);
    return materialFill(material.getLink().getIndex16());
}

void Wall::getComplexProfile(ComplexProfile& profile) const {
    const HostWallElement& part = m_record.part();
    profile = part.structureType == ComplexProfileStructure ? complexProfileOf(part.complexProfile)
                                                            : ComplexProfile();
}

void Wall::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = index16(profile);
}

void Wall::getMaterial(Material& material) const {
    material = basicMaterial(m_record.part().structureType, m_record.part().material);
}

double Wall::getCompositeQuantity(uint16_t material) {
    if (getStructureType() == 0) return getBaseMeasure1();
    return Element::getCompositeQuantity(material);
}

void Wall::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Wall::setPattern(const Pattern& pattern, uint32_t) {
    takeComposite(m_record.part(), pattern, Composite);
}

void Wall::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypes, which, style);
}

void Wall::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, Finishes, which,
                  [&](HostOverrideWord word) { return overridingFinish(word, finish); });
}

// --- Geometry.

void Wall::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.part().begin, getElevation(true));
}

double Wall::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().baseElevation, absolute);
}

void Wall::setElevation(double value, bool absolute) {
    m_record.part().baseElevation = relativeElevation(*this, value, absolute);
}

void Wall::getEndPoint(PolyPoint& point) const {
    point = PolyPoint(CadPoint(m_record.part().end, getElevation(true)), m_record.part().arcAngle);
}

PolyEdge Wall::referenceLine() const {
    CadPoint begin;
    getReferencePoint(begin);
    PolyPoint end;
    getEndPoint(end);
    if (std::fabs(end.getArcAngle()) <= kTolerance) end.setArcAngle(0.0);
    return PolyEdge(begin, end);
}

double Wall::getLength() {
    return referenceLine().getPlanLength();
}

double Wall::getArcRadius() const {
    double angle = std::fabs(m_record.part().arcAngle);
    if (angle == 0.0) return 0.0;
    if (angle > std::numbers::pi) angle = 2.0 * std::numbers::pi - angle;
    const CadPoint begin(m_record.part().begin);
    const CadPoint end(m_record.part().end);
    const double distance = std::hypot(end.getX() - begin.getX(), end.getY() - begin.getY());
    return distance / 2.0 / std::sin(angle / 2.0);
}

double Wall::getEndThickness() const {
    const HostWallElement& part = m_record.part();
    return part.geometryKind == EndThickness ? part.endThickness : part.thickness;
}

void Wall::getCenterLine(PolyEdge& edge) const {
    edge = referenceLine();
    double distance = 0.5 * getThickness() - getReferenceOffset();
    if (m_record.part().sideFlag == 0) distance = -distance;
    edge.offset(distance);
}

double Wall::getAngle() const {
    return CadPoint(m_record.part().begin).getAngle(CadPoint(m_record.part().end));
}

void Wall::setReferencePoint(const CadPoint& point) {
    placePlanPoint(*this, m_record.part().begin, point);
}

void Wall::setEndPoint(const CadPoint& point) {
    placePlanPoint(*this, m_record.part().end, point);
}

void Wall::takeReferenceLine(PolyEdge edge) {
    edge.setHeight(getElevation(true));
    setReferencePoint(edge.getStartPoint());
    setEndPoint(edge.getEndPoint());
    setArcAngle(edge.getArcAngle());
}

void Wall::extendTo(const CadPoint& point, bool lengthenOnly) {
    PolyEdge edge = referenceLine();
    edge.extendTo(point, lengthenOnly, kTolerance);
    takeReferenceLine(edge);
}

void Wall::extendReversedTo(const CadPoint& point, bool lengthenOnly) {
    PolyEdge edge = referenceLine();
    edge.extendReversedTo(point, lengthenOnly, kTolerance);
    takeReferenceLine(edge);
}

void Wall::setAngle(double angle) {
    CadPoint end;
    getReferencePoint(end);
    end.movePolar(getLength(), angle);
    setEndPoint(end);
}

// The record holds (v + 42) x 100, the host's own scaling; a field never written holds 0 and reads as 0.
int16_t Wall::getScaledValue() const {
    const int32_t stored = m_record.part().scaledValue;
    if (stored < 1) return 0;
    return static_cast<int16_t>(stored / 100 - 42);
}

void Wall::setScaledValue(int16_t value) {
    m_record.part().scaledValue = (static_cast<int32_t>(value) + 42) * 100;
}

bool Wall::resetToDefaults() {
    const bool ok = m_record.resetToDefaults(*this);
    m_relations.reset();
    return ok;
}

// --- Windows and doors.

size_t Wall::appendGuidList(uint64_t part, ElementLinkList& links) const {
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !getLink().hasGuid()) return 0;
    ElementMemoPtr memo = drawing->getElementMemo(getLink(), part);
    if (!memo) return 0;
    GSHandle handle = part == MemoWindows ? memo->windowGuids : memo->doorGuids;
    // Whole guids only: a trailing part of one is not read.
    const size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(API_Guid);
    size_t appended = 0;
    for (size_t i = 0; i < count; ++i) {
        API_Guid guid;
        std::memcpy(&guid, *handle + i * sizeof guid, sizeof guid);
        auto link = std::make_unique<ElementLink>(Guid(guid), drawing);
        if (!link->hasGuid()) continue;
        links.push_back(std::move(link));
        ++appended;
    }
    return appended;
}

size_t Wall::getWindowLinks(ElementLinkList& links) const {
    return appendGuidList(MemoWindows, links);
}

size_t Wall::getWindowCount() const {
    ElementLinkList links;
    return getWindowLinks(links);
}

size_t Wall::getDoorLinks(ElementLinkList& links) const {
    return appendGuidList(MemoDoors, links);
}

size_t Wall::getDoorCount() const {
    ElementLinkList links;
    return getDoorLinks(links);
}

bool Wall::moveOpenings(double distance) {
    Drawing* drawing = getDrawing();
    if (drawing == nullptr) return false;
    ElementLinkList links;
    (void)getWindowLinks(links); // the count appended is the list's to tell
    (void)getDoorLinks(links);
    bool all = true;
    for (size_t i = 0; i < links.size(); ++i) {
        std::unique_ptr<Element> element = drawing->get(*links[i]);
        auto* joinery = dynamic_cast<Joinery*>(element.get());
        if (joinery == nullptr) {
            // Not ours to move, but the walk goes on: the others still follow the wall.
            all = false;
            continue;
        }
        joinery->setWallPosition(joinery->getWallPosition() + distance);
        all = drawing->saveElement(*joinery, false, false) && all;
    }
    return all;
}

// --- Memos.

void Wall::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoGables | (isPolygonal() ? uint64_t(MemoPolygon) : 0), store);
}

void Wall::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    // A straight wall has no outline in its memo: the host is not asked for one.
    if (!isPolygonal()) mask &= ~uint64_t(MemoPolygon);
    const MemoPart parts[] = {{static_cast<GableMemo&>(*this), MemoGables},
                              {static_cast<PolygonMemo&>(*this), MemoPolygon}};
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    if (!memoPartsAtHand(MemoParts(parts, isPolygonal() ? 2 : 1), mask, store, fetch, true)) return;
    // A store without gables reads as none, and an outline that cannot be read stays unloaded.
    if ((mask & MemoGables) != 0) (void)GableMemo::readMemo(*store);
    if ((mask & MemoPolygon) != 0) {
        // The counts are this wall's own, from its connection record.
        ConnectionRecord connections;
        m_outlineCounts = connections.fetch(*this) ? connections.counts() : PolygonCounts{};
        (void)PolygonMemo::readMemo(*store);
    }
}

ElementMemoPtr Wall::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    (void)GableMemo::writeMemo(store); // gables that cannot be written leave the wall's memo without them
    if (isPolygonal() && !PolygonMemo::writeMemo(store)) return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (memo->gables != nullptr) mask |= MemoGables;
    if (memo->coordinates != nullptr) mask |= MemoPolygon;
    return ElementMemoPtr(store.release());
}

bool Wall::readOutlineFromHost() {
    ConnectionRecord connections;
    if (!connections.fetch(*this)) return false;
    m_outlineCounts = connections.counts();
    ElementMemoStore store;
    API_ElementMemo* memo = store.getMemo();
    // The handles stay the connection record's: they leave the block before the store goes.
    struct Lent {
        API_ElementMemo* memo;
        ~Lent() { memo->coordinates = memo->subPolygonEnds = memo->arcs = nullptr; }
    } lent{memo};
    memo->coordinates = connections.record.coordinates;
    memo->subPolygonEnds = connections.record.subPolygonEnds;
    memo->arcs = connections.record.arcs;
    return PolygonMemo::readMemo(store);
}

std::unique_ptr<CadPolygon> Wall::getOutline() const {
    // The outline is read from the host on first use; the memo is its cache. A host that cannot
    // say leaves none.
    if (heldPolygon() == nullptr) (void)const_cast<Wall*>(this)->readOutlineFromHost();
    const CadPolygon* outline = heldPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

// --- Relations.

bool Wall::fillRelations() {
    if (m_relations) return true;
    Drawing* drawing = getDrawing();
    if (drawing == nullptr) return false;
    ConnectionRecord connections;
    if (!connections.fetch(*this)) return false;
    auto relations = std::make_unique<std::vector<Relation>>();
    for (uint32_t list = 0; list < HostConnectionListCount; ++list) {
        GSHandle handle = connections.record.lists[list];
        // Never past the entries the handle holds, whatever the count says.
        const size_t held = static_cast<size_t>(getHandleSize(handle)) / sizeof(HostConnectionEntry);
        const size_t count = std::min<size_t>(connections.record.listCounts[list], held);
        for (size_t i = count; i-- > 0;) {
            HostConnectionEntry entry;
            std::memcpy(static_cast<void*>(&entry), *handle + i * sizeof entry, sizeof entry);
            const uint32_t x = entry.flag != 0 ? AtBegin : AtEnd;
            static constexpr uint32_t Other = 0; // stands for x in the table below
            static constexpr uint32_t codes[HostConnectionListCount][2] = {
                {AtBegin, Other}, {AtEnd, Other}, {Other, Along}, {Along, Other}, {Along, Along}};
            const uint32_t thisEnd = codes[list][0] == Other ? x : codes[list][0];
            const uint32_t otherEnd = codes[list][1] == Other ? x : codes[list][1];
            relations->emplace_back(ElementLink(Guid(entry.guid), drawing), thisEnd, otherEnd);
        }
    }
    if (!relations->empty()) m_relations = std::move(relations);
    return true;
}

size_t Wall::getRelationCount() {
    return fillRelations() && m_relations ? m_relations->size() : 0;
}

const Wall::Relation* Wall::getRelation(size_t index) {
    if (!fillRelations() || !m_relations) return nullptr;
    checkIndex(index, m_relations->size());
    return &(*m_relations)[index];
}

std::unique_ptr<Element> createWall(const API_Element& record, ElementLink& link) {
    return createOfType<Wall>(record, link);
}

} // namespace tarnwick
