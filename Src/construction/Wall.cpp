#include "construction/Wall.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

#include "Environment/ConnectionCalls.h"
#include "Environment/Memory.h"
#include "construction/ConstructionHelpers.h"
#include "construction/Joinery.h"
#include "elements/ElementQuantities.h"
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

// The finish override a finish kind reads and writes; null for kinds without one.
const HostOverrideWord* finishSlot(const HostWallElement& part, uint32_t kind) {
    switch (kind) {
    case 0:
    case 1:
    case 4:
        return &part.finishOverrides[0];
    case 2:
        return &part.finishOverrides[1];
    case 3:
        return &part.finishOverrides[2];
    default:
        return nullptr;
    }
}

} // namespace

Wall::Wall() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

Wall::Wall(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Wall::Wall(const Wall& other)
    : Element(other), GableMemo(other), PolygonMemo(other), IFCMemo(other), ConstructionProfile(other),
      m_record(other.m_record), m_outlineCounts(other.m_outlineCounts) {}

Wall::~Wall() = default;

bool Wall::isOnStorey(const Storey& storey, double tolerance) const {
    if (m_record.part().storeySpanFlag == 0) return Element::isOnStorey(storey, tolerance);
    const double base = getElevation(true);
    const double top = base + m_record.part().height;
    return top > storey.getLevel() + tolerance && base < storey.getLevel() + storey.getHeight() - tolerance;
}

// --- Measures.

double Wall::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Wall::wallQuantity(size_t index) const {
    return quantity(offsetof(HostWallQuantities, wallQuantity) + index * sizeof(double));
}

double Wall::getMeasureA() const {
    return quantity(offsetof(HostWallQuantities, measureA));
}
double Wall::getMeasureB() const {
    return quantity(offsetof(HostWallQuantities, measureB));
}
double Wall::getMeasureC() const {
    return quantity(offsetof(HostWallQuantities, measureC));
}
double Wall::getMeasureD() {
    return quantity(offsetof(HostWallQuantities, measureD));
}
double Wall::getMeasureE() {
    return quantity(offsetof(HostWallQuantities, measureE));
}
double Wall::getMeasureF() {
    return quantity(offsetof(HostWallQuantities, measureF));
}
double Wall::getMeasureG() {
    return quantity(offsetof(HostWallQuantities, measureG));
}
double Wall::getMeasureH() const {
    return quantity(offsetof(HostWallQuantities, measureH));
}
double Wall::getMeasureI() const {
    return quantity(offsetof(HostWallQuantities, measureI));
}

uint32_t Wall::getOutlineHoleCount() const {
    return outlineHoleCount(*this);
}

double Wall::getMeasureJ() const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    if (!outline) return 0.0;
    double sum = 0.0;
    for (const CadPolygon* hole : outline->getHoles())
        if (hole != nullptr) sum += hole->getEdgeMeasureSum();
    return sum;
}

// --- Attributes.

void Wall::getPen(Pen& pen, uint32_t which) const {
    const HostWallElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    case 5:
        pen = penOf(part.kind5Pen);
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

void Wall::getLineStyle(LineStyle& style, uint32_t) const {
    style = lineStyleOf(m_record.part().lineType);
}

void Wall::getFinish(Finish& finish, uint32_t which) const {
    const HostWallElement& part = m_record.part();
    finish = slotFinish(finishSlot(part, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Wall::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    const HostWallElement& part = m_record.part();
    if (part.structureType != Composite) {
        // The building material's fill where the wall has one: a profiled wall has none.
        Material material;
        getMaterial(material);
        return materialFill(material.getLink().getIndex16());
    }
    // The host keeps a composite's index negated.
    const int index = std::abs(static_cast<int>(part.composite));
    if (index == 0) return nullptr;
    return std::make_unique<tarnwick::Composite>(AttributeLink(index, AttrComposite));
}

void Wall::getComplexProfile(ComplexProfile& profile) const {
    const HostWallElement& part = m_record.part();
    profile = part.structureType == ComplexProfileStructure
                  ? ComplexProfile(AttributeLink(static_cast<int16_t>(part.complexProfile), AttrProfile))
                  : ComplexProfile();
}

void Wall::setComplexProfile(const ComplexProfile& profile) {
    m_record.part().complexProfile = static_cast<uint16_t>(profile.getLink().getIndex16());
}

void Wall::getMaterial(Material& material) const {
    const HostWallElement& part = m_record.part();
    material =
        part.structureType == 0 ? Material::fromIndex(static_cast<int16_t>(part.material)) : Material();
}

double Wall::getCompositeQuantity(uint16_t material) {
    if (getStructureType() == 0) return getBaseMeasure1();
    return Element::getCompositeQuantity(material);
}

void Wall::setPen(const Pen& pen, uint32_t which) {
    HostWallElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind10Pen = index;
        part.contourPen = index;
        part.cutFillBackgroundPen = index;
        part.cutFillPen = index;
        break;
    case 1:
        part.contourPen = index;
        break;
    case 5:
        part.kind5Pen = index;
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

void Wall::setPattern(const Pattern& pattern) {
    if (pattern.getLink().getType() != AttrComposite) return;
    m_record.part().composite = static_cast<int16_t>(pattern.getIndex() & 0xFFFF);
    m_record.part().structureType = Composite;
}

void Wall::setLineStyle(const LineStyle& style, uint32_t) {
    m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
}

void Wall::setFinish(const Finish& finish, uint32_t which) {
    HostWallElement& part = m_record.part();
    auto* word = const_cast<HostOverrideWord*>(finishSlot(part, which));
    if (word != nullptr) *word = overridingFinish(*word, finish);
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
    m_record.part().begin = point.getCoord2D();
    setElevation(point.getZ(), true);
}

void Wall::setEndPoint(const CadPoint& point) {
    m_record.part().end = point.getCoord2D();
    setElevation(point.getZ(), true);
}

void Wall::extendTo(const CadPoint& point, bool lengthenOnly) {
    PolyEdge edge = referenceLine();
    edge.extendTo(point, lengthenOnly, kTolerance);
    edge.setHeight(getElevation(true));
    setReferencePoint(edge.getStartPoint());
    setEndPoint(edge.getEndPoint());
    setArcAngle(edge.getArcAngle());
}

void Wall::extendReversedTo(const CadPoint& point, bool lengthenOnly) {
    PolyEdge edge = referenceLine();
    edge.extendReversedTo(point, lengthenOnly, kTolerance);
    edge.setHeight(getElevation(true));
    setReferencePoint(edge.getStartPoint());
    setEndPoint(edge.getEndPoint());
    setArcAngle(edge.getArcAngle());
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
    (void)getWindowLinks(links);
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
    if (!isMemoLoadSuspended()) {
        if (!GableMemo::isLoaded() || !GableMemo::isValid()) mask |= MemoGables;
        if (isPolygonal() && (!PolygonMemo::isLoaded() || !PolygonMemo::isValid())) mask |= MemoPolygon;
    }
    // A straight wall has no outline in its memo: the host is not asked for one.
    if (!isPolygonal()) mask &= ~uint64_t(MemoPolygon);
    const bool gables = (mask & MemoGables) != 0;
    const bool polygon = isPolygonal() && (mask & MemoPolygon) != 0;
    if (!gables && !polygon) return;
    if (store == nullptr && (getDrawing() == nullptr || !fetchMemo(mask, store))) {
        // Nothing the host holds can be read: what was asked for stands as loaded and empty.
        if (gables) GableMemo::setLoaded(true);
        if (polygon) PolygonMemo::setLoaded(true);
        return;
    }
    if (gables) GableMemo::readMemo(*store);
    if (polygon) {
        // The counts are this wall's own, from its connection record.
        ConnectionRecord connections;
        m_outlineCounts = connections.fetch(*this) ? connections.counts() : PolygonCounts{};
        PolygonMemo::readMemo(*store);
    }
}

ElementMemoPtr Wall::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    (void)GableMemo::writeMemo(store);
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
    auto* self = const_cast<Wall*>(this);
    if (heldPolygon() == nullptr) (void)self->readOutlineFromHost();
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
    if (index >= m_relations->size()) throw std::out_of_range("invalid vector<T> subscript");
    return &(*m_relations)[index];
}

std::unique_ptr<Element> createWall(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Wall::TypeCode) return nullptr;
    return std::make_unique<Wall>(link, record);
}

} // namespace tarnwick
