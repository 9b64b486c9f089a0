#include "construction/Window.h"

#include "construction/ConstructionHelpers.h"

namespace tarnwick {

namespace {
ElementLink newWindowLink() {
    return ElementLink(ElementLink::makeTypeId(Window::TypeCode), nullptr, 0);
}

ComponentLink windowPartOf(const API_Element& record) {
    return ComponentLink(ConstructionRecord<HostJoineryElement>(record).part().opening.libIndex,
                         Window::ComponentKind, nullptr);
}

double windowQuantity(const Element& window, size_t offset) {
    return quantityField(window.getLink(), offset);
}
} // namespace

Window::Window(const ComponentLink& component) : Joinery(newWindowLink(), component) {
    (void)resetToDefaults();
}

Window::Window() : Joinery(newWindowLink(), ComponentLink()) {
    (void)record().resetToDefaults(*this);
    setComponentLink(ComponentLink(getOpeningRecord().libIndex, ComponentKind, nullptr), true, true);
}

Window::Window(const API_Element& record, const ElementLink& link)
    : Joinery(record, link, windowPartOf(record)) {}

void Window::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    const uint32_t kind = link.getType() == 0 ? ComponentKind : link.getType();
    if (kind != ComponentKind) return;
    Opening::setComponentLink(ComponentLink(link.getIndex(), kind, link.getLibrary()), resetSizes,
                              loadParameters);
}

bool Window::resetToDefaults() {
    const bool ok = record().resetToDefaults(*this);
    // The defaults name the default window's part: a window of another part stays one.
    if (getComponentLink().isValid()) editOpeningRecord().libIndex = getComponentLink().getIndex();
    return ok;
}

double Window::getOpeningMeasure1() const {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, openingMeasure1));
}
double Window::getOpeningMeasure2() const {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, openingMeasure2));
}
double Window::getMeasureA() const {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, measure1));
}
double Window::getMeasureB() const {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, measure2));
}
double Window::getMeasureD() {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, measure5));
}
double Window::getMeasureE() {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, measure6));
}
double Window::getSurfaceArea() {
    return windowQuantity(*this, offsetof(HostOpeningQuantities, measure4));
}

std::unique_ptr<Element> createWindow(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Window::TypeCode) return nullptr;
    return std::make_unique<Window>(record, link);
}

} // namespace tarnwick
