// The dialog manager's desk: the panels alive, the delivery of their notifications, the screen
// they stand on, and the user who works in them (for the stand-in host, a scenario).
//
// Delivery: a notification raised while another is being delivered waits until that one has
// ended, and the panel concerned is kept alive (when a shared pointer holds it) until its
// notification has been delivered. A modal dialog's Invoke delivers on its own, as a nested
// event loop would: what was waiting outside waits until Invoke returns.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "DGTypes.h"
#include "platform/api/Resources.h"
#include "platform/gsroot/UniString.h"

namespace DG {

class ModalDialog;
class Panel;

class HOSTLIB_API Desk {
public:
    static Desk& Get();

    // --- The screen.
    // Pixels per dialog unit of panels made from now on; rounded to 1/100, at least 0.25.
    void SetScaleFactor(double scale);
    double GetScaleFactor() const { return m_scale; }
    void SetMonitorRect(const Rect& rect) { m_monitor = rect; }
    Rect GetMonitorRect() const { return m_monitor; }
    void SetMouse(const DGMousePosData& mouse) { m_mouse = mouse; }
    const DGMousePosData& GetMouse() const { return m_mouse; }

    // --- The user. The modal handler works in a modal dialog while Invoke runs; a dialog it leaves
    // open is aborted. Without a handler every modal dialog is aborted at once.
    using ModalHandler = std::function<void(ModalDialog&)>;
    ModalHandler SetModalHandler(ModalHandler handler);
    // Hands the dialog to the modal handler (ModalDialog::Invoke).
    void RunModal(ModalDialog& dialog);
    // Hears what happens on the desk, one line each: panels opened (title and items), closed,
    // and the user's actions.
    using Listener = std::function<void(const std::string& line)>;
    Listener SetListener(Listener listener);
    void Tell(const std::string& line) const;

    // --- Panels.
    Panel* FindPanel(short dialId) const;
    // Open panels, the front-most last.
    std::vector<Panel*> OpenPanels() const;
    void BringToFront(Panel& panel);
    // The open panel with this title, or with this resource id (a number); the latest opened.
    Panel* FindOpenPanel(const std::string& titleOrId) const;
    // "dialog "Title" (32600)", for messages.
    static std::string Describe(const Panel& panel);

    // --- What the user does. False, with why, when the user could not: the panel is not open,
    // the item is missing, hidden, disabled or of a kind that does not take it.
    // Each character goes through ItemCharEntered; a denied one is not inserted. An edit text hears
    // TextEditChanged after each character inserted.
    bool TypeText(Panel& panel, short item, const GS::UniString& text, std::string* why);
    // Replaces an edit text's text as a paste would: one TextEditChanged.
    bool SetText(Panel& panel, short item, const GS::UniString& text, std::string* why);
    bool Click(Panel& panel, short item, short modifiers, std::string* why);
    bool DoubleClick(Panel& panel, short item, short modifiers, std::string* why);
    // A user item uncovered, or otherwise in need of drawing: heard as UserItemUpdate, and what the
    // add-on draws becomes the item's picture. The panel must be on screen and the item visible.
    bool UpdateUserItem(Panel& panel, short item, std::string* why);
    // A check box to the given state; CheckItemChanged when it changed.
    bool Tick(Panel& panel, short item, bool on, std::string* why);
    // The close box: a close request that is not acceptance.
    bool CloseBox(Panel& panel, std::string* why);
    // A user's resize of a growable panel by a change of its client size.
    bool Resize(Panel& panel, short hGrow, short vGrow, std::string* why);
    bool PressHotKey(Panel& panel, short keyId, std::string* why);
    // A drag entering, moving over and dropping at `target` (pixels); answers the drop's effect
    // and whether the panel handled it.
    bool DragAndDrop(Panel& panel, Point target, DragDrop::Effect* effect, bool* handled, std::string* why);

    // A click on a tree item of a tree view: alone it becomes the only item selected; with
    // command it joins or leaves the selection; with shift the items from the last plain click
    // to it, in the order of the tree, join it. Heard as TreeViewClicked, TreeViewSelectionChanged
    // when the selection changed, then TreeViewItemClicked, with the keys in the mouse record.
    bool ClickTreeItem(Panel& panel, short item, int32_t treeItem, short modifiers, std::string* why);
    // The click, then TreeViewDoubleClicked.
    bool DoubleClickTreeItem(Panel& panel, short item, int32_t treeItem, short modifiers, std::string* why);
    // The tree item's expander (only an item with children has one): heard as
    // TreeViewItemExpanded or TreeViewItemCollapsed when it changed, with the keys in the mouse
    // record.
    bool ExpandTreeItem(Panel& panel, short item, int32_t treeItem, bool expand, short modifiers,
                        std::string* why);

    // A click on a row (from 1) of a list box: alone it becomes the only row selected; with
    // command it joins or leaves the selection; with shift the rows from the last plain click to it
    // join it. Heard as ListBoxClicked, then ListBoxSelectionChanged when the selection changed,
    // with the keys in the mouse record and the mouse at the row's first tab field.
    bool ClickListRow(Panel& panel, short item, short row, short modifiers, std::string* why);
    // The click, then ListBoxDoubleClicked.
    bool DoubleClickListRow(Panel& panel, short item, short row, short modifiers, std::string* why);
    // A header item (from 1) clicked, dragged to another place, or resized by a change of width
    // (kept above its minimum): the header changes and the list hears it.
    bool ClickListHeader(Panel& panel, short item, short headerItem, std::string* why);
    bool DragListHeader(Panel& panel, short item, short from, short to, std::string* why);
    bool ResizeListHeader(Panel& panel, short item, short headerItem, short change, std::string* why);
    // Drags a row and drops it before row `target` (the row count + 1: after the last) of the same
    // list: the list hears the drag start, the drop target's enter, move and drop, then the drag's
    // end, and answers the drop's effect. Nothing moves: the rows are the add-on's to move.
    bool DragListRow(Panel& panel, short item, short row, short target, DragDrop::Effect* effect,
                     std::string* why);
    // The entry with this text (the first) of a pop-up or of a user control's menu becomes the
    // chosen one; heard as PopUpChanged or UserControlChanged when it changed. A dialog item on a
    // list's tab field that the user changes (by typing, ticking or choosing) is heard by the list
    // too, as ListBoxTabFieldUpdated.
    bool ChoosePopUpEntry(Panel& panel, short item, const GS::UniString& text, std::string* why);

    // --- The record of refusals: DG calls that named no panel or item, or that the item's kind
    // does not take, since the last take.
    void Refuse(const std::string& what);
    std::vector<std::string> TakeRefusals();

    // --- Delivery.
    void Deliver(std::shared_ptr<void> keep, std::function<void()> notification);
    bool IsDelivering() const { return m_frames.back().delivering; }
    // Starts and ends a nested delivery (a modal dialog's event loop).
    void PushFrame();
    void PopFrame();

    // --- The dialog manager's own book-keeping.
    short Register(Panel& panel);
    void Unregister(const Panel& panel);
    void Opened(Panel& panel);
    void Closed(Panel& panel);
    // The client size a panel of (module, resource id) had when it last closed.
    bool RememberedSize(GSResModule module, short resId, Point* size) const;

    // Forgets the screen settings, the handlers, the refusals and remembered sizes; with no panel
    // alive, ids start at 1 again (for tests).
    void Reset();

private:
    Desk();
    struct Pending {
        std::shared_ptr<void> keep;
        std::function<void()> notification;
    };
    struct Frame {
        bool delivering = false;
        std::deque<Pending> pending;
    };

    double m_scale = 1.0;
    Rect m_monitor{0, 0, 1920, 1080};
    DGMousePosData m_mouse;
    ModalHandler m_modalHandler;
    Listener m_listener;
    std::unordered_map<short, Panel*> m_panels; // alive, by id
    short m_nextId = 1;
    std::vector<Panel*> m_open; // the front-most last
    std::vector<std::string> m_refusals;
    std::map<std::pair<GSResModule, short>, Point> m_remembered;
    std::vector<Frame> m_frames{Frame()};
};

} // namespace DG
