#include "construction/Roof.h"

#include <cmath>

#include "construction/ConstructionHelpers.h"
#include "elements/ElementFactory.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
constexpr double VerticalTolerance = 1e-5;
} // namespace

Roof::Roof() {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed roof
}

Roof::Roof(const ElementLink& link, const API_Element& record) : Shelter(link, record) {}

Roof::Roof(const ElementLink& link, const API_Element& record, const API_ElementMemo& memo,
           const HostElementPartId& partId)
    : Shelter(link, record), m_partId(partId) {
    // The block is the host's for the call only: the store reads it and frees nothing (it takes a
    // block it could write, which this one never is).
    ElementMemoStore store(const_cast<API_ElementMemo*>(&memo));
    store.setReleased(true);
    (void)readMemo(store); // an outline that cannot be read leaves the plane without one
}

Roof::Roof(const Roof& other) : Shelter(other), m_partId(other.m_partId) {}

Roof::~Roof() = default;

std::unique_ptr<API_Element> Roof::buildRecord() const {
    return buildWithOutlineCounts(m_record, *this, getLink());
}

void Roof::setShelterValue(double value) {
    const double cosine = std::cos(getSlopeAngle());
    if (std::fabs(cosine) <= VerticalTolerance) return;
    Shelter::setShelterValue(value / cosine);
}

Line Roof::getPivotLine() const {
    const HostShelterElement& part = m_record.part();
    return Line(part.pivotBegin, part.pivotEnd, getElevation(true));
}

void Roof::setPivotLine(const Line& line) {
    HostShelterElement& part = m_record.part();
    part.pivotBegin = line.getStartPoint().getCoord2D();
    part.pivotEnd = line.getEndPoint().getCoord2D();
    setElevation(line.getStartPoint().getZ(), true);
}

Plane Roof::getRoofPlane() const {
    const Line pivot = getPivotLine();
    const double length = pivot.getPlanLength();
    if (!(length > 0.0)) return Plane(pivot.getStartPoint(), Vector3(0.0, 0.0, 1.0));
    const double dx = (pivot.getEndPoint().getX() - pivot.getStartPoint().getX()) / length;
    const double dy = (pivot.getEndPoint().getY() - pivot.getStartPoint().getY()) / length;
    // Up the slope is (-dy, dx); the normal leans away from it by the slope angle.
    const double slope = m_record.part().slopeAngle;
    return Plane(pivot.getStartPoint(),
                 Vector3(dy * std::sin(slope), -dx * std::sin(slope), std::cos(slope)));
}

bool Roof::resetToDefaults() {
    m_partId = HostElementPartId();
    return m_record.resetToDefaults(*this);
}

std::unique_ptr<Element> createRoof(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Roof::TypeCode || recordSubKind(record) != Roof::RoofClass) return nullptr;
    return std::make_unique<Roof>(link, record);
}

} // namespace tarnwick
