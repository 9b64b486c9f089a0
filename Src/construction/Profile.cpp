#include "construction/Profile.h"

#include "construction/ConstructionHelpers.h"
#include "elements/Element3D.h"
#include "elements/ElementFactory.h"
#include "geometry/Cube.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

using P = HostProfileElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<P> PenReads[] = {
    {0, &P::pen}, {1, &P::pen}, {6, &P::kind6Pen}, {8, &P::kind8Pen}, {10, &P::kind10Pen},
    {11, &P::cutFillPen}, {12, &P::cutFillBackgroundPen}};
// The fields setPen writes: 0 every one.
constexpr KindField<P> PenWrites[] = {
    {0, &P::kind8Pen}, {0, &P::kind6Pen}, {0, &P::kind10Pen}, {0, &P::pen},
    {0, &P::cutFillBackgroundPen}, {0, &P::cutFillPen},
    {1, &P::pen}, {6, &P::kind6Pen}, {8, &P::kind8Pen}, {10, &P::kind10Pen},
    {11, &P::cutFillPen}, {12, &P::cutFillBackgroundPen}};
// Kinds 0 and 1 the contour's line type, 3 its own; kind 0 writes both.
constexpr KindField<P> LineTypeReads[] = {{0, &P::lineType}, {1, &P::lineType}, {3, &P::kind3LineType}};
constexpr KindField<P> LineTypeWrites[] = {
    {0, &P::lineType}, {0, &P::kind3LineType}, {1, &P::lineType}, {3, &P::kind3LineType}};
// The finish override a finish kind reads and writes.
constexpr KindSlot Finishes[] = {{0, 0}, {1, 0}, {6, 0}, {5, 1}, {7, 2}};
// clang-format on

template <class Kind> std::unique_ptr<Element> createKind(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Profile::TypeCode || recordSubKind(record) != Kind::SubKind) return nullptr;
    link.setTypeId(ElementLink::makeTypeId(Profile::TypeCode, static_cast<uint8_t>(Kind::SubKind)));
    link.setVariation(Kind::SubKind);
    return std::make_unique<Kind>(record, link);
}

} // namespace

Profile::Profile(uint32_t subKind)
    : Element(
          ElementLink(ElementLink::makeTypeId(TypeCode, static_cast<uint8_t>(subKind)), nullptr, subKind)) {
    (void)resetToDefaults(); // a host without defaults leaves a zeroed body of the sub-kind
}

Profile::Profile(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}

Profile::Profile(const Profile& other) : Element(other), ProfileMemo(other), m_record(other.m_record) {}

Profile::~Profile() = default;

// --- Attributes.

void Profile::getPen(Pen& pen, uint32_t which) const {
    const HostProfileElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen)) pen = Pen();
}

void Profile::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypeReads, which);
}

void Profile::getFinish(Finish& finish, uint32_t which) const {
    const HostProfileElement& part = m_record.part();
    finish =
        slotFinish(mappedWord(part.finishOverrides, Finishes, which), static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Profile::getPattern(uint32_t kind) const {
    return kindFill(kind, static_cast<int16_t>(m_record.part().material));
}

void Profile::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Profile::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypeWrites, which, style);
}

void Profile::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, Finishes, which,
                  [&](HostOverrideWord word) { return thirdByteOverride(word, finish.getIndex()); });
}

// --- Geometry.

void Profile::getReferencePoint(CadPoint& point) const {
    // Only the 3D model: the host's plan box would ask this element's elevation, which asks for
    // this point again. The element reads its model from the host on first use.
    std::shared_ptr<Element3D> model = const_cast<Profile*>(this)->getElement3D();
    std::unique_ptr<Cube> bounds = model ? model->getBounds() : nullptr;
    point = bounds ? bounds->getFirstCorner() : CadPoint();
}

double Profile::getElevation(bool absolute) const {
    CadPoint point;
    getReferencePoint(point);
    return storeyElevation(*this, point.getZ(), absolute);
}

// --- Memos.

void Profile::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoAll, store);
}

void Profile::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!ProfileMemo::isLoaded() || !ProfileMemo::isValid())) mask = MemoAll;
    // Nothing asked for: a fetch would hand out every part for nothing.
    if (mask == 0) return;
    if (store == nullptr && !fetchMemo(mask, store)) {
        ProfileMemo::setLoaded(true);
        return;
    }
    // Reading only marks the profile to be asked of the owner again: the host keeps none.
    (void)ProfileMemo::readMemo(*store);
}

ElementMemoPtr Profile::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!ProfileMemo::writeMemo(store)) return nullptr;
    // The block is empty: a mask naming any part would have the host drop that part.
    return ElementMemoPtr(store.release());
}

// --- The body's own.

bool Profile::resetToDefaults() {
    const bool ok = m_record.resetToDefaults(*this);
    m_record.part().subKind = getLink().getVariation();
    return ok;
}

std::unique_ptr<Element> createExtrusion(const API_Element& record, ElementLink& link) {
    return createKind<Extrusion>(record, link);
}
std::unique_ptr<Element> createSweep(const API_Element& record, ElementLink& link) {
    return createKind<Sweep>(record, link);
}
std::unique_ptr<Element> createMorph(const API_Element& record, ElementLink& link) {
    return createKind<Morph>(record, link);
}

} // namespace tarnwick
