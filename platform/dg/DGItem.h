// Dialog items as the add-on holds them: an Item object stands for item `id` (from 1) of a panel,
// hears that item's notifications and hands them to its observers. Several objects may stand for
// the same item; each hears every notification of it.
#pragma once

#include <vector>

#include "DGTypes.h"
#include "platform/gsroot/UniString.h"

namespace DG {

class Item;
class Panel;

class HOSTLIB_API ItemEvent {
public:
    explicit ItemEvent(Item* source) : m_source(source) {}
    virtual ~ItemEvent() = default;
    Item* GetSource() const { return m_source; }

private:
    Item* m_source;
};

class HOSTLIB_API ItemCharEnterEvent : public ItemEvent {
public:
    ItemCharEnterEvent(Item* source, char16_t charCode) : ItemEvent(source), m_charCode(charCode) {}
    char16_t GetCharCode() const { return m_charCode; }

private:
    char16_t m_charCode;
};

class HOSTLIB_API ItemFocusEvent : public ItemEvent {
public:
    using ItemEvent::ItemEvent;
};

// A click on a button, a static text, a check box, a list row or a user item. `modifiers` are the
// DG::ModifierKey bits held; `row` is the list row (from 1) or tree item clicked, else 0.
class HOSTLIB_API ItemClickEvent : public ItemEvent {
public:
    ItemClickEvent(Item* source, short modifiers = 0, short row = 0)
        : ItemEvent(source), m_modifiers(modifiers), m_row(row) {}
    short GetModifiers() const { return m_modifiers; }
    short GetRow() const { return m_row; }

private:
    short m_modifiers;
    short m_row;
};

class HOSTLIB_API ItemChangeEvent : public ItemEvent {
public:
    using ItemEvent::ItemEvent;
};

using ButtonClickEvent = ItemClickEvent;
using StaticTextClickEvent = ItemClickEvent;
using StaticTextDoubleClickEvent = ItemClickEvent;
using TextEditChangeEvent = ItemChangeEvent;
using CheckItemChangeEvent = ItemChangeEvent;
using PopUpChangeEvent = ItemChangeEvent;
using UserControlChangeEvent = ItemChangeEvent;

// Hears items. Detaches itself from every item when destroyed.
class HOSTLIB_API ItemObserver {
public:
    ItemObserver() = default;
    ItemObserver(const ItemObserver&) = delete;
    ItemObserver& operator=(const ItemObserver&) = delete;
    virtual ~ItemObserver();

    // Sent before a typed character reaches the item; `denyChar` starts false, true keeps the
    // character out.
    virtual void ItemCharEntered(const ItemCharEnterEvent&, bool* /*denyChar*/) {}
    virtual void ItemFocusLost(const ItemFocusEvent&) {}

private:
    friend class Item;
    std::vector<Item*> m_items;
};

class HOSTLIB_API Item {
public:
    // Stands for item `item` of the panel; invalid (IsValid() false, every call refused) when the
    // panel has no such item.
    Item(const Panel& panel, short item);
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;
    virtual ~Item();

    short GetId() const { return m_id; }
    // The panel, null once the panel is gone.
    Panel* GetPanel() const { return m_panel; }
    short GetPanelId() const;
    bool IsValid() const { return m_valid; }

    // Empty, and refused, for an item that stands for nothing.
    GS::UniString GetTooltipString() const;
    void SetTooltip(const GS::UniString& text);

    void Attach(ItemObserver& observer);
    void Detach(ItemObserver& observer);
    // The observers in the order attached, for the dialog manager's delivery.
    const std::vector<ItemObserver*>& Observers() const { return m_observers; }

protected:
    // Stands for the item only when it is of the given kind.
    Item(const Panel& panel, short item, ItemType kind);

private:
    friend class ItemObserver;
    friend struct PanelState;
    void bind(const Panel& panel, short item, const ItemType* kind);

    Panel* m_panel = nullptr;
    short m_id = 0;
    bool m_valid = false;
    std::vector<ItemObserver*> m_observers;
};

} // namespace DG
