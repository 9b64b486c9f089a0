#include "construction/Mesh.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

// The finish overrides a finish kind reads; null for kinds without one.
const uint32_t* finishSlot(const HostMeshElement& part, uint32_t kind) {
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

} // namespace

Mesh::Mesh() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

Mesh::Mesh(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Mesh::Mesh(const Mesh& other)
    : Element(other), PolygonLevelMemo(other), MeshMemo(other), m_record(other.m_record) {}

Mesh::~Mesh() = default;

// --- Measures.

double Mesh::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double Mesh::getMeasureA() const {
    return quantity(offsetof(HostMeshQuantities, measureA));
}
double Mesh::getMeasureB() const {
    return quantity(offsetof(HostMeshQuantities, measureB));
}
double Mesh::getMeasureC() const {
    return quantity(offsetof(HostMeshQuantities, measureC));
}
double Mesh::getMeasureD() {
    return quantity(offsetof(HostMeshQuantities, measureD));
}
double Mesh::getMeasureH() const {
    return quantity(offsetof(HostMeshQuantities, measureH));
}
double Mesh::getMeasureJ() const {
    return quantity(offsetof(HostMeshQuantities, measureJ));
}

uint32_t Mesh::getOutlineHoleCount() const {
    return outlineHoleCount(*this);
}

// --- Attributes.

void Mesh::getPen(Pen& pen, uint32_t which) const {
    const HostMeshElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    if (sharedKindPen(part, material, which, pen)) return;
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    case 2:
        pen = penOf(part.kind2Pen);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void Mesh::getLineStyle(LineStyle& style, uint32_t which) const {
    if (which > 1) return Element::getLineStyle(style, which);
    style = lineStyleOf(m_record.part().lineType);
}

void Mesh::getFinish(Finish& finish, uint32_t which) const {
    const HostMeshElement& part = m_record.part();
    finish = slotFinish(finishSlot(part, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Mesh::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    return materialFill(static_cast<int16_t>(m_record.part().material));
}

void Mesh::getMaterial(Material& material) const {
    material = Material::fromIndex(static_cast<int16_t>(m_record.part().material));
}

void Mesh::setPen(const Pen& pen, uint32_t which) {
    HostMeshElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind10Pen = index;
        part.kind2Pen = index;
        part.contourPen = index;
        part.cutFillBackgroundPen = index;
        part.cutFillPen = index;
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

void Mesh::setLineStyle(const LineStyle& style, uint32_t) {
    m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
}

void Mesh::setFinish(const Finish& finish, uint32_t which) {
    HostMeshElement& part = m_record.part();
    const uint32_t index = finish.getIndex();
    auto write = [&](uint32_t& word) { word = finishOverride(word, index); };
    switch (which) {
    case 0:
        for (uint32_t& word : part.finishOverrides)
            write(word);
        break;
    case 1:
    case 6:
        write(part.finishOverrides[0]);
        break;
    case 5:
        write(part.finishOverrides[1]);
        break;
    case 7:
        write(part.finishOverrides[2]);
        break;
    default:
        break;
    }
}

void Mesh::setMaterial(const Material& material) {
    m_record.part().material = static_cast<uint16_t>(material.getIndex16());
}

// --- Geometry.

void Mesh::getReferencePoint(CadPoint& point) const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    if (!outline || outline->getVertexCount() == 0) {
        point = CadPoint();
        return;
    }
    const PolyPoint& first = outline->getVertex(0);
    point = CadPoint(first.getX(), first.getY(), getElevation(true));
}

double Mesh::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void Mesh::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
}

std::unique_ptr<CadPolygon> Mesh::getOutline() const {
    const CadPolygon* outline = const_cast<Mesh*>(this)->getPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

void Mesh::setReferencePoint(const CadPoint& point) {
    CadPoint reference;
    getReferencePoint(reference);
    // In plan: the vertices' own levels stay as they are.
    const CadPoint offset(point.getX() - reference.getX(), point.getY() - reference.getY(), 0.0);
    if (getPolygon() != nullptr) {
        // The level data lie on the outline: they go with it.
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

PolygonCounts Mesh::getPolygonHeader() const {
    const HostMeshElement& part = m_record.part();
    return {part.coordinateCount, part.endCount, part.arcCount};
}

void Mesh::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(PolygonLevelMemo::Mask | MeshMemo::Mask, store);
}

void Mesh::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended()) {
        if (!PolygonLevelMemo::isLoaded() || !PolygonLevelMemo::isValid()) mask |= PolygonLevelMemo::Mask;
        if (!MeshMemo::isLoaded() || !MeshMemo::isValid()) mask |= MeshMemo::Mask;
    }
    if ((mask & (PolygonLevelMemo::Mask | MeshMemo::Mask)) == 0) return;
    if (store == nullptr && (getDrawing() == nullptr || !fetchMemo(mask, store))) {
        // Nothing the host holds can be read: both stand as loaded and empty.
        PolygonLevelMemo::setLoaded(true);
        MeshMemo::setLoaded(true);
        return;
    }
    // Each part only from a store asked for it: a store fetched for the level data alone holds no
    // outline, and reading one from it would drop the outline held.
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
        (void)m_polygon->insertPoint(0, point, LevelTolerance);
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
    if (record.head.typeCode != Mesh::TypeCode) return nullptr;
    return std::make_unique<Mesh>(link, record);
}

} // namespace tarnwick
