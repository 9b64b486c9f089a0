// The 3D bodies of one element: vertices, edges and faces per body, read either from the host's
// 3D database (an element of a drawing) or from an element of the 3D window's exported model.
// Shared between copies of an element; whoever holds the last pointer releases it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "Environment/NonCopyable.h"
#include "elements/Body.h"
#include "project/Element3DOwnership.h"
#include "project/ElementLink.h"

namespace ModelerAPI {
class Element;
class Model;
} // namespace ModelerAPI

namespace tarnwick {

class Drawing;
class Element;

using BodyDataList = std::vector<std::shared_ptr<Body::Data>>;

class Element3D : NonCopyable {
public:
    // A body index that stands for every body in the counts.
    static constexpr size_t AllBodies = 0x7fffffff;

    Element3D() = default;
    // The element's bodies as the host's 3D database holds them, read with the drawing (the
    // current one when null) made the host's current database. A body the host fails to hand out
    // whole is left out; without 3D info the object stays empty.
    explicit Element3D(const Element& element, Drawing* drawing = nullptr);
    // The exported model's element at the link's 3D index (a bad index gives no body); its Guid
    // goes into the link.
    Element3D(const Element3DLink& link, const ModelerAPI::Model& model);
    // No element: the list is used in place of any read.
    explicit Element3D(std::shared_ptr<BodyDataList> bodies);
    virtual ~Element3D() = default;

    bool isEmpty() const { return getBodyCount() == 0; }
    size_t getBodyCount() const;
    // Of one body, or with AllBodies the sum over every body.
    size_t getVertexCount(size_t body) const;
    size_t getEdgeCount(size_t body) const;
    size_t getFaceCount(size_t body) const;
    CadPoint getVertex(size_t body, size_t index) const { return getBody(body).getVertex(index); }
    Edge::Data getEdge(size_t body, size_t index) const { return getBody(body).getEdge(index); }
    Face getFace(size_t body, size_t index) const { return getBody(body).getFace(index); }
    // std::out_of_range past the end.
    Body getBody(size_t index) const;
    // A new box of all bodies; null without bodies.
    std::unique_ptr<Cube> getBounds() const;

    const Element3DLink& getLink() const { return m_link; }
    // Where pens and materials of the bodies are looked up: this one, else the element's
    // drawing's, else the project's.
    void setSpecification(Specification* specification) { m_specification = specification; }
    // The stored bodies in use: the replacement list when there is one.
    const BodyDataList* getBodyList() const { return m_replacement ? m_replacement.get() : m_bodies.get(); }
    std::unique_ptr<Element3D> clone() const;

private:
    Specification* resolver() const;
    void fillEdgeFaces();

    Element3DLink m_link;
    std::shared_ptr<ModelerAPI::Element> m_modelElement;
    std::shared_ptr<BodyDataList> m_bodies;
    std::shared_ptr<BodyDataList> m_replacement;
    Specification* m_specification = nullptr;
};

} // namespace tarnwick
