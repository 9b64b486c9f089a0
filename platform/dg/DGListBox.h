// List boxes as the add-on holds them, their notification events and observers. The rows, tab
// fields and header live in the dialog manager (DGListState.h) and are reached by number through
// the DGList functions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DGItem.h"

// One tab field of a list as DGListSetTabData takes it, 10 bytes a field.
#pragma pack(push, 2)
struct DGListTabData {
    short start = 0; // dialog units from the list's left edge
    short end = 0;
    uint32_t style = 0; // justification and truncation, kept as given
    uint16_t further = 0;
};
#pragma pack(pop)
static_assert(sizeof(DGListTabData) == 10);
static_assert(offsetof(DGListTabData, end) == 2 && offsetof(DGListTabData, style) == 4 &&
              offsetof(DGListTabData, further) == 8);

namespace DG {

// A click on a list row (GetRow, from 1), with the keys held and where the mouse was: dialog units
// from the list's top-left corner.
class HOSTLIB_API ListBoxClickEvent : public ItemClickEvent {
public:
    ListBoxClickEvent(Item* source, short row, short modifiers, Point position)
        : ItemClickEvent(source, modifiers, row), m_position(position) {}
    Point GetPosition() const { return m_position; }

private:
    Point m_position;
};

using ListBoxSelectionChangeEvent = ItemChangeEvent;

// The user changed the dialog item that sits on a tab field of the list.
class HOSTLIB_API ListBoxTabFieldUpdateEvent : public ItemEvent {
public:
    ListBoxTabFieldUpdateEvent(Item* source, short tabField, short dialItem)
        : ItemEvent(source), m_tabField(tabField), m_dialItem(dialItem) {}
    short GetTabFieldIndex() const { return m_tabField; }
    short GetDialogItem() const { return m_dialItem; }

private:
    short m_tabField;
    short m_dialItem;
};

// A header item (from 1) clicked or resized; a resize's change of size in dialog units.
class HOSTLIB_API ListBoxHeaderItemEvent : public ItemEvent {
public:
    ListBoxHeaderItemEvent(Item* source, short headerItem, short change = 0)
        : ItemEvent(source), m_headerItem(headerItem), m_change(change) {}
    short GetHeaderItem() const { return m_headerItem; }
    short GetChange() const { return m_change; }

private:
    short m_headerItem;
    short m_change;
};

// A header item dragged from one place to another (both from 1).
class HOSTLIB_API ListBoxHeaderItemDragEvent : public ItemEvent {
public:
    ListBoxHeaderItemDragEvent(Item* source, short oldPosition, short newPosition)
        : ItemEvent(source), m_oldPosition(oldPosition), m_newPosition(newPosition) {}
    short GetOldPosition() const { return m_oldPosition; }
    short GetNewPosition() const { return m_newPosition; }

private:
    short m_oldPosition;
    short m_newPosition;
};

// The row dragged (from 1).
class HOSTLIB_API ListBoxDragSourceEvent : public ItemEvent {
public:
    ListBoxDragSourceEvent(Item* source, short row) : ItemEvent(source), m_row(row) {}
    short GetRow() const { return m_row; }

private:
    short m_row;
};

// Where a drag is over the list: the position as the list gives it (dialog units from its
// top-left), the row it would insert at and where relative to it.
class HOSTLIB_API ListBoxDropTargetEvent : public ItemEvent {
public:
    enum RelativePosition : short { Over = 0, Before = 1, After = 2 };
    ListBoxDropTargetEvent(Item* source, Point position, short insertPosition, short relativePosition)
        : ItemEvent(source), m_position(position), m_insertPosition(insertPosition),
          m_relativePosition(relativePosition) {}
    Point GetPosition() const { return m_position; }
    short GetInsertPosition() const { return m_insertPosition; }
    short GetRelativePosition() const { return m_relativePosition; }

private:
    Point m_position;
    short m_insertPosition;
    short m_relativePosition;
};

// Only the user's actions are heard: what the add-on changes through the DGList functions is not.
// A click is heard as ListBoxClicked, then ListBoxSelectionChanged when the selection changed; a
// resize of a header item as ListBoxHeaderItemResizeEntered, ListBoxHeaderItemResized and
// ListBoxHeaderItemResizeExited.
class HOSTLIB_API ListBoxObserver : public ItemObserver {
public:
    virtual void ListBoxSelectionChanged(const ListBoxSelectionChangeEvent&) {}
    virtual void ListBoxClicked(const ListBoxClickEvent&) {}
    virtual void ListBoxDoubleClicked(const ListBoxClickEvent&) {}
    virtual void ListBoxTabFieldUpdated(const ListBoxTabFieldUpdateEvent&) {}
    virtual void ListBoxHeaderItemClicked(const ListBoxHeaderItemEvent&) {}
    virtual void ListBoxHeaderItemDragged(const ListBoxHeaderItemDragEvent&) {}
    virtual void ListBoxHeaderItemResizeEntered(const ListBoxHeaderItemEvent&) {}
    virtual void ListBoxHeaderItemResized(const ListBoxHeaderItemEvent&) {}
    virtual void ListBoxHeaderItemResizeExited(const ListBoxHeaderItemEvent&) {}

    // The drag source and the drop target, as a tree view's (DGTreeView.h).
    virtual void ListBoxDragStarting(const ListBoxDragSourceEvent&, bool* /*canStart*/) {}
    virtual void ListBoxDragStarted(const ListBoxDragSourceEvent&, DragDrop::Effect* /*effect*/,
                                    bool* /*rightDragMenu*/) {}
    virtual void ListBoxDragEnded(const ListBoxDragSourceEvent&, DragDrop::Effect /*effect*/) {}
    virtual void ListBoxDragEntered(const ListBoxDropTargetEvent&, DragDrop::Effect* /*effect*/,
                                    bool* /*defBehaviour*/) {}
    virtual void ListBoxDragMoved(const ListBoxDropTargetEvent&, DragDrop::Effect* /*effect*/,
                                  bool* /*defBehaviour*/) {}
    virtual void ListBoxDragLeft(const ListBoxDropTargetEvent&, DragDrop::Effect* /*effect*/) {}
    virtual void ListBoxDropped(const ListBoxDropTargetEvent&, DragDrop::Effect* /*effect*/) {}
};

class HOSTLIB_API ListBox : public Item {
public:
    void Attach(ListBoxObserver& observer) { Item::Attach(observer); }
    void Detach(ListBoxObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    ListBox(const Panel& panel, short item) : Item(panel, item, ItemType::ListBox) {}
};

class HOSTLIB_API SingleSelListBox : public ListBox {
public:
    SingleSelListBox(const Panel& panel, short item) : ListBox(panel, item) {}
};

class HOSTLIB_API MultiSelListBox : public ListBox {
public:
    MultiSelListBox(const Panel& panel, short item) : ListBox(panel, item) {}
};

} // namespace DG
