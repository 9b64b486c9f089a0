#include "construction/CurtainWallParts.h"

#include <cstddef>

#include "construction/ConstructionHelpers.h"

namespace tarnwick {

CadPoint linePoint(const HostCoord2D& point) {
    return CadPoint(point, 0.0);
}

double CurtainWallPanel::getSurfaceArea() {
    return quantityField(getLink(), offsetof(HostPanelQuantities, measure4));
}

String CurtainWallPanel::getName() const {
    const HostCurtainWallPanel& panel = m_record.part();
    return String(panel.name, sizeof panel.name);
}

std::unique_ptr<Element> createCurtainWallFrame(const API_Element& record, ElementLink& link) {
    return createOfType<CurtainWallFrame>(record, link);
}

std::unique_ptr<Element> createCurtainWallPanel(const API_Element& record, ElementLink& link) {
    return createOfType<CurtainWallPanel>(record, link);
}

std::unique_ptr<Element> createCurtainWallJunction(const API_Element& record, ElementLink& link) {
    return createOfType<CurtainWallJunction>(record, link);
}

std::unique_ptr<Element> createCurtainWallAccessory(const API_Element& record, ElementLink& link) {
    return createOfType<CurtainWallAccessory>(record, link);
}

} // namespace tarnwick
