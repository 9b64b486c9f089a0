#include "elements/Element3D.h"

namespace tarnwick {

namespace {
void extendBy(std::unique_ptr<Cube>& box, const CadPolygon& polygon) {
    std::unique_ptr<Cube> part = polygon.getBounds();
    if (!part) return;
    if (box)
        box->merge(*part);
    else
        box = std::move(part);
}
} // namespace

bool Body::getFacePolygons(size_t index, CadPolygon& out, bool) const {
    if (index >= m_faces.size()) return false;
    out = m_faces[index].getOutline();
    return true;
}

std::unique_ptr<Cube> Body::getBounds() const {
    std::unique_ptr<Cube> box;
    for (const Face& face : m_faces)
        extendBy(box, face.getOutline());
    return box;
}

Element3D::Element3D(const Element&) {}

std::unique_ptr<Cube> Element3D::getBounds() const {
    std::unique_ptr<Cube> box;
    for (const Body& body : m_bodies) {
        std::unique_ptr<Cube> part = body.getBounds();
        if (!part) continue;
        if (box)
            box->merge(*part);
        else
            box = std::move(part);
    }
    return box;
}

} // namespace tarnwick
