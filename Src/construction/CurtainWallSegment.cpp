#include "construction/CurtainWallSegment.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/Memory.h"
#include "construction/ConstructionHelpers.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

HostContourSubBlock subBlockOf(GSPtr block) {
    HostContourSubBlock sub;
    if (block != nullptr && getPtrSize(block) >= static_cast<GSSize>(sizeof sub))
        std::memcpy(static_cast<void*>(&sub), block, sizeof sub);
    return sub;
}

// The arrays of a sub-block, checked against the counts: the sizes of its own handles only.
bool lockSubBlock(const HostContourSubBlock& sub, const PolygonCounts& counts, PolygonParts& parts) {
    parts = PolygonParts();
    if (counts.coordinates < 1 || counts.ends < 1 || sub.coordinates == nullptr) return false;
    if (counts.arcs > 0 && sub.arcs == nullptr) return false;
    parts.setHandles(sub.coordinates, sub.subPolygonEnds, sub.arcs, sub.vertexIds);
    if (static_cast<size_t>(getHandleSize(sub.coordinates)) % sizeof(HostCoord2D) != 0) return false;
    if (parts.coordinateCount < uint64_t(counts.coordinates) + 1) return false;
    if (parts.ends != nullptr && parts.endCount < uint64_t(counts.ends) + 1) return false;
    return parts.arcCount >= counts.arcs;
}

} // namespace

// --- The contour.

PolygonCounts CurtainWallSegmentContour::getReadCounts(const MemoStore* store) const {
    if (store == nullptr) return {};
    const HostContourSubBlock sub = subBlockOf(store->getSubBlock());
    return {sub.coordinateCount, sub.endCount, sub.arcCount};
}

PolygonCounts CurtainWallSegmentContour::getWriteCounts(const MemoStore* store) {
    return store != nullptr ? getReadCounts(store) : m_counts;
}

bool CurtainWallSegmentContour::readMemo(MemoStore& store) {
    m_readCounts = getReadCounts(&store);
    return PolygonMemo::readMemo(store);
}

void CurtainWallSegmentContour::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setSecondFlag(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

bool CurtainWallSegmentContour::lockContourParts(MemoStore& store, const PolygonCounts& counts,
                                                 PolygonParts& parts) {
    parts = PolygonParts();
    if (counts.coordinates < 1 || counts.ends < 1) return false;
    GSPtr block = store.getSubBlock();
    if (block == nullptr) return false;
    return lockSubBlock(subBlockOf(block), counts, parts);
}

bool CurtainWallSegmentContour::allocateContourParts(MemoStore& store, const PolygonCounts& counts,
                                                     PolygonParts& parts) {
    parts = PolygonParts();
    if (counts.coordinates < 1 || counts.ends < 1) return false;
    GSPtr block = *store.subBlockAddress();
    if (block == nullptr || getPtrSize(block) < static_cast<GSSize>(sizeof(HostContourSubBlock)))
        return false;
    HostContourSubBlock sub = subBlockOf(block);
    for (GSHandle* old : {&sub.coordinates, &sub.subPolygonEnds, &sub.arcs, &sub.vertexIds})
        freeHandle(*old);
    const size_t points = size_t(counts.coordinates) + 1;
    sub.coordinates = allocateHandle(static_cast<GSSize>(points * sizeof(HostCoord2D)));
    sub.subPolygonEnds = allocateHandle(static_cast<GSSize>((size_t(counts.ends) + 1) * sizeof(uint32_t)));
    sub.vertexIds = allocateHandle(static_cast<GSSize>(points * sizeof(uint32_t)));
    if (counts.arcs > 0) sub.arcs = allocateHandle(static_cast<GSSize>(counts.arcs * sizeof(HostPolygonArc)));
    setPolygonCounts(sub, counts);
    std::memcpy(block, &sub, sizeof sub);
    return lockSubBlock(sub, counts, parts);
}

// --- The segment.

CurtainWallSegment::CurtainWallSegment(std::unique_ptr<CadPolygon> contour)
    : CurtainWallPart(API_Element(), ElementLink(ElementLink::makeTypeId(HostCurtainWallSegmentTypeCode),
                                                 Host::getCurrentDatabase(), 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed segment
    if (contour) CurtainWallSegmentContour::setPolygon(std::move(contour));
}

std::unique_ptr<CadPolygon> CurtainWallSegment::getOutline() const {
    const CurtainWallSegmentContour& contour = *this;
    if (const CadPolygon* held = contour.heldPolygon()) return std::make_unique<CadPolygon>(*held);
    return outlineCopy(contour);
}

std::unique_ptr<API_Element> CurtainWallSegment::buildRecord() const {
    return buildWithPolygonCounts(m_record, static_cast<const CurtainWallSegmentContour&>(*this), false,
                                  getLink());
}

void CurtainWallSegment::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    // The frames are asked for again only while not loaded; the contour also while not valid.
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    if (!memoPartsAtHand({{static_cast<CurtainWallSegmentContour&>(*this), MemoContour},
                          {static_cast<FrameMemo&>(*this), MemoCurtainWallFrames, false}},
                         mask, store, fetch))
        return;
    // A contour that cannot be read stays unloaded; the frames read whatever the block holds.
    if ((mask & MemoContour) != 0) (void)CurtainWallSegmentContour::readMemo(*store);
    if ((mask & MemoCurtainWallFrames) != 0) (void)FrameMemo::readMemo(*store);
}

ElementMemoPtr CurtainWallSegment::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!CurtainWallSegmentContour::writeMemo(store) || !FrameMemo::writeMemo(store)) return nullptr;
    const API_ElementMemo* memo = store.getMemo();
    if (subBlockOf(memo->subBlock).coordinates != nullptr) mask |= MemoContour;
    if (memo->curtainWallFrames != nullptr) mask |= MemoCurtainWallFrames;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createCurtainWallSegment(const API_Element& record, ElementLink& link) {
    return createOfType<CurtainWallSegment>(record, link);
}

} // namespace tarnwick
