#include "construction/CurtainWallParts.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"

namespace tarnwick {

namespace {

template <class Part> std::unique_ptr<Element> createPart(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Part::TypeCode) return nullptr;
    return std::make_unique<Part>(record, link);
}

} // namespace

CadPoint linePoint(const HostCoord2D& point) {
    return CadPoint(point, 0.0);
}

PolyEdge CurtainWallFrame::getReferenceLine() const {
    CadPoint begin;
    getReferencePoint(begin);
    return PolyEdge(begin, getEndVertex());
}

double CurtainWallPanel::getSurfaceArea() {
    return quantityField(getLink(), offsetof(HostPanelQuantities, measure4));
}

String CurtainWallPanel::getName() const {
    const HostCurtainWallPanel& panel = m_record.part();
    return String(panel.name, sizeof panel.name);
}

std::unique_ptr<Element> createCurtainWallFrame(const API_Element& record, ElementLink& link) {
    return createPart<CurtainWallFrame>(record, link);
}

std::unique_ptr<Element> createCurtainWallPanel(const API_Element& record, ElementLink& link) {
    return createPart<CurtainWallPanel>(record, link);
}

std::unique_ptr<Element> createCurtainWallJunction(const API_Element& record, ElementLink& link) {
    return createPart<CurtainWallJunction>(record, link);
}

std::unique_ptr<Element> createCurtainWallAccessory(const API_Element& record, ElementLink& link) {
    return createPart<CurtainWallAccessory>(record, link);
}

} // namespace tarnwick
