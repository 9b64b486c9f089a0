#include "elements/Element3D.h"

#include <stdexcept>

#include "Environment/Host.h"
#include "platform/modeler/Model.h"
#include "project/Drawing.h"

namespace tarnwick {

namespace {
// The 3D window reaches the exported form through these; installed whenever this file is linked.
const bool hooksInstalled = (installElement3DHooks(Element3DHooks{
                                 [](Element3D* item) noexcept { delete item; },
                                 [](const Element3DLink& link, const ModelerAPI::Model& model) {
                                     return std::make_unique<Element3D>(link, model);
                                 },
                                 [](const Element3D& item) { return item.clone(); },
                                 [](const Element3D& item) -> const Element3DLink& { return item.getLink(); },
                             }),
                             true);

template <class Count> size_t summed(const Element3D& model, size_t body, Count count) {
    if (body != Element3D::AllBodies) return count(model.getBody(body));
    size_t sum = 0;
    for (size_t index = model.getBodyCount(); index-- > 0;)
        sum += count(model.getBody(index));
    return sum;
}
} // namespace

Element3D::Element3D(const Element3DLink& link, const ModelerAPI::Model& model) : m_link(link) {
    auto element = std::make_shared<ModelerAPI::Element>();
    const uint32_t index = link.getIndex3D();
    if (index >= uint32_t(model.GetElementCount()) || !model.GetElement(int32_t(index) + 1, element.get()))
        return;
    m_link.setGuid(Guid(element->GetElemGuid()), link.getDrawing());
    m_modelElement = std::move(element);
}

Element3D::Element3D(std::shared_ptr<BodyDataList> bodies)
    : m_link(ElementLink(), nullptr, Element3DLink::NoIndex), m_replacement(std::move(bodies)) {}

size_t Element3D::getBodyCount() const {
    if (m_modelElement) return size_t(m_modelElement->GetMeshBodyCount());
    const BodyDataList* list = getBodyList();
    return list != nullptr ? list->size() : 0;
}

size_t Element3D::getVertexCount(size_t body) const {
    return summed(*this, body, [](const Body& b) { return b.getVertexCount(); });
}

size_t Element3D::getEdgeCount(size_t body) const {
    return summed(*this, body, [](const Body& b) { return b.getEdgeCount(); });
}

size_t Element3D::getFaceCount(size_t body) const {
    return summed(*this, body, [](const Body& b) { return b.getFaceCount(); });
}

Body Element3D::getBody(size_t index) const {
    if (m_modelElement) {
        auto mesh = std::make_shared<ModelerAPI::MeshBody>();
        if (index >= size_t(m_modelElement->GetMeshBodyCount()) ||
            !m_modelElement->GetMeshBody(int32_t(index) + 1, mesh.get()))
            throw std::out_of_range("invalid vector<T> subscript");
        return Body(std::shared_ptr<const ModelerAPI::MeshBody>(std::move(mesh)), resolver());
    }
    const BodyDataList* list = getBodyList();
    if (list == nullptr) throw std::out_of_range("invalid vector<T> subscript");
    return Body(std::shared_ptr<const Body::Data>(entryAt(*list, index)), resolver());
}

std::unique_ptr<Cube> Element3D::getBounds() const {
    std::unique_ptr<Cube> box;
    for (size_t index = getBodyCount(); index-- > 0;) {
        std::unique_ptr<Cube> part = getBody(index).getBounds();
        if (!part) continue;
        if (box)
            box->merge(*part);
        else
            box = std::move(part);
    }
    return box;
}

Specification* Element3D::resolver() const {
    if (m_specification != nullptr) return m_specification;
    if (Drawing* drawing = m_link.getDrawing())
        if (Specification* own = drawing->getSpecification()) return own;
    return Host::getSpecification();
}

std::unique_ptr<Element3D> Element3D::clone() const {
    auto copy = std::make_unique<Element3D>();
    copy->m_link = m_link;
    copy->m_modelElement = m_modelElement;
    copy->m_bodies = m_bodies;
    copy->m_replacement = m_replacement;
    copy->m_specification = m_specification;
    return copy;
}

} // namespace tarnwick
