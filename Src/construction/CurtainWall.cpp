#include "construction/CurtainWall.h"

#include "Environment/Host.h"
#include "construction/ConstructionFactory.h"
#include "construction/ConstructionHelpers.h"
#include "elements/ElementFactory.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
using CW = HostCurtainWallElement;
// clang-format off
// The field getPen reads for a pen kind (6 and 8 only while the pen flag is set), and the fields
// setPen writes: 0 the kind-6 and kind-8 pens, not the contour pen.
constexpr KindField<CW> PenReads[] = {
    {0, &CW::contourPen}, {1, &CW::contourPen}, {6, &CW::kind6Pen}, {8, &CW::kind8Pen}};
constexpr KindField<CW> PenWrites[] = {
    {0, &CW::kind6Pen}, {0, &CW::kind8Pen},
    {1, &CW::contourPen}, {6, &CW::kind6Pen}, {8, &CW::kind8Pen}};
constexpr KindField<CW> LineTypes[] = {{0, &CW::lineType}, {1, &CW::lineType}};
// clang-format on
} // namespace

CurtainWall::CurtainWall(std::unique_ptr<CadPolygon> outline)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), Host::getCurrentDatabase(), 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed curtain wall
    if (outline) setPolygon(std::move(outline));
}

// --- Attributes.

void CurtainWall::getPen(Pen& pen, uint32_t which) const {
    const HostCurtainWallElement& part = m_record.part();
    const bool flagged = (which != 6 && which != 8) || part.penFlag != 0;
    if (!flagged || !mappedPen(part, PenReads, which, pen)) Element::getPen(pen, which);
}

void CurtainWall::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypes, which);
}

void CurtainWall::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void CurtainWall::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypes, which, style);
}

// --- Record and memo.

void CurtainWall::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setSecondFlag(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

std::unique_ptr<API_Element> CurtainWall::buildRecord() const {
    return buildWithPolygonCounts(m_record, *this, false, getLink());
}

void CurtainWall::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    // The part lists are asked for again only while not loaded; the outline also while not valid.
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    if (!memoPartsAtHand({{static_cast<AccessoryMemo&>(*this), MemoCurtainWallAccessories, false},
                          {static_cast<FrameMemo&>(*this), MemoCurtainWallFrames, false},
                          {static_cast<JunctionMemo&>(*this), MemoCurtainWallJunctions, false},
                          {static_cast<PanelMemo&>(*this), MemoCurtainWallPanels, false},
                          {static_cast<PolygonMemo&>(*this), MemoPolygon},
                          {static_cast<SegmentMemo&>(*this), MemoCurtainWallSegments, false}},
                         mask, store, fetch))
        return;
    // A part list reads whatever the block holds; an outline that cannot be read stays unloaded.
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
    return createOfType<CurtainWall>(record, link);
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
