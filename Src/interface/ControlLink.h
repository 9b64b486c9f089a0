// Names the item an interface event comes from: an item id and the panel it belongs to.
#pragma once

#include <cstdint>

namespace DG {
class Item;
}

namespace tarnwick {

class InterfacePanel;

class ControlLink {
public:
    // Item 0 is the panel itself.
    ControlLink(uint16_t itemId = 0, InterfacePanel* panel = nullptr);
    // The host item's id and the registered panel of its host panel (none when not registered).
    explicit ControlLink(const DG::Item& item);
    ControlLink(const ControlLink&) = default;
    ControlLink& operator=(const ControlLink&) = default;
    virtual ~ControlLink() = default;

    uint16_t getItemId() const { return m_itemId; }
    void setItemId(uint16_t itemId) { m_itemId = itemId; }
    InterfacePanel* getPanel() const { return m_panel; }
    void setPanel(InterfacePanel* panel);
    // The panel's host panel id; 0 without a panel.
    uint16_t getPanelId() const;

    bool operator==(const ControlLink& other) const {
        return m_itemId == other.m_itemId && m_panel == other.m_panel;
    }
    bool operator!=(const ControlLink& other) const { return !(*this == other); }
    // By item id, then by the panel's serial, so that links of two panels never meet as keys. The
    // serial is taken when the panel is set: ordering never reaches into a panel that has gone.
    bool operator<(const ControlLink& other) const {
        return m_itemId != other.m_itemId ? m_itemId < other.m_itemId : m_serial < other.m_serial;
    }

private:
    uint16_t m_itemId;
    InterfacePanel* m_panel;
    uint32_t m_serial;
};

} // namespace tarnwick
