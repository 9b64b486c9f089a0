// A host dialog-manager panel as the framework sees it: it owns its controls, observes their host
// items, and routes every control event to the control first and then to its own subscribers.
// Every panel is in one module-wide registry by serial.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "Environment/Publisher.h"
#include "geometry/ScreenPoint.h"
#include "geometry/ScreenRect.h"
#include "interface/ControlObserver.h"
#include "interface/EventFactory.h"
#include "interface/InterfaceEvent.h"

namespace DG {
class Panel;
}

namespace tarnwick {

class DialogControl;
class InterfacePanelObserver;

class InterfacePanel : public Publisher {
public:
    static constexpr uint32_t GenericObserverCode = fourCC("ALLC");

    explicit InterfacePanel(uint16_t resourceId, bool restoreSize = false);
    ~InterfacePanel() override;

    virtual uint16_t getPanelId() const { return m_panelId; }
    // The panel this one belongs to (a tab page's dialog); none here.
    virtual InterfacePanel* getOwnerPanel() const { return nullptr; }
    virtual ScreenPoint getClientSize(short sizeKind) const;
    virtual ScreenPoint getMinimumSize(uint32_t coordinateSpace) const;
    virtual ScreenPoint getPosition(uint32_t coordinateSpace) const;
    // Only while open; the point's own coordinate space says client or frame.
    virtual void setSize(const ScreenPoint& size, short anchor);
    virtual void enableDragAndDrop();
    virtual void close() {}
    // Routes a control event: to the control of its item, then to the panel's subscribers.
    virtual bool handleEvent(Event& event);
    // handleEvent for a notification of the host's dialog manager, into which nothing may
    // unwind: an exception is reported as every call from the host reports it, and answers false.
    bool handleHostNotice(Event& event) noexcept;
    virtual void initialise() {} // makes the controls, each time the panel opens
    virtual void opened() {}
    virtual void refresh() {} // after every action and item event
    // Closing was requested; a hook keeps the panel open by answering ItemMessage(0).
    virtual void accepted(ActionEvent&) {}
    virtual void cancelled(ActionEvent&) {}
    virtual void closed() {}
    // Deletes the controls and forgets the host panel id; safe to run more than once.
    virtual void releaseControls();
    virtual DG::Panel* getHostPanel() const = 0;
    // Makes and observes the host items of controls not yet attached.
    virtual void attachObservers();

    bool isOpen() const { return getPanelId() != 0; }
    void setMinimumSize(const ScreenPoint& size, uint32_t coordinateSpace);
    void redraw();
    void setFocus();
    DialogControl* findControl(uint16_t itemId) const;
    // The item's control as T: the panel owns it, so it is looked up rather than kept. Null while
    // the panel has no such control (before its controls are made, after they are released) and
    // for a control of another class.
    template <class T> T* findControlAs(uint16_t itemId) const {
        return dynamic_cast<T*>(findControl(itemId));
    }
    // The panel takes the control (made with new); a control already listed is ignored.
    void addControl(DialogControl* control);
    // Deletes the first control of the item. Inside event handling the control lives on until the
    // outermost handling returns, so a handler may delete the control that sent its event.
    void deleteControl(uint16_t itemId);
    const std::vector<std::unique_ptr<DialogControl>>& getControls() const { return m_controls; }
    // Appends the registered panels owned by this one; true when it appended any.
    bool collectChildPanels(std::vector<InterfacePanel*>& children) const;
    ScreenRect getMonitorRect() const;
    // The host panel's scale factor; 1 without a host panel.
    double getScaleFactor() const;

    uint32_t getSerial() const { return m_serial; }
    uint16_t getResourceId() const { return m_resourceId; }
    bool getRestoreSize() const { return m_restoreSize; }
    const std::shared_ptr<InterfacePanelObserver>& getObserver() const { return m_observer; }
    bool hasObserverFor(uint32_t typeCode) const { return m_observersByType.count(typeCode) != 0; }
    ControlObserver* getObserverFor(uint32_t typeCode) const;
    bool isAttached(uint16_t itemId) const { return m_attachedItems.count(itemId) != 0; }

    // Pixels to panel units and back: floor(v / scale + 0.5) and floor(v * scale + 0.5).
    static int16_t toUnits(double pixels, double scale);
    static int16_t toPixels(double units, double scale);

    // The registry; none when the module has not started.
    static InterfacePanel* findBySerial(uint32_t serial);
    static InterfacePanel* findByPanelId(uint16_t panelId);
    static std::vector<uint32_t> getSerials();

    static GSErrCode initialiseModule();
    static GSErrCode terminateModule();
    static void registerEventFactory(uint16_t code, EventFactory factory);
    static std::unique_ptr<InterfaceEvent> makeEvent(uint16_t code, const ControlLink& link, uint64_t data);

    // Keeps something alive until the outermost event handling returns (at once outside one).
    static void deferRelease(std::shared_ptr<void> keep);
    static bool isHandlingEvent();

protected:
    // Expires when the panel is destroyed: handling that may delete the panel checks it.
    std::weak_ptr<const bool> aliveToken() const { return m_alive; }
    void setPanelId(uint16_t panelId) { m_panelId = panelId; }
    void setObserver(std::shared_ptr<InterfacePanelObserver> observer) { m_observer = std::move(observer); }
    std::shared_ptr<InterfacePanelObserver> takeObserver() { return std::move(m_observer); }

private:
    bool hasControl(const DialogControl* control) const;
    void discardControls();

    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
    std::shared_ptr<InterfacePanelObserver> m_observer;
    std::vector<std::unique_ptr<DialogControl>> m_controls;
    std::map<uint32_t, std::unique_ptr<ControlObserver>> m_observersByType;
    std::set<uint16_t> m_attachedItems;
    uint32_t m_serial;
    uint16_t m_resourceId;
    uint16_t m_panelId = 0;
    bool m_restoreSize;
};

} // namespace tarnwick
