// The 3D data of one element: its bodies, each a list of planar faces with a normal and an
// outline. Shared between copies of an element; whoever holds the last pointer releases it. An
// element of the 3D window's exported model is made from its link and that model.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "Environment/NonCopyable.h"
#include "geometry/CadPolygon.h"
#include "geometry/Cube.h"
#include "geometry/Vector3.h"
#include "project/Element3DOwnership.h"
#include "project/ElementLink.h"

namespace ModelerAPI {
class MeshBody;
}

namespace tarnwick {

class Element;

class Face {
public:
    Face(const Vector3& normal, const CadPolygon& outline) : m_normal(normal), m_outline(outline) {}
    const Vector3& getNormal() const { return m_normal; }
    const CadPolygon& getOutline() const { return m_outline; }

private:
    Vector3 m_normal;
    CadPolygon m_outline;
};

class Body {
public:
    Body() = default;
    // A face per polygon: its normal and the outline of its edges' start vertices in the polygon's
    // direction; a polygon without a usable edge gives none.
    explicit Body(const ModelerAPI::MeshBody& mesh);

    size_t getFaceCount() const { return m_faces.size(); }
    // std::out_of_range past the end.
    const Face& getFace(size_t index) const { return m_faces.at(index); }
    // Replaces out by the face's outline (flag: reserved); false for an index past the end.
    bool getFacePolygons(size_t index, CadPolygon& out, bool flag = false) const;
    void addFace(Face face) { m_faces.push_back(std::move(face)); }
    // A new box of every face vertex; null without vertices.
    std::unique_ptr<Cube> getBounds() const;

private:
    std::vector<Face> m_faces;
};

class Element3D : NonCopyable {
public:
    Element3D() = default;
    // The element's bodies as the host models them. The host hands the module no 3D bodies yet,
    // so an element's model starts empty.
    explicit Element3D(const Element& element);
    // The exported model's element at the link's 3D index (a bad index gives no body); its Guid
    // goes into the link.
    Element3D(const Element3DLink& link, const ModelerAPI::Model& model);
    virtual ~Element3D() = default;

    bool isEmpty() const { return m_bodies.empty(); }
    size_t getBodyCount() const { return m_bodies.size(); }
    // std::out_of_range past the end.
    const Body& getBody(size_t index) const { return m_bodies.at(index); }
    void addBody(Body body) { m_bodies.push_back(std::move(body)); }
    // A new box of all bodies; null without bodies.
    std::unique_ptr<Cube> getBounds() const;
    const Element3DLink& getLink() const { return m_link; }
    std::unique_ptr<Element3D> clone() const;

private:
    Element3DLink m_link;
    std::vector<Body> m_bodies;
};

} // namespace tarnwick
