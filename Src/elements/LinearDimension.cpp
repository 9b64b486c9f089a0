#include "elements/LinearDimension.h"

#include <cmath>
#include <numbers>

#include "elements/ArrowStyle.h"
#include "geometry/LinearEquation.h"
#include "geometry/ZRotater.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
constexpr double pi = std::numbers::pi;

double unitOf(double component, double tolerance) {
    if (std::fabs(component) <= tolerance) return 0.0;
    return component > 0.0 ? 1.0 : -1.0;
}

double positiveModulo(double value, double modulus) {
    const double r = std::fmod(value, modulus);
    return r < 0.0 ? r + modulus : r;
}
} // namespace

LinearDimension::LinearDimension() : DimensionOf(TypeCode) {
    getLink().writeHeader(m_record.head, true);
    applyDefaults();
}

LinearDimension::LinearDimension(const API_Element& record, const ElementLink& link)
    : DimensionOf(record, link) {}

void LinearDimension::getPen(Pen& pen, uint32_t which) const {
    uint32_t index = 0;
    switch (which) {
    case 0:
    case 1:
        index = m_record.pen;
        break;
    case 2:
        index = m_record.pen2;
        break;
    case 8:
        index = m_record.pen8;
        break;
    case 16:
        index = m_record.textBlock.pen;
        break;
    case 17:
        index = m_record.arrow.pen;
        break;
    default:
        break;
    }
    pen = Pen(AttributeLink(index, AttrPen));
}

void LinearDimension::setPen(const Pen& pen, uint32_t which) {
    const auto index16 = static_cast<uint16_t>(pen.getIndex16());
    switch (which) {
    case 0:
        m_record.pen = index16;
        m_record.textBlock.pen = pen.getIndex();
        m_record.arrow.pen = index16;
        break;
    case 1:
        m_record.pen = index16;
        break;
    case 2:
        m_record.pen2 = index16;
        break;
    case 8:
        m_record.pen8 = index16;
        break;
    case 16:
        m_record.textBlock.pen = pen.getIndex();
        break;
    case 17:
        m_record.arrow.pen = index16;
        break;
    default:
        break;
    }
}

std::unique_ptr<ArrowStyle> LinearDimension::getArrowStyle(uint32_t which) const {
    auto style = DimensionOf::getArrowStyle(which);
    if (!style) return nullptr;
    style->setExtraByte(0, m_record.arrowExtra[0]);
    style->setExtraByte(1, m_record.arrowExtra[1] != 0 ? 1 : 0);
    style->setExtraByte(2, m_record.arrowExtra[2] != 0 ? 1 : 0);
    return style;
}

void LinearDimension::setArrowStyle(const ArrowStyle& style, uint32_t which) {
    if (which > 1) return;
    DimensionOf::setArrowStyle(style, which);
    for (size_t i = 0; i < 3; ++i)
        m_record.arrowExtra[i] = style.getExtraByte(i);
}

uint8_t LinearDimension::setFlagB3(bool on) {
    const uint8_t was = m_record.flagB3;
    m_record.flagB3 = static_cast<uint8_t>(on ? (was | 2) : (was & ~2));
    return was;
}

bool LinearDimension::moveBy(const CadPoint& offset) {
    (void)ensureLoaded(*this);
    if (!DimensionMemo::isLoaded()) return false;
    const double dx = offset.getX(), dy = offset.getY();
    for (DimensionPoint* point : m_points) {
        HostDimensionPoint& record = point->getRecord();
        record.position = HostCoord2D{record.position.x + dx, record.position.y + dy};
        record.position3D.x += dx;
        record.position3D.y += dy;
        record.projection = HostCoord2D{record.projection.x + dx, record.projection.y + dy};
    }
    m_record.reference = HostCoord2D{m_record.reference.x + dx, m_record.reference.y + dy};
    return true;
}

void LinearDimension::setReferencePoint(const CadPoint& point) {
    m_record.reference = arrangePoints(point).getCoord2D();
}

void LinearDimension::rearrange() {
    CadPoint reference;
    getReferencePoint(reference);
    m_record.reference = arrangePoints(reference).getCoord2D();
}

void LinearDimension::setDirection(const CadPoint& vector, bool snap, double tolerance) {
    // Within the point tolerance of the origin a vector has no direction to take.
    if (vector.isEqual2D(CadPoint())) return;
    m_record.orientation = 0;
    if (snap) {
        const double a = positiveModulo(std::atan2(vector.getY(), vector.getX()), pi);
        if (std::fabs(a - pi / 2) > tolerance) {
            const double b = positiveModulo(a + pi / 2, pi);
            if (std::fabs(b - pi / 2) <= tolerance) {
                m_record.orientation = 1;
                m_record.direction = HostCoord2D{unitOf(vector.getX(), tolerance), 0.0};
            }
        } else {
            m_record.orientation = 2;
            m_record.direction = HostCoord2D{0.0, unitOf(vector.getY(), tolerance)};
        }
    }
    if (m_record.orientation == 0) m_record.direction = vector.getCoord2D();
    rearrange();
}

CadPoint LinearDimension::arrangePoints(const CadPoint& through) {
    DimensionMemo::ensureLoaded(*this);
    if (m_points.empty()) return CadPoint();
    const double alpha = std::atan2(m_record.direction.y, m_record.direction.x);
    const LinearEquation line(alpha, through);
    const ZRotater rotater(alpha, 1e-5);
    for (DimensionPoint* point : m_points) {
        const CadPoint projection = line.projectPoint(point->getPosition());
        point->getRecord().projection = projection.getCoord2D();
    }
    // The rotated x of a projection: its distance along the direction.
    auto keyOf = [&rotater](const DimensionPoint& point) {
        CadPoint p(point.getRecord().projection.x, point.getRecord().projection.y, 0.0);
        rotater.rotate(p);
        return p.getX();
    };
    m_points.sort([&keyOf](const DimensionPoint& a, const DimensionPoint& b) { return keyOf(a) < keyOf(b); });
    m_record.pointCount = static_cast<uint32_t>(m_points.size());
    const HostCoord2D first = m_points[0]->getRecord().projection;
    m_record.reference = first;
    return CadPoint(first.x, first.y, 0.0);
}

void LinearDimension::setPoint(std::unique_ptr<DimensionPoint> point, size_t index) {
    DimensionMemo::setPoint(std::move(point), index);
    rearrange();
}

void LinearDimension::insertPoint(std::unique_ptr<DimensionPoint> point, size_t index) {
    DimensionMemo::insertPoint(std::move(point), index);
    rearrange();
}

void LinearDimension::removePoint(size_t index) {
    DimensionMemo::removePoint(index);
    rearrange();
}

std::vector<std::unique_ptr<DimensionPoint>> LinearDimension::clearPoints(bool release) {
    auto released = DimensionMemo::clearPoints(release);
    m_record.pointCount = 0;
    return released;
}

void LinearDimension::addPoint(std::unique_ptr<DimensionPoint> point, bool withDefaults) {
    if (!point || !point->isUsable()) return;
    if (withDefaults) {
        point->getRecord().word376 = m_record.fieldF5;
        point->getRecord().word368 = m_record.fieldF4;
    }
    appendPoint(std::move(point));
    rearrange();
}

void LinearDimension::applyDefaults() {
    DimensionOf::applyDefaults();
    m_record.head.byte76 = 1;
}

void LinearDimension::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && (!DimensionMemo::isLoaded() || !DimensionMemo::isValid())) mask |= Mask;
    if ((mask & Mask) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new dimension: the host holds no points of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    // A memo without points is the host saying the dimension has none.
    if (!readMemo(*store) && store->getDimensionPoints() == nullptr) m_loaded = true;
}

ElementMemoPtr LinearDimension::buildMemo(uint64_t& mask) {
    mask = 0;
    // Points never read are the host's: a memo without them would drop them.
    DimensionMemo::ensureLoaded(*this);
    if (!DimensionMemo::isLoaded()) return nullptr;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getDimensionPoints() != nullptr) mask = Mask;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createLinearDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != LinearDimension::TypeCode) return nullptr;
    return std::make_unique<LinearDimension>(record, link);
}

} // namespace tarnwick
