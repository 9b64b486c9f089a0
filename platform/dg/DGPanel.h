// The dialog manager's panels: modal dialogs and palettes built from a module's dialog resources,
// with their observers and notification events. Nothing is drawn; a scripted user drives the
// panels through DG::Desk.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DGTypes.h"
#include "platform/api/Resources.h"
#include "platform/gsroot/Guid.h"
#include "platform/gsroot/UniString.h"

namespace DG {

class Item;
class Panel;
struct PanelState;

class HOSTLIB_API PanelEvent {
public:
    explicit PanelEvent(Panel* source) : m_source(source) {}
    virtual ~PanelEvent() = default;
    Panel* GetSource() const { return m_source; }

private:
    Panel* m_source;
};

class HOSTLIB_API PanelOpenEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

// A close asked for by the add-on (PostCloseRequest) or by the user (OK, Cancel, the close box).
class HOSTLIB_API PanelCloseRequestEvent : public PanelEvent {
public:
    PanelCloseRequestEvent(Panel* source, bool accepted) : PanelEvent(source), m_accepted(accepted) {}
    // True when the close was asked for as acceptance (OK), false for cancel and the close box.
    bool IsAccepted() const { return m_accepted; }

private:
    bool m_accepted;
};

class HOSTLIB_API PanelCloseEvent : public PanelEvent {
public:
    PanelCloseEvent(Panel* source, bool accepted) : PanelEvent(source), m_accepted(accepted) {}
    bool IsAccepted() const { return m_accepted; }

private:
    bool m_accepted;
};

class HOSTLIB_API PanelResizeEvent : public PanelEvent {
public:
    PanelResizeEvent(Panel* source, bool userResize, short hGrow, short vGrow)
        : PanelEvent(source), m_userResize(userResize), m_hGrow(hGrow), m_vGrow(vGrow) {}
    bool IsUserResize() const { return m_userResize; }
    // The change of the client size, dialog units.
    short GetHorizontalChange() const { return m_hGrow; }
    short GetVerticalChange() const { return m_vGrow; }

private:
    bool m_userResize;
    short m_hGrow;
    short m_vGrow;
};

class HOSTLIB_API PanelDragEvent : public PanelEvent {
public:
    PanelDragEvent(Panel* source, Point target) : PanelEvent(source), m_target(target) {}
    // Where the drag is, on the screen, pixels.
    Point GetTargetPosition() const { return m_target; }

private:
    Point m_target;
};

class HOSTLIB_API PanelHotKeyEvent : public PanelEvent {
public:
    PanelHotKeyEvent(Panel* source, short keyId) : PanelEvent(source), m_keyId(keyId) {}
    short GetKeyId() const { return m_keyId; }

private:
    short m_keyId;
};

// Hears one or more panels. Detaches itself from every panel when destroyed. A user's resize sends
// PanelResizeEntered, PanelResizing, PanelResized and PanelResizeExited in this order; a size set
// by the add-on sends PanelResized alone.
class HOSTLIB_API PanelObserver {
public:
    PanelObserver() = default;
    PanelObserver(const PanelObserver&) = delete;
    PanelObserver& operator=(const PanelObserver&) = delete;
    virtual ~PanelObserver();

    virtual void PanelOpened(const PanelOpenEvent&) {}
    // `accepted` starts true; false keeps the panel open.
    virtual void PanelCloseRequested(const PanelCloseRequestEvent&, bool* /*accepted*/) {}
    virtual void PanelClosed(const PanelCloseEvent&) {}
    virtual void PanelResized(const PanelResizeEvent&) {}
    virtual void PanelResizeEntered(const PanelResizeEvent&) {}
    virtual void PanelResizing(const PanelResizeEvent&) {}
    virtual void PanelResizeExited(const PanelResizeEvent&) {}
    // Only for a panel that enabled drag and drop. `effect` starts at DragDrop::All and `handled`
    // at false; what they are afterwards goes back to the dragging side.
    virtual void PanelDragEntered(const PanelDragEvent&, DragDrop::Effect* /*effect*/, bool* /*handled*/) {}
    virtual void PanelDragMoved(const PanelDragEvent&, DragDrop::Effect* /*effect*/, bool* /*handled*/) {}
    virtual void PanelDropped(const PanelDragEvent&, DragDrop::Effect* /*effect*/, bool* /*handled*/) {}
    // `processed` starts false.
    virtual void PanelHotkeyPressed(const PanelHotKeyEvent&, bool* /*processed*/) {}

private:
    friend class Panel;
    std::vector<Panel*> m_panels;
};

// A panel of the dialog manager. Made from dialog resource `resId` of a module; a resource that is
// missing, unsound or of the other kind gives an invalid panel (GetId() 0) that refuses every
// call. Panels are usually held by shared pointers: a panel being notified is kept alive until
// the notification has been delivered, even when the add-on lets go of it meanwhile.
class HOSTLIB_API Panel : public std::enable_shared_from_this<Panel> {
public:
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    virtual ~Panel();

    // The panel's id, from 1; 0 for an invalid panel.
    short GetId() const;
    bool IsValid() const { return GetId() != 0; }
    short GetResourceId() const;
    GSResModule GetResourceModule() const;
    // The number of items the resource gives.
    short GetItemCount() const;
    // The item object the add-on made for `item` (the latest one alive), null when it made none.
    Item* GetItem(short item) const;
    // Pixels per dialog unit: the monitor's scale when the panel was made.
    double GetScaleFactor() const;
    // True from BeginEventProcessing or Invoke until the panel has closed.
    bool IsOpen() const;

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);

    void EnableDragAndDropEvent();
    bool IsDragAndDropEnabled() const;
    // A key the panel hears as PanelHotkeyPressed; answers its id (from 1), 0 for an invalid panel.
    short RegisterHotKey(short keyCode, short modifiers);
    void UnregisterHotKey(short keyId);

    // The headless state, for the dialog manager and the host that drives it.
    PanelState& State() const { return *m_state; }

protected:
    enum class Kind { Modal, Palette };
    Panel(GSResModule resModule, short resId, Kind kind);

private:
    friend class PanelObserver;
    std::unique_ptr<PanelState> m_state;
};

class HOSTLIB_API Dialog : public Panel {
public:
    // Pixels on the screen.
    Point GetClientPosition() const;
    Point GetFramePosition() const;
    void SetClientPosition(const Point& position);
    void SetFramePosition(const Point& position);
    GS::UniString GetTitle() const;
    void SetTitle(const GS::UniString& title);

protected:
    using Panel::Panel;
};

class HOSTLIB_API ModalDialog : public Dialog {
public:
    enum ModalResponse : short { Accept = 1, Cancel = 2 };

    ModalDialog(GSResModule dialResModule, short resId, GSResModule dialIconResModule);
    ~ModalDialog() override;

    // Runs the dialog: opens it, lets the user (the host's script) work in it, and answers true
    // when it closed accepted. False at once for an invalid or already running dialog.
    bool Invoke();
    // Asks for closing with Accept or Cancel; delivered after the notification being delivered.
    void PostCloseRequest(short response);
    // Closes the dialog without a close request; Invoke then answers false.
    void Abort();
};

class HOSTLIB_API ModelessBase : public Dialog {
public:
    // Opens the panel (it hears PanelOpened) without showing it.
    void BeginEventProcessing();
    // Closes the panel (it hears PanelClosed after the notification being delivered).
    void EndEventProcessing();
    void Show(short position = TopMost);
    void Hide();
    void Activate();
    bool IsVisible() const;
    bool IsActive() const;

protected:
    using Dialog::Dialog;
};

class HOSTLIB_API Palette : public ModelessBase {
public:
    Palette(GSResModule dialResModule, short resId, GSResModule dialIconResModule,
            const GS::Guid& guid = GS::Guid());
    ~Palette() override;
    const GS::Guid& GetGuid() const;

private:
    GS::Guid m_guid;
};

} // namespace DG
