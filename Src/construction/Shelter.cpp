#include "construction/Shelter.h"

#include <cmath>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "construction/ConstructionHelpers.h"
#include "platform/gsroot/Containers.h"
#include "project/Composite.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {

using R = HostShelterElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<R> PenReads[] = {
    {0, &R::pen}, {1, &R::pen}, {5, &R::kind5Pen}, {6, &R::kind6Pen}, {8, &R::kind8Pen}, {10, &R::kind10Pen},
    {11, &R::cutFillPen}, {12, &R::cutFillBackgroundPen}};
// The fields setPen writes: 0 all but kind 5's, 6's and 8's.
constexpr KindField<R> PenWrites[] = {
    {0, &R::kind10Pen}, {0, &R::pen}, {0, &R::cutFillBackgroundPen}, {0, &R::cutFillPen},
    {1, &R::pen}, {5, &R::kind5Pen}, {6, &R::kind6Pen}, {8, &R::kind8Pen}, {10, &R::kind10Pen},
    {11, &R::cutFillPen}, {12, &R::cutFillBackgroundPen}};
constexpr KindField<R> LineTypes[] = {{0, &R::lineType}, {1, &R::lineType}};
// The finish override a finish kind reads and writes.
constexpr KindSlot Finishes[] = {{0, 0}, {1, 0}, {5, 1}, {7, 2}};
// clang-format on

} // namespace

Shelter::Shelter() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), Host::getCurrentDatabase(), 0)) {}

Shelter::Shelter(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

Shelter::Shelter(const Shelter& other)
    : Element(other), BorderedPolygonMemo(other), IFCMemo(other), m_record(other.m_record) {}

Shelter::~Shelter() = default;

double Shelter::shelterMeasure(size_t number) const {
    return quantity(offsetof(HostShelterQuantities, shelterMeasures4To12) + (number - 4) * sizeof(double));
}

// --- Attributes.

void Shelter::getOverrideSet(OverrideSet& set, size_t side) const {
    const HostShelterElement& part = m_record.part();
    set = OverrideSet::fromHost(sideOf(part.sideOverrides, side), part.overrideExtension);
}

void Shelter::setOverrideSet(const OverrideSet& set, size_t side) {
    set.toHost8(sideOf(m_record.part().sideOverrides, side));
}

void Shelter::getPen(Pen& pen, uint32_t which) const {
    const HostShelterElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen))
        Element::getPen(pen, which);
}

void Shelter::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypes, which);
}

void Shelter::getFinish(Finish& finish, uint32_t which) const {
    const HostShelterElement& part = m_record.part();
    const HostOverrideWord* word = mappedWord(part.finishOverrides, Finishes, which);
    if (word == nullptr) return Element::getFinish(finish, which);
    finish = finishOf(*word, static_cast<int16_t>(part.material));
}

std::unique_ptr<Pattern> Shelter::getPattern(uint32_t kind) const {
    const HostShelterElement& part = m_record.part();
    if (isPatternKind(kind) && part.structureType == Composite) return compositeOf(part.composite);
    return kindFill(kind, static_cast<int16_t>(part.material));
}

void Shelter::getMaterial(Material& material) const {
    material = basicMaterial(m_record.part().structureType, m_record.part().material);
}

void Shelter::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void Shelter::setPattern(const Pattern& pattern, uint32_t kind) {
    if (isPatternSetKind(kind)) takeComposite(m_record.part(), pattern, Composite);
}

void Shelter::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypes, which, style);
}

void Shelter::setFinish(const Finish& finish, uint32_t which) {
    rewriteMapped(m_record.part().finishOverrides, Finishes, which,
                  [&](HostOverrideWord word) { return overridingFinish(word, finish); });
}

// --- Geometry.

void Shelter::getReferencePoint(CadPoint& point) const {
    if (!firstVertexAt(*this, getElevation(true), point)) point = CadPoint();
}

void Shelter::setReferencePoint(const CadPoint& point) {
    moveOutlineTo(*this, *this, point);
}

bool Shelter::moveBy(const CadPoint& offset) {
    return moveOutlineBy(*this, m_record.part().elevation, offset);
}

// --- Own.

bool Shelter::getSkylights(ElementLinkList& links) const {
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !getLink().hasGuid()) return false;
    const API_Guid guid = getGuid().toAPI();
    GS::Array<API_Guid> related;
    if (ACAPGetRelatedElements(&guid, SkylightTypeCode, &related) != hosterr::Ok) return false;
    for (const API_Guid& each : related)
        links.push_back(std::make_unique<ElementLink>(Guid(each), drawing));
    return true;
}

// --- Record and memo.

void Shelter::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    loadOutline(*this, mask, store, [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); });
}

} // namespace tarnwick
