#include "library/Object.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "elements/ElementQuantities.h"
#include "library/Library.h"
#include "library/SourceKinds.h"
#include "project/Fill.h"
#include "project/Finish.h"
#include "project/MemoStore.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
constexpr double FullTurn = 2.0 * std::numbers::pi;
constexpr double AngleTolerance = 1e-5;
constexpr double ColourTolerance = 1e-5;
// A default size below this cannot carry a ratio.
constexpr double SmallestSize = 1e-5;

// In [0, 2π); within the tolerance of a full turn, 0.
double reduced(double angle) {
    double turned = std::fmod(angle, FullTurn);
    if (turned < 0.0) turned += FullTurn;
    return FullTurn - turned < AngleTolerance ? 0.0 : turned;
}

HostObjectElement objectFieldsOf(const API_Element& record) {
    HostObjectElement fields;
    std::memcpy(static_cast<void*>(&fields), record.raw, sizeof fields);
    return fields;
}

uint16_t index16(const Attribute& attribute) {
    return static_cast<uint16_t>(attribute.getIndex16());
}

ElementLink newObjectLink(uint32_t variation) {
    return ElementLink(ElementLink::makeTypeId(Object::TypeCode), nullptr, variation);
}
} // namespace

Object::Object(const API_Element& record, const ElementLink& link)
    : ComponentElem(link, ComponentLink(objectFieldsOf(record).libIndex, LibPartObject, nullptr)),
      m_object(objectFieldsOf(record)) {}

Object::Object(bool loadDefaults, uint32_t variation)
    : ComponentElem(newObjectLink(variation), ComponentLink()) {
    auto defaults = std::make_unique<API_Element>();
    ElementMemoPtr memo = loadDefaults ? makeElementMemo() : nullptr;
    if (getDefaults(*defaults, memo.get()))
        takeObjectFields(*defaults);
    else
        memo.reset();
    getLink().writeHeader(m_object.head, true);
    if (memo) {
        ElementMemoStore store(memo.release());
        MemoStore* given = &store;
        loadMemo(DefaultsMemoMask, given);
    }
    setComponentLink(partLink(), !loadDefaults, !loadDefaults);
}

Object::Object(const ComponentLink& part, uint32_t variation)
    : ComponentElem(newObjectLink(variation), part) {
    initFromPart(part);
}

Object::Object(const String& partName, uint32_t variation)
    : Object(ComponentLink(partName, LibPartObject), variation) {}

Object::Object(const API_Element& record, const ElementLink& link, const ComponentLink& part)
    : ComponentElem(link, part), m_object(objectFieldsOf(record)) {}

Object::Object(const ElementLink& link, const ComponentLink& part) : ComponentElem(link, part) {
    initFromPart(part);
}

void Object::takeObjectFields(const API_Element& record) {
    m_object = objectFieldsOf(record);
}

uint32_t Object::partIndexOf(const API_Element& record) const {
    return objectFieldsOf(record).libIndex;
}

ComponentLink Object::partLink() const {
    return ComponentLink(m_object.libIndex, LibPartObject, nullptr);
}

std::unique_ptr<API_Element> Object::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, static_cast<const void*>(&m_object), sizeof m_object);
    getLink().writeHeader(record->head, true);
    return record;
}

void Object::getPen(Pen& pen, uint32_t role) const {
    uint16_t index = 0;
    switch (role) {
    case 0:
    case 1:
        index = m_object.pen;
        break;
    case 10:
        index = m_object.fourthPen;
        break;
    case 11:
        index = m_object.secondPen;
        break;
    case 12:
        index = m_object.thirdPen;
        break;
    default:
        break;
    }
    pen = Pen(AttributeLink(static_cast<int16_t>(index), AttrPen));
}

void Object::setPen(const Pen& pen, uint32_t role) {
    const uint16_t index = index16(pen);
    switch (role) {
    case 0:
        m_object.pen = m_object.secondPen = m_object.thirdPen = m_object.fourthPen = index;
        break;
    case 1:
        m_object.pen = index;
        break;
    case 6:
    case 11:
        m_object.secondPen = index;
        break;
    case 8:
    case 12:
        m_object.thirdPen = index;
        break;
    case 10:
        m_object.fourthPen = index;
        break;
    default:
        break;
    }
}

void Object::getLineStyle(LineStyle& style, uint32_t role) const {
    style = LineStyle(AttributeLink(static_cast<int16_t>(role <= 1 ? m_object.lineType : 0), AttrLineType));
}

void Object::setLineStyle(const LineStyle& style, uint32_t role) {
    if (role <= 1) m_object.lineType = index16(style);
}

void Object::getFinish(Finish& finish, uint32_t role) const {
    finish = Finish(AttributeLink(static_cast<int16_t>(role <= 1 ? m_object.material : 0), AttrSurface));
}

void Object::setFinish(const Finish& finish, uint32_t role) {
    if (role <= 1) m_object.material = index16(finish);
}

std::unique_ptr<Pattern> Object::getPattern(uint32_t role) const {
    if (!isPatternKind(role) || m_object.fill == 0) return nullptr;
    return std::make_unique<Fill>(AttributeLink(static_cast<int16_t>(m_object.fill), AttrFill));
}

void Object::setPattern(const Pattern& pattern, uint32_t role) {
    const int16_t index = fillIndexOf(pattern);
    if (isPatternSetKind(role) && index >= 1) m_object.fill = static_cast<uint16_t>(index);
}

void Object::getOverrideSet(OverrideSet& set) const {
    set = OverrideSet::fromHost(m_object.firstGroup, m_object.secondGroup);
}

void Object::setOverrideSet(const OverrideSet& set) {
    set.toHost8(m_object.firstGroup);
    set.toHost4(m_object.secondGroup);
}

double Object::getMeasureC() const {
    auto quantities = std::make_unique<ElementQuantities>();
    quantities->requestElement(HostObjectSurfaceQuantity, sizeof(double));
    return quantities->fetch(getLink()) ? quantities->getValue(HostObjectSurfaceQuantity) : 0.0;
}

double Object::getMeasureD() {
    auto quantities = std::make_unique<ElementQuantities>();
    quantities->requestElement(HostObjectVolumeQuantity, sizeof(double));
    return quantities->fetch(getLink()) ? quantities->getValue(HostObjectVolumeQuantity) : 0.0;
}

std::unique_ptr<CadPolygon> Object::getOutline() const {
    // The bounds are a cache of the element's model; reading them does not change the object.
    std::unique_ptr<Cube> bounds = const_cast<Object*>(this)->getBounds(false);
    if (!bounds) return nullptr;
    const CadPoint centre = bounds->getCentre();
    const double halfWidth = getParameterA() / 2.0;
    const double halfDepth = getParameterB() / 2.0;
    const Cube box(centre.getX() - halfWidth, centre.getY() - halfDepth, centre.getZ(),
                   centre.getX() + halfWidth, centre.getY() + halfDepth, centre.getZ());
    return std::make_unique<CadPolygon>(box, 0.0);
}

void Object::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_object.referenceX, m_object.referenceY, m_object.elevation);
}

void Object::setReferencePoint(const CadPoint& point) {
    m_object.referenceX = point.getX();
    m_object.referenceY = point.getY();
    setElevation(point.getZ(), false);
}

double Object::getElevation(bool absolute) const {
    const Storey* storey = absolute ? getStorey() : nullptr;
    return m_object.elevation + (storey != nullptr ? storey->getLevel() : 0.0);
}

void Object::setElevation(double value, bool absolute) {
    const Storey* storey = absolute ? getStorey() : nullptr;
    m_object.elevation = value - (storey != nullptr ? storey->getLevel() : 0.0);
}

double Object::getAngle() const {
    return m_object.mirrored != 0 ? reduced(m_object.angle + std::numbers::pi) : m_object.angle;
}

void Object::setAngle(double angle) {
    const double turned = reduced(angle);
    m_object.angle = m_object.mirrored != 0 ? reduced(turned + std::numbers::pi) : turned;
}

double Object::getParameterA() const {
    if (m_object.firstDetail != 0) return m_object.widthRatio;
    // The part's sizes are a cache of the library's answer.
    return m_object.widthRatio * const_cast<Object*>(this)->getA();
}

double Object::getParameterB() const {
    if (m_object.firstDetail != 0) return m_object.depthRatio;
    return m_object.depthRatio * const_cast<Object*>(this)->getB();
}

void Object::setA(double value) {
    if (m_object.firstDetail != 0) {
        m_object.widthRatio = value;
    } else if (const double size = getA(); size >= SmallestSize) {
        m_object.widthRatio = value / size;
    }
    ComponentParameterMemo::setA(value);
}

void Object::setB(double value) {
    if (m_object.firstDetail != 0) {
        m_object.depthRatio = value;
    } else if (const double size = getB(); size >= SmallestSize) {
        m_object.depthRatio = value / size;
    }
    ComponentParameterMemo::setB(value);
}

void Object::setComponentLink(const ComponentLink& link, bool reloadParameters, bool keepValues) {
    ComponentLink part = link;
    if (part.getType() == 0) part.setType(LibPartObject);
    if (part.getType() != LibPartObject && part.getType() != LibPartLamp) return;
    Library* library = part.getLibrary() != nullptr ? part.getLibrary() : Host::getLibrary();
    if (library == nullptr) return;
    part.setLibrary(library);
    std::unique_ptr<ComponentSource> source = library->getSource(part);
    auto* object = dynamic_cast<ObjectSource*>(source.get());
    if (object == nullptr) return;
    m_object.libIndex = part.getIndex();
    m_object.firstDetail = object->isFirstDetailSet() ? 1 : 0;
    ComponentElem::setComponentLink(part, reloadParameters, keepValues);
    if (!reloadParameters) return;
    setA(getA());
    setB(getB());
}

void Object::mergeChanges(const Element& changed, const Element& reference) {
    const auto* edited = dynamic_cast<const Object*>(&changed);
    const auto* before = dynamic_cast<const Object*>(&reference);
    if (edited == nullptr || before == nullptr) return;
    const HostObjectElement& e = edited->m_object;
    const HostObjectElement& r = before->m_object;
    HostObjectElement& o = m_object;
    auto take = [](auto& mine, const auto& theirs, const auto& was) {
        if (theirs != was) mine = theirs;
    };
    take(o.pen, e.pen, r.pen);
    take(o.lineType, e.lineType, r.lineType);
    take(o.material, e.material, r.material);
    take(o.fill, e.fill, r.fill);
    take(o.secondPen, e.secondPen, r.secondPen);
    take(o.thirdPen, e.thirdPen, r.thirdPen);
    take(o.fourthPen, e.fourthPen, r.fourthPen);
    take(o.switch1, e.switch1, r.switch1);
    take(o.switch2, e.switch2, r.switch2);
    take(o.switch3, e.switch3, r.switch3);
    take(o.mirrored, e.mirrored, r.mirrored);
    take(o.firstDetail, e.firstDetail, r.firstDetail);
    take(o.switch6, e.switch6, r.switch6);
    take(o.ownerKind, e.ownerKind, r.ownerKind);
    take(o.angle, e.angle, r.angle);
    take(o.elevation, e.elevation, r.elevation);
    take(o.widthRatio, e.widthRatio, r.widthRatio);
    take(o.depthRatio, e.depthRatio, r.depthRatio);
    if (std::fabs(e.red - r.red) > ColourTolerance || std::fabs(e.green - r.green) > ColourTolerance ||
        std::fabs(e.blue - r.blue) > ColourTolerance) {
        o.red = e.red;
        o.green = e.green;
        o.blue = e.blue;
    }
    for (int i = 0; i < 3; ++i)
        take(o.firstGroup.flags[i], e.firstGroup.flags[i], r.firstGroup.flags[i]);
    take(o.firstGroup.first, e.firstGroup.first, r.firstGroup.first);
    take(o.firstGroup.second, e.firstGroup.second, r.firstGroup.second);
    take(o.secondGroup.third, e.secondGroup.third, r.secondGroup.third);
    take(o.secondGroup.flag, e.secondGroup.flag, r.secondGroup.flag);
    take(o.mergedFlag2, e.mergedFlag2, r.mergedFlag2);
    take(o.mergedFlag3, e.mergedFlag3, r.mergedFlag3);
    take(o.libIndex, e.libIndex, r.libIndex);
    ComponentElem::mergeChanges(changed, reference);
    IFCMemo::mergeChanges(*edited, *before);
}

bool Object::editDefaults() {
    uint64_t mask = 0;
    ElementMemoPtr memo = buildMemo(mask);
    if (!memo) return false;
    std::unique_ptr<API_Element> record = buildRecord();
    auto changeMask = std::make_unique<API_Element>();
    std::memset(changeMask->raw, 0xFF, sizeof changeMask->raw);
    if (ACAPInterfaceCall(fourCC("OBJS"), record.get(), changeMask.get(), memo.get()) != hosterr::Ok)
        return false;
    const HostElementHead head = m_object.head;
    takeObjectFields(*record);
    m_object.head = head;
    const bool withParameters = memo->parameters != nullptr;
    if (withParameters) {
        // The store frees the memo with the handles the dialog put in it.
        ElementMemoStore store(memo.release());
        MemoStore* given = &store;
        loadMemo(ParameterMemo::MemoMask, given);
    }
    setComponentLink(partLink(), !withParameters, !withParameters);
    return true;
}

ElementLink Object::getOwnerLink() const {
    const Guid owner(m_object.ownerGuid);
    return owner.isValid() ? ElementLink(owner, getDrawing()) : ElementLink();
}

bool Object::areLinkedSwitchesSet() const {
    const uint8_t* flags = m_object.firstGroup.flags;
    return flags[0] != 0 && flags[1] != 0 && flags[2] != 0;
}

void Object::setLinkedSwitches(bool on, uint32_t which) {
    if (which != 0) return;
    for (uint8_t& flag : m_object.firstGroup.flags)
        flag = on ? 1 : 0;
}

void Object::setLinkedSwitch2(bool on, uint32_t which) {
    if (which == 0) m_object.firstGroup.flags[1] = on ? 1 : 0;
}

void Object::setLinkedSwitch3(bool on, uint32_t which) {
    if (which == 0) m_object.firstGroup.flags[2] = on ? 1 : 0;
}

CadPoint Object::getOwnerOffset() const {
    return CadPoint(m_object.ownerOffsetX, m_object.ownerOffsetY, 0.0);
}

void Object::setOwnerOffset(const CadPoint& offset) {
    m_object.ownerOffsetX = offset.getX();
    m_object.ownerOffsetY = offset.getY();
}

void Object::detachOwner() {
    m_object.ownerOffsetX = 0.0;
    m_object.ownerOffsetY = 0.0;
    m_object.ownerKind = 0;
}

void Object::initFromPart(const ComponentLink& part) {
    auto defaults = std::make_unique<API_Element>();
    if (getDefaults(*defaults, nullptr))
        takeObjectFields(*defaults);
    else
        m_object = HostObjectElement();
    getLink().writeHeader(m_object.head, true);
    setUserDataChanged(true);
    m_object.libIndex = part.getIndex();
    m_object.ownerOffsetX = 0.0;
    m_object.ownerOffsetY = 0.0;
    HostLibPartDetails details;
    m_object.firstDetail = !part.isValid() || (ACAPGetLibPartDetails(static_cast<int32_t>(part.getIndex()),
                                                                     &details) == hosterr::Ok &&
                                               details.firstDetail != 0)
                               ? 1
                               : 0;
    setA(getA());
    setB(getB());
}

std::unique_ptr<Element> createObject(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Object::TypeCode) return nullptr;
    return std::make_unique<Object>(record, link);
}

} // namespace tarnwick
