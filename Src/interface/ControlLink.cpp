#include "interface/ControlLink.h"

#include "interface/InterfacePanel.h"

namespace tarnwick {

ControlLink::ControlLink(uint16_t itemId, InterfacePanel* panel)
    : m_itemId(itemId), m_panel(panel), m_serial(panel != nullptr ? panel->getSerial() : 0) {}

void ControlLink::setPanel(InterfacePanel* panel) {
    m_panel = panel;
    m_serial = panel != nullptr ? panel->getSerial() : 0;
}

uint16_t ControlLink::getPanelId() const {
    return m_panel != nullptr ? m_panel->getPanelId() : 0;
}

} // namespace tarnwick
