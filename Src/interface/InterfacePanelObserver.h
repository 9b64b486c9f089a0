// The host panel observers of a framework panel. They find their panel by serial on every
// notification, so that a notification for a panel that has gone does nothing.
#pragma once

#include <cstdint>

#include "platform/dg/DGPanel.h"

namespace tarnwick {

class InterfacePanel;

// Resizing, drag and drop and hot keys, as events to the panel's handleEvent.
class InterfacePanelObserver : public DG::PanelObserver {
public:
    explicit InterfacePanelObserver(uint32_t serial) : m_serial(serial) {}
    uint32_t getSerial() const { return m_serial; }

    // Resized is phase 0; the start and the end of a user's resizing phases 1 and 2.
    void PanelResized(const DG::PanelResizeEvent& event) override { resize(event, 0); }
    void PanelResizeEntered(const DG::PanelResizeEvent& event) override { resize(event, 1); }
    void PanelResizeExited(const DG::PanelResizeEvent& event) override { resize(event, 2); }
    void PanelDragEntered(const DG::PanelDragEvent& event, DG::DragDrop::Effect* effect,
                          bool* handled) override {
        drop(event, 4, effect, handled);
    }
    void PanelDragMoved(const DG::PanelDragEvent& event, DG::DragDrop::Effect* effect,
                        bool* handled) override {
        drop(event, 5, effect, handled);
    }
    void PanelDropped(const DG::PanelDragEvent& event, DG::DragDrop::Effect* effect, bool* handled) override {
        drop(event, 7, effect, handled);
    }
    void PanelHotkeyPressed(const DG::PanelHotKeyEvent& event, bool* processed) override;

protected:
    InterfacePanel* findPanel() const;

private:
    void resize(const DG::PanelResizeEvent& event, uint16_t phase);
    void drop(const DG::PanelDragEvent& event, uint16_t message, DG::DragDrop::Effect* effect, bool* handled);

    uint32_t m_serial;
};

// Opening, close requests and closing of a Dialog, as calls of its hooks.
class DialogObserver : public InterfacePanelObserver {
public:
    using InterfacePanelObserver::InterfacePanelObserver;
    void PanelOpened(const DG::PanelOpenEvent& event) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) override;
    void PanelClosed(const DG::PanelCloseEvent& event) override;
};

} // namespace tarnwick
