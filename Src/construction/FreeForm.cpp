#include "construction/FreeForm.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"
#include "project/Drawing.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/MemoStore.h"

namespace tarnwick {

FreeForm::FreeForm() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    (void)resetToDefaults();
}

FreeForm::FreeForm(const ElementLink& link, const API_Element& record) : Element(link), m_record(record) {}

FreeForm::FreeForm(const FreeForm& other)
    : Element(other), BodyMemo(other), IFCMemo(other), m_record(other.m_record),
      m_bodySource(other.m_bodySource) {}

FreeForm::~FreeForm() = default;

// --- Measures.

double FreeForm::quantity(size_t offset) const {
    return quantityField(getLink(), offset);
}

double FreeForm::getMeasureC() const {
    return const_cast<FreeForm*>(this)->getSurfaceArea();
}
double FreeForm::getSurfaceArea() {
    return quantity(offsetof(HostFreeFormQuantities, surfaceArea));
}
double FreeForm::getMeasureD() {
    return quantity(offsetof(HostFreeFormQuantities, measureD));
}
double FreeForm::getBoundsZSize() {
    return quantity(offsetof(HostFreeFormQuantities, height));
}
double FreeForm::getOutlineMeasure() const {
    return quantity(offsetof(HostFreeFormQuantities, perimeter));
}
double FreeForm::getOutlineArea() const {
    return quantity(offsetof(HostFreeFormQuantities, area));
}

// --- Attributes.

void FreeForm::getPen(Pen& pen, uint32_t which) const {
    const HostFreeFormElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    if (sharedKindPen(part, material, which, pen)) return;
    switch (which) {
    case 0:
    case 1:
        pen = penOf(part.contourPen);
        break;
    default:
        Element::getPen(pen, which);
        break;
    }
}

void FreeForm::getLineStyle(LineStyle& style, uint32_t which) const {
    const HostFreeFormElement& part = m_record.part();
    if (which == 0 || which == 1)
        style = lineStyleOf(part.lineType);
    else if (which == 3)
        style = lineStyleOf(part.secondLineType);
    else
        Element::getLineStyle(style, which);
}

void FreeForm::getFinish(Finish& finish, uint32_t which) const {
    const HostFreeFormElement& part = m_record.part();
    const auto material = static_cast<int16_t>(part.material);
    finish = which <= 1 ? finishOf(part.finishOverride, material) : materialFinish(material);
}

std::unique_ptr<Pattern> FreeForm::getPattern(uint32_t kind) const {
    if (kind != 0 && kind != 1 && kind != 3) return nullptr;
    return materialFill(static_cast<int16_t>(m_record.part().material));
}

void FreeForm::getMaterial(Material& material) const {
    material = Material::fromIndex(static_cast<int16_t>(m_record.part().material));
}

void FreeForm::setPen(const Pen& pen, uint32_t which) {
    HostFreeFormElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        part.kind8Pen = index;
        part.kind6Pen = index;
        part.kind10Pen = index;
        part.contourPen = index;
        part.cutFillBackgroundPen = index;
        part.cutFillPen = index;
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

void FreeForm::setLineStyle(const LineStyle& style, uint32_t which) {
    HostFreeFormElement& part = m_record.part();
    const auto index = static_cast<uint16_t>(style.getIndex16());
    if (which == 0 || which == 3) part.secondLineType = index;
    if (which == 0 || which == 1) part.lineType = index;
}

void FreeForm::setFinish(const Finish& finish, uint32_t which) {
    if (which > 1) return;
    uint32_t& word = m_record.part().finishOverride;
    word = finishOverride(word, finish.getIndex());
}

// --- Geometry.

void FreeForm::getReferencePoint(CadPoint& point) const {
    std::unique_ptr<Cube> box = const_cast<FreeForm*>(this)->getBounds(false);
    point = box ? box->getFirstCorner() : CadPoint();
}

double FreeForm::getElevation(bool absolute) const {
    return storeyElevation(*this, m_record.part().elevation, absolute);
}

void FreeForm::setElevation(double value, bool absolute) {
    m_record.part().elevation = relativeElevation(*this, value, absolute);
}

// --- Memos.

void FreeForm::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(getMemoMask(), store);
}

void FreeForm::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!BodyMemo::isLoaded() || !BodyMemo::isValid())) mask |= getMemoMask();
    if ((mask & getMemoMask()) == 0) return;
    if (store == nullptr && (getDrawing() == nullptr || !fetchMemo(mask, store))) {
        BodyMemo::setLoaded(true);
        return;
    }
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
    if (record.head.typeCode != FreeForm::TypeCode) return nullptr;
    return std::make_unique<FreeForm>(link, record);
}

} // namespace tarnwick
