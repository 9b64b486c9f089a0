#include "construction/Mesh.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

using M = HostMeshElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<M> PenReads[] = {
    {0, &M::contourPen}, {1, &M::contourPen}, {2, &M::kind2Pen}, {6, &M::kind6Pen}, {8, &M::kind8Pen},
    {10, &M::kind10Pen}, {11, &M::cutFillPen}, {12, &M::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 6's and 8's.
constexpr KindField<M> PenWrites[] = {
    {0, &M::kind10Pen}, {0, &M::kind2Pen}, {0, &M::contourPen}, {0, &M::cutFillBackgroundPen},
    {0, &M::cutFillPen},
    {1, &M::contourPen}, {2, &M::kind2Pen}, {6, &M::kind6Pen}, {8, &M::kind8Pen}, {10, &M::kind10Pen},
    {11, &M::cutFillPen}, {12, &M::cutFillBackgroundPen}};
// Kinds 0 and 1 read the line type; every kind writes it.
constexpr KindField<M> LineTypeReads[] = {{0, &M::lineType}, {1, &M::lineType}};
constexpr KindField<M> LineTypeWrites[] = {{AnyKind, &M::lineType}};
// The finish override a finish kind reads, and those setFinish writes: 0 every one.
constexpr KindSlot FinishReads[] = {{0, 0}, {1, 0}, {5, 1}, {7, 2}};
constexpr KindSlot FinishWrites[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {6, 0}, {5, 1}, {7, 2}};
// clang-format on

} // namespace

Mesh::Mesh() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed mesh
}

Mesh::Mesh(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Mesh::Mesh(const Mesh& other)
    : Element(other), PolygonLevelMemo(other), MeshMemo(other), m_record(other.m_record) {}

Mesh::~Mesh() = default;

// --- Attributes.

void Mesh::getPen(Pen& pen, uint32_t which) const {
    const HostMeshElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen))
        Element::getPen(pen, which);
}

void Mesh::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypeReads, which);
}

void Mesh::getFinish(Finish& finish, uint32_t which) const {
    const HostMeshElement& part = m_record.part();
    finish =
        slotFinish(mappedWord(part.finishOverrides, FinishReads, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Mesh::getPattern(uint32_t kind) const {
    return kindFill(kind, static_cast<int16_t>(m_record.part().material));
}

void Mesh::getMaterial(Material& material) const {
    material = Material::fromIndex(static_cast<int16_t>(m_record.part().material));
}

void Mesh::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Mesh::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypeWrites, which, style);
}

void Mesh::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, FinishWrites, which,
                  [&](HostOverrideWord word) { return finishOverride(word, finish.getIndex()); });
}

void Mesh::setMaterial(const Material& material) {
    m_record.part().material = static_cast<uint16_t>(material.getIndex16());
}

// --- Geometry.

void Mesh::getReferencePoint(CadPoint& point) const {
    const PolygonLevelMemo& outline = *this;
    if (firstVertexAt(outline, 0.0, point))
        point.setZ(getElevation(true));
    else
        point = CadPoint();
}

void Mesh::setReferencePoint(const CadPoint& point) {
    CadPoint reference;
    getReferencePoint(reference);
    // In plan: the vertices' own levels stay as they are.
    const CadPoint offset(point.getX() - reference.getX(), point.getY() - reference.getY(), 0.0);
    if (getPolygon() != nullptr) {
        // The level data lie on the outline: they go with it, as far as they can be read.
        if (!MeshMemo::isLoaded()) (void)MeshMemo::ensureLoaded(*this);
        movePlan(offset);
    }
    setElevation(point.getZ(), true);
}

bool Mesh::moveBy(const CadPoint& offset) {
    if (!PolygonLevelMemo::ensureLoaded(*this) || !MeshMemo::ensureLoaded(*this)) return false;
    movePlan(CadPoint(offset.getX(), offset.getY(), 0.0));
    return true;
}

void Mesh::movePlan(const CadPoint& offset) {
    if (m_polygon) *m_polygon += offset;
    if (m_levelLines)
        for (CadPolygon* line : *m_levelLines)
            *line += offset;
    if (m_levelPoints) *m_levelPoints += offset;
}

// --- Memos.

void Mesh::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(PolygonLevelMemo::Mask | MeshMemo::Mask, store);
}

void Mesh::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    if (!memoPartsAtHand({{static_cast<PolygonLevelMemo&>(*this), PolygonLevelMemo::Mask},
                          {static_cast<MeshMemo&>(*this), MeshMemo::Mask}},
                         mask, store, fetch))
        return;
    // Each part only from a store asked for it: a store fetched for the level data alone holds no
    // outline, and reading one from it would drop the outline held. A part that cannot be read
    // stays unloaded.
    if ((mask & PolygonLevelMemo::Mask) != 0) (void)PolygonLevelMemo::readMemo(*store);
    if ((mask & MeshMemo::Mask) != 0) (void)MeshMemo::readMemo(*store);
    matchLevels();
}

void Mesh::matchLevel(const CadPoint& point) {
    uint32_t contour = 0;
    const uint32_t index = m_polygon->findVertex(point, LevelTolerance, &contour);
    if (index != CadPolygon::kNotFound) {
        CadPolygon& target = contour == 0 ? *m_polygon : m_polygon->getHole(contour - 1);
        target.vertexRef(index).setZ(point.getZ());
    } else if (m_polygon->getPosition(point, LevelTolerance) == CadPolygon::kOnBoundary) {
        (void)m_polygon->insertPoint(0, point, LevelTolerance); // on the boundary at no vertex: on an edge
    }
}

void Mesh::matchLevels() {
    if (!m_polygon) return;
    for (size_t p = getLevelPointCount(); p-- > 0;)
        matchLevel(getLevelPoint(p));
    for (size_t l = getLevelLineCount(); l-- > 0;) {
        const CadPolygon& line = *getLevelLine(l);
        for (size_t v = line.getVertexCount(); v-- > 0;)
            matchLevel(line.getVertex(v));
    }
}

ElementMemoPtr Mesh::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!PolygonLevelMemo::writeMemo(store) || !MeshMemo::writeMemo(store)) return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (memo->coordinates != nullptr) mask |= MemoPolygon;
    if (memo->vertexDoubles != nullptr) mask |= MemoVertexLevels;
    // The level data are whole once written: none written means none left, so the host's go too.
    mask |= MeshMemo::Mask;
    HostMeshElement& part = m_record.part();
    const PolygonCounts& counts = getCountHeader();
    setPolygonCounts(part, counts);
    part.levelPart.coordinateCount = static_cast<uint32_t>(getLevelVertexCount(true));
    part.levelPart.endCount = static_cast<uint32_t>(getLevelLineCount() + getLevelPointCount());
    return ElementMemoPtr(store.release());
}

// --- Flag groups.

bool Mesh::getFlagGroup(uint32_t kind) const {
    return groupFlagsOf(m_record.part().flagGroups, kind);
}
bool Mesh::getSecondGroupFlag(uint32_t kind) const {
    return groupFlagOf(m_record.part().flagGroups, kind, 1);
}
bool Mesh::getThirdGroupFlag(uint32_t kind) const {
    return groupFlagOf(m_record.part().flagGroups, kind, 2);
}
void Mesh::setFlagGroup(bool on, uint32_t kind) {
    setGroupFlagsOf(m_record.part().flagGroups, kind, on);
}
void Mesh::setSecondGroupFlag(bool on, uint32_t kind) {
    setGroupFlagOf(m_record.part().flagGroups, kind, 1, on);
}
void Mesh::setThirdGroupFlag(bool on, uint32_t kind) {
    setGroupFlagOf(m_record.part().flagGroups, kind, 2, on);
}

std::unique_ptr<Element> createMesh(const API_Element& record, ElementLink& link) {
    return createOfType<Mesh>(record, link);
}

} // namespace tarnwick
