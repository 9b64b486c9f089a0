#include "construction/FreeForm.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"
#include "project/Drawing.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
using F = HostFreeFormElement;
// clang-format off
// The field getPen reads for a pen kind: the cut-fill pens (11, 12) are the building material's
// unless the cut-fill flag is set.
constexpr KindField<F> PenReads[] = {
    {0, &F::contourPen}, {1, &F::contourPen}, {6, &F::kind6Pen}, {8, &F::kind8Pen}, {10, &F::kind10Pen},
    {11, &F::cutFillPen}, {12, &F::cutFillBackgroundPen}};
// The fields setPen writes: 0 every one.
constexpr KindField<F> PenWrites[] = {
    {0, &F::kind8Pen}, {0, &F::kind6Pen}, {0, &F::kind10Pen}, {0, &F::contourPen},
    {0, &F::cutFillBackgroundPen}, {0, &F::cutFillPen},
    {1, &F::contourPen}, {6, &F::kind6Pen}, {8, &F::kind8Pen}, {10, &F::kind10Pen},
    {11, &F::cutFillPen}, {12, &F::cutFillBackgroundPen}};
// Kinds 0 and 1 the line type, 3 the second one; kind 0 writes both.
constexpr KindField<F> LineTypeReads[] = {{0, &F::lineType}, {1, &F::lineType}, {3, &F::secondLineType}};
constexpr KindField<F> LineTypeWrites[] = {
    {0, &F::secondLineType}, {0, &F::lineType}, {1, &F::lineType}, {3, &F::secondLineType}};
// clang-format on
} // namespace

FreeForm::FreeForm() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed free form
}

FreeForm::FreeForm(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

FreeForm::FreeForm(const FreeForm& other)
    : Element(other), BodyMemo(other), IFCMemo(other), m_record(other.m_record),
      m_bodySource(other.m_bodySource) {}

FreeForm::~FreeForm() = default;

// --- Attributes.

void FreeForm::getPen(Pen& pen, uint32_t which) const {
    const HostFreeFormElement& part = m_record.part();
    if (!mappedPen(part, PenReads, which, static_cast<int16_t>(part.material), pen))
        Element::getPen(pen, which);
}

void FreeForm::getLineStyle(LineStyle& style, uint32_t which) const {
    style = mappedLineStyle(m_record.part(), LineTypeReads, which);
}

void FreeForm::getFinish(Finish& finish, uint32_t which) const {
    const HostFreeFormElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    finish = which <= 1 ? finishOf(part.finishOverride, material) : materialFinish(material);
}

std::unique_ptr<Pattern> FreeForm::getPattern(uint32_t kind) const {
    return kindFill(kind, static_cast<int16_t>(m_record.part().material));
}

void FreeForm::getMaterial(Material& material) const {
    material = Material::fromIndex(static_cast<int16_t>(m_record.part().material));
}

void FreeForm::setPen(const Pen& pen, uint32_t which) {
    writeMapped(m_record.part(), PenWrites, which, pen);
}

void FreeForm::setLineStyle(const LineStyle& style, uint32_t which) {
    writeMapped(m_record.part(), LineTypeWrites, which, style);
}

void FreeForm::setFinish(const Finish& finish, uint32_t which) {
    if (which > 1) return;
    uint32_t& word = m_record.part().finishOverride;
    word = finishOverride(word, finish.getIndex());
}

// --- Geometry.

void FreeForm::getReferencePoint(CadPoint& point) const {
    // The box is the element's 3D model's, which the element reads from the host on first use.
    std::unique_ptr<Cube> box = const_cast<FreeForm*>(this)->getBounds(false);
    point = box ? box->getFirstCorner() : CadPoint();
}

// --- Memos.

void FreeForm::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(getMemoMask(), store);
}

void FreeForm::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    const MemoFetch fetch = [this](uint64_t m, MemoStore*& s) { return fetchMemo(m, s); };
    // The bodies are never read from a store: reading only marks them to be read again.
    if (memoPartsAtHand({{static_cast<BodyMemo&>(*this), getMemoMask()}}, mask, store, fetch))
        (void)BodyMemo::readMemo(*store);
}

ElementMemoPtr FreeForm::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (getBodyCount() > 0) {
        const ElementLink& source = m_bodySource.hasGuid() ? m_bodySource : getLink();
        Drawing* drawing = source.getDrawing();
        if (drawing != nullptr && source.hasGuid()) {
            ElementMemoPtr held = drawing->getElementMemo(source, MemoFreeFormBody);
            if (held) {
                store.getMemo()->freeFormBody = held->freeFormBody;
                held->freeFormBody = nullptr;
            }
        }
    }
    if (!BodyMemo::writeMemo(store)) return nullptr;
    return ElementMemoPtr(store.release());
}

bool FreeForm::readBodies() {
    std::shared_ptr<Element3D> model = getElement3D();
    const BodyDataList* bodies = model ? model->getBodyList() : nullptr;
    if (bodies == nullptr) return false;
    setBodies(std::make_shared<BodyDataList>(*bodies));
    m_bodySource = getLink();
    return true;
}

// --- Flag groups.

bool FreeForm::getFlagGroup(uint32_t kind) const {
    return groupFlagsOf(m_record.part().flagGroups, kind);
}
bool FreeForm::getSecondGroupFlag(uint32_t kind) const {
    return groupFlagOf(m_record.part().flagGroups, kind, 1);
}
bool FreeForm::getThirdGroupFlag(uint32_t kind) const {
    return groupFlagOf(m_record.part().flagGroups, kind, 2);
}
void FreeForm::setFlagGroup(bool on, uint32_t kind) {
    setGroupFlagsOf(m_record.part().flagGroups, kind, on);
}
void FreeForm::setSecondGroupFlag(bool on, uint32_t kind) {
    setGroupFlagOf(m_record.part().flagGroups, kind, 1, on);
}
void FreeForm::setThirdGroupFlag(bool on, uint32_t kind) {
    setGroupFlagOf(m_record.part().flagGroups, kind, 2, on);
}

std::unique_ptr<Element> createFreeForm(const API_Element& record, ElementLink& link) {
    return createOfType<FreeForm>(record, link);
}

} // namespace tarnwick
