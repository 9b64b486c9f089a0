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
} // namespace

Window::Window(const ComponentLink& component) : Joinery(newWindowLink(), component) {
    (void)resetToDefaults(); // a host without defaults leaves the zeroed window of the part
}

Window::Window() : Joinery(newWindowLink(), ComponentLink()) {
    (void)record().resetToDefaults(*this); // a host without defaults leaves the zeroed window
    setComponentLink(ComponentLink(getOpeningRecord().libIndex, ComponentKind, nullptr), true, true);
}

Window::Window(const API_Element& record, const ElementLink& link)
    : Joinery(record, link, windowPartOf(record)) {}

void Window::setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) {
    setKindedLink(link, ComponentKind, resetSizes, loadParameters);
}

bool Window::resetToDefaults() {
    const bool ok = record().resetToDefaults(*this);
    // The defaults name the default window's part: a window of another part stays one.
    if (getComponentLink().isValid()) editOpeningRecord().libIndex = getComponentLink().getIndex();
    return ok;
}

std::unique_ptr<Element> createWindow(const API_Element& record, ElementLink& link) {
    return createOfType<Window>(record, link);
}

} // namespace tarnwick
