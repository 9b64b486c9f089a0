#include "elements/Dimensions.h"

namespace tarnwick {

void AngularDimension::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.points[0].point.x, m_record.points[0].point.y, 0.0);
}

void AngularDimension::setReferencePoint(const CadPoint& point) {
    const double dx = point.getX() - m_record.points[0].point.x;
    const double dy = point.getY() - m_record.points[0].point.y;
    for (HostAngularPoint& each : m_record.points) {
        each.point.x += dx;
        each.point.y += dy;
    }
    m_record.points[0].point = point.getCoord2D(); // exactly there, whatever the rounding
}

std::unique_ptr<Element> createRadialDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != RadialDimension::TypeCode) return nullptr;
    return std::make_unique<RadialDimension>(record, link);
}

std::unique_ptr<Element> createLevelDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != LevelDimension::TypeCode) return nullptr;
    return std::make_unique<LevelDimension>(record, link);
}

std::unique_ptr<Element> createAngularDimension(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != AngularDimension::TypeCode) return nullptr;
    return std::make_unique<AngularDimension>(record, link);
}

} // namespace tarnwick
