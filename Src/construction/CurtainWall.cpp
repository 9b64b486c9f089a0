#include "construction/CurtainWall.h"

#include "construction/ConstructionFactory.h"
#include "construction/ConstructionHelpers.h"
#include "elements/ElementFactory.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

CurtainWall::CurtainWall(std::unique_ptr<CadPolygon> outline)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
    if (outline) setPolygon(std::move(outline));
}

double CurtainWall::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

// --- Attributes.

void CurtainWall::getPen(Pen& pen, uint32_t which) const {
    const HostCurtainWallElement& part = m_record.part();
    if (which == 0 || which == 1)
        pen = penOf(part.contourPen);
    else if ((which == 6 || which == 8) && part.penFlag != 0)
        pen = penOf(which == 6 ? part.kind6Pen : part.kind8Pen);
    else
        Element::getPen(pen, which);
}

void CurtainWall::getLineStyle(LineStyle& style, uint32_t which) const {
    if (which == 0 || which == 1)
        style = lineStyleOf(m_record.part().lineType);
    else
        Element::getLineStyle(style, which);
}

void CurtainWall::setPen(const Pen& pen, uint32_t which) {
    HostCurtainWallElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind6Pen = index;
        part.kind8Pen = index;
        break;
    case 1:
        part.contourPen = index;
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

void CurtainWall::setLineStyle(const LineStyle& style, uint32_t which) {
    if (which == 0 || which == 1) m_record.part().lineType = static_cast<uint16_t>(style.getIndex16());
}

// --- Geometry.

std::unique_ptr<CadPolygon> CurtainWall::getOutline() const {
    const CadPolygon* outline = const_cast<CurtainWall*>(this)->getPolygon();
    return outline != nullptr ? std::make_unique<CadPolygon>(*outline) : nullptr;
}

PolyEdge CurtainWall::getReferenceLine() const {
    CadPoint begin;
    getReferencePoint(begin);
    return PolyEdge(begin, getEndVertex());
}

// --- Record and memo.

PolygonCounts CurtainWall::getPolygonHeader() const {
    const HostCurtainWallElement& part = m_record.part();
    return {part.coordinateCount, part.endCount, part.arcCount};
}

void CurtainWall::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setSecondFlag(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

std::unique_ptr<API_Element> CurtainWall::buildRecord() const {
    return buildWithHeldCounts(m_record, *const_cast<CurtainWall*>(this), getLink());
}

void CurtainWall::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended()) {
        if (!AccessoryMemo::isLoaded()) mask |= MemoCurtainWallAccessories;
        if (!FrameMemo::isLoaded()) mask |= MemoCurtainWallFrames;
        if (!JunctionMemo::isLoaded()) mask |= MemoCurtainWallJunctions;
        if (!PanelMemo::isLoaded()) mask |= MemoCurtainWallPanels;
        if (!PolygonMemo::isLoaded() || !PolygonMemo::isValid()) mask |= MemoPolygon;
        if (!SegmentMemo::isLoaded()) mask |= MemoCurtainWallSegments;
    }
    constexpr uint64_t ours = MemoCurtainWallAccessories | MemoCurtainWallFrames | MemoCurtainWallJunctions |
                              MemoCurtainWallPanels | MemoPolygon | MemoCurtainWallSegments;
    if ((mask & ours) == 0) return;
    if (store == nullptr && (getDrawing() == nullptr || !getLink().hasGuid() || !fetchMemo(mask, store))) {
        // Nothing the host holds can be read: every part stands as loaded and empty.
        AccessoryMemo::setLoaded(true);
        FrameMemo::setLoaded(true);
        JunctionMemo::setLoaded(true);
        PanelMemo::setLoaded(true);
        PolygonMemo::setLoaded(true);
        SegmentMemo::setLoaded(true);
        return;
    }
    if ((mask & MemoCurtainWallAccessories) != 0) (void)AccessoryMemo::readMemo(*store);
    if ((mask & MemoCurtainWallFrames) != 0) (void)FrameMemo::readMemo(*store);
    if ((mask & MemoCurtainWallJunctions) != 0) (void)JunctionMemo::readMemo(*store);
    if ((mask & MemoCurtainWallPanels) != 0) (void)PanelMemo::readMemo(*store);
    if ((mask & MemoPolygon) != 0) (void)PolygonMemo::readMemo(*store);
    if ((mask & MemoCurtainWallSegments) != 0) (void)SegmentMemo::readMemo(*store);
}

ElementMemoPtr CurtainWall::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!PolygonMemo::writeMemo(store) || !SegmentMemo::writeMemo(store) || !FrameMemo::writeMemo(store))
        return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (memo->coordinates != nullptr) mask |= MemoPolygon;
    if (memo->curtainWallSegments != nullptr) mask |= MemoCurtainWallSegments;
    if (memo->curtainWallFrames != nullptr) mask |= MemoCurtainWallFrames;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createCurtainWall(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != CurtainWall::TypeCode) return nullptr;
    return std::make_unique<CurtainWall>(record, link);
}

void registerCurtainWallElementCreators() {
    // The product's order; it matters only within one id.
    const std::pair<uint16_t, ElementCreator> kinds[] = {
        {42, &createCurtainWallAccessory}, {39, &createCurtainWallFrame}, {41, &createCurtainWallJunction},
        {40, &createCurtainWallPanel},     {37, &createCurtainWall},      {38, &createCurtainWallSegment},
    };
    for (const auto& [id, creator] : kinds)
        registerElementCreator(id, creator, false);
}

} // namespace tarnwick
