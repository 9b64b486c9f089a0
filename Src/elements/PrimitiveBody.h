// An element's 3D bodies as one drawing primitive. Moving it moves its own position, which is
// added to what it reports of the bodies; the bodies themselves are shared and stay untouched.
#pragma once

#include <memory>

#include "elements/Element3D.h"
#include "elements/Primitive.h"

namespace tarnwick {

class PrimitiveBody : public CadPoint, public Primitive {
public:
    // Pen 1, line type 1, head flag 0; at the origin. The bodies may be null.
    PrimitiveBody(std::shared_ptr<Element3D> bodies, bool in2D, bool in3D);

    const std::shared_ptr<Element3D>& getElement3D() const { return m_bodies; }
    const CadPoint& getPosition() const { return *this; }

    void offset(const CadPoint& vector) override { *this += vector; }
    bool isHit(const CadPoint&, double) const override { return false; }
    // The bodies' box at the primitive's position; null without bodies.
    std::unique_ptr<Cube> getBounds() const override;
    // Each body's vertices (at the primitive's position), edges, distinct face normals, faces
    // and the body itself; numbers 1-based within the body.
    bool write3DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                       uint16_t indent) const override;

private:
    std::shared_ptr<Element3D> m_bodies;
};

} // namespace tarnwick
