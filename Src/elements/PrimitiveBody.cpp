#include "elements/PrimitiveBody.h"

#include <utility>

namespace tarnwick {

PrimitiveBody::PrimitiveBody(std::shared_ptr<Element3D> bodies, bool in2D, bool in3D)
    : Primitive(0, 1, PlainLineType, in2D, in3D), m_bodies(std::move(bodies)) {}

std::unique_ptr<Cube> PrimitiveBody::getBounds() const {
    if (!m_bodies) return nullptr;
    std::unique_ptr<Cube> box = m_bodies->getBounds();
    if (box) *box += getPosition();
    return box;
}

} // namespace tarnwick
