#include "annotation/XMLPoint.h"

#include <cmath>

#include "persistence/XMLTypeProxy.h"

namespace zavlink {

using namespace tarnwick;

namespace {
constexpr const char* PointMembers[] = {"x", "y", "z", "sweep"};
constexpr const char* BoxMembers[] = {"origin", "end"};
} // namespace

XMLPoint::XMLPoint(PolyPoint& target, const String& elementName)
    : XMLAssembly(elementName), m_target(target), m_x(target.getX()), m_y(target.getY()), m_z(target.getZ()),
      m_sweep(target.getArcAngle()) {}

std::unique_ptr<XMLShipping> XMLPoint::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly || index >= getFieldCount()) return nullptr;
    double* fields[] = {&m_x, &m_y, &m_z, &m_sweep};
    auto proxy = std::make_unique<XMLTypeProxy<double>>(fields[index], String(PointMembers[index]));
    if (index >= 2) proxy->setEnabled(std::fabs(*fields[index]) > WriteTolerance);
    return proxy;
}

bool XMLPoint::afterRead() {
    m_target.setX(m_x);
    m_target.setY(m_y);
    m_target.setZ(m_z);
    m_target.setArcAngle(m_sweep);
    return true;
}

void XMLPoint::reset() {
    m_x = m_y = m_z = m_sweep = 0.0;
}

XMLBox::XMLBox(Cube& target, const String& elementName)
    : XMLAssembly(elementName), m_target(target), m_origin(target.getFirstCorner()),
      m_end(target.getSecondCorner()) {}

std::unique_ptr<XMLShipping> XMLBox::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly || index >= getFieldCount()) return nullptr;
    return std::make_unique<XMLPoint>(index == 0 ? m_origin : m_end, String(BoxMembers[index]));
}

bool XMLBox::afterRead() {
    m_target.setFirstCorner(m_origin);
    m_target.setSecondCorner(m_end);
    m_target.normalise();
    return true;
}

void XMLBox::reset() {
    m_target = Cube();
    m_origin = PolyPoint();
    m_end = PolyPoint();
}

} // namespace zavlink
