#include "construction/Joinery.h"

#include <cmath>

#include "construction/Wall.h"
#include "geometry/CadArc.h"
#include "project/Attribute.h"
#include "project/Drawing.h"

namespace tarnwick {

namespace {
// Reference-line position that puts the wall's reference line on its centre.
constexpr uint32_t CentredReferenceLine = 1;

// The place of an opening of the width at the position along a curved centre line; false when the
// opening does not fit the circle.
bool spanOnArc(PolyEdge& span, double wallValue, double width, double position, bool flagsEqual,
               uint32_t referenceLinePosition) {
    const CadArc arc = span.getArc();
    double radius = arc.getRadius();
    const double a = position / radius;
    double t = 0.0;
    if (referenceLinePosition != CentredReferenceLine) {
        t = -wallValue;
        if (arc.getSweep() > 0.0) t = -t;
        if (flagsEqual) {
            radius += t;
            t = -t;
        }
    }
    const double onRadius = radius + t / 2.0;
    // asin has no answer past the diameter, and a circle needs a radius.
    if (radius <= 0.0 || onRadius <= 0.0 || width > 2.0 * radius) return false;
    const double half = std::asin(width / (2.0 * radius));
    const CadArc placed(arc.getCentre(), onRadius, 2.0 * half, arc.getStartAngle() + a - half);
    span = PolyEdge(placed.getStartPoint(), placed.getEndPoint());
    return true;
}
} // namespace

Joinery::Joinery(const ElementLink& link, const ComponentLink& component) : Opening(link, component) {}

Joinery::Joinery(const API_Element& record, const ElementLink& link, const ComponentLink& component)
    : Opening(link, component), m_record(record) {}

uint32_t Joinery::partIndexOf(const API_Element& record) const {
    return ConstructionRecord<HostJoineryElement>(record).part().opening.libIndex;
}

ElementLink Joinery::getOwnerLink() const {
    return ElementLink(Guid(m_record.part().ownerGuid), getDrawing());
}

std::unique_ptr<Wall> Joinery::getOwnerWall() const {
    return fetchOnDrawingAs<Wall>(*this, m_record.part().ownerGuid);
}

void Joinery::setKindedLink(const ComponentLink& link, uint32_t kind, bool resetSizes, bool loadParameters) {
    // Kind 0 stands for the joinery's own kind; a part of another kind is refused.
    const uint32_t given = link.getType() == 0 ? kind : link.getType();
    if (given != kind) return;
    Opening::setComponentLink(ComponentLink(link.getIndex(), kind, link.getLibrary()), resetSizes,
                              loadParameters);
}

bool Joinery::getSpan(PolyEdge& span, double& wallValue) const {
    std::unique_ptr<Wall> wall = getOwnerWall();
    if (!wall) return false;
    wall->getCenterLine(span);
    wallValue = wall->getThickness();
    const double width = getOpeningWidth();
    const double position = getWallPosition();
    if (std::fabs(span.getArcAngle()) <= kTolerance) {
        span.movePolar(position - width / 2.0, span.getAngle());
        span.lengthenBy(width - span.getPlanLength());
    } else if (!spanOnArc(span, wallValue, width, position, getJoineryFlag(0) == getJoineryFlag(2),
                          wall->getReferenceLinePosition())) {
        return false;
    }
    span += CadPoint(0.0, 0.0, getRelativeElevation());
    return true;
}

void Joinery::getReferencePoint(CadPoint& point) const {
    PolyEdge span;
    double wallValue = 0.0;
    if (!getSpan(span, wallValue)) {
        point = CadPoint();
        return;
    }
    span.offset(-wallValue / 2.0);
    point = span.getStartPoint();
}

double Joinery::getAngle() const {
    PolyEdge span;
    double wallValue = 0.0;
    if (!getSpan(span, wallValue)) return 0.0;
    return span.getStartPoint().getAngle(span.getEndPoint());
}

double Joinery::getElevation(bool absolute) const {
    const double relative = getRelativeElevation();
    if (std::unique_ptr<Wall> wall = getOwnerWall()) return relative + wall->getElevation(absolute);
    return storeyElevation(*this, relative, absolute);
}

void Joinery::setAttributeChoice(uint32_t kind, const Attribute* attribute) {
    m_record.part().attributeChoice = kind;
    if ((kind == 1 || kind == 3) && attribute != nullptr)
        m_record.part().attributeIndex = static_cast<uint16_t>(attribute->getIndex16());
}

uint32_t Joinery::getAttributeChoice(uint16_t& index) const {
    const uint32_t kind = m_record.part().attributeChoice;
    if (kind == 1 || kind == 3) index = m_record.part().attributeIndex;
    return kind;
}

} // namespace tarnwick
