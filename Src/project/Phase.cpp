#include "project/Phase.h"

#include "Environment/Host.h"

namespace tarnwick {

namespace {
// The phase names follow the alert and layer texts of the list: phase N is item 22 + N.
constexpr uint32_t firstPhaseItem = 22;
constexpr uint32_t lastPhase = 25;
} // namespace

Phase::Phase(const AttributeLink& link) : Attribute(link, AttrNone) {
    m_header.index = link.getIndex16();
}

String Phase::getName() const {
    uint32_t index = getIndex();
    if (index < 1 || index > lastPhase) return String();
    return Host::getResourceString(Host::FrameworkTexts, firstPhaseItem + index);
}

} // namespace tarnwick
