// The kinds of dialog items and their observers. Each kind stands only for a resource item of
// its kind: a Button over a text item is invalid.
#pragma once

#include <memory>

#include "DGItem.h"
#include "DGListBox.h"
#include "DGTreeView.h"
#include "platform/graphics/NativeContext.h"

namespace DG {

class HOSTLIB_API ButtonItemObserver : public ItemObserver {
public:
    virtual void ButtonClicked(const ButtonClickEvent&) {}
};

class HOSTLIB_API ButtonItem : public Item {
public:
    void Attach(ButtonItemObserver& observer) { Item::Attach(observer); }
    void Detach(ButtonItemObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    ButtonItem(const Panel& panel, short item) : Item(panel, item, ItemType::Button) {}
};

class HOSTLIB_API Button : public ButtonItem {
public:
    Button(const Panel& panel, short item) : ButtonItem(panel, item) {}
};

class HOSTLIB_API StaticTextObserver : public ItemObserver {
public:
    virtual void StaticTextClicked(const StaticTextClickEvent&) {}
    virtual void StaticTextDoubleClicked(const StaticTextDoubleClickEvent&) {}
};

class HOSTLIB_API StaticText : public Item {
public:
    void Attach(StaticTextObserver& observer) { Item::Attach(observer); }
    void Detach(StaticTextObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    StaticText(const Panel& panel, short item, ItemType kind) : Item(panel, item, kind) {}
};

class HOSTLIB_API LeftText : public StaticText {
public:
    LeftText(const Panel& panel, short item) : StaticText(panel, item, ItemType::LeftText) {}
};

class HOSTLIB_API CenterText : public StaticText {
public:
    CenterText(const Panel& panel, short item) : StaticText(panel, item, ItemType::CenterText) {}
};

class HOSTLIB_API RightText : public StaticText {
public:
    RightText(const Panel& panel, short item) : StaticText(panel, item, ItemType::RightText) {}
};

class HOSTLIB_API TextEditBaseObserver : public ItemObserver {
public:
    virtual void TextEditChanged(const TextEditChangeEvent&) {}
};

class HOSTLIB_API TextEditBase : public Item {
public:
    void Attach(TextEditBaseObserver& observer) { Item::Attach(observer); }
    void Detach(TextEditBaseObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    TextEditBase(const Panel& panel, short item) : Item(panel, item, ItemType::TextEdit) {}
};

class HOSTLIB_API TextEdit : public TextEditBase {
public:
    TextEdit(const Panel& panel, short item) : TextEditBase(panel, item) {}
};

class HOSTLIB_API CheckItemObserver : public ItemObserver {
public:
    virtual void CheckItemChanged(const CheckItemChangeEvent&) {}
};

class HOSTLIB_API CheckItem : public Item {
public:
    void Attach(CheckItemObserver& observer) { Item::Attach(observer); }
    void Detach(CheckItemObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;

protected:
    CheckItem(const Panel& panel, short item) : Item(panel, item, ItemType::CheckBox) {}
};

class HOSTLIB_API CheckBox : public CheckItem {
public:
    CheckBox(const Panel& panel, short item) : CheckItem(panel, item) {}
};

class HOSTLIB_API PopUpObserver : public ItemObserver {
public:
    virtual void PopUpChanged(const PopUpChangeEvent&) {}
};

class HOSTLIB_API PopUp : public Item {
public:
    PopUp(const Panel& panel, short item) : Item(panel, item, ItemType::PopUp) {}
    void Attach(PopUpObserver& observer) { Item::Attach(observer); }
    void Detach(PopUpObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;
};

class HOSTLIB_API UserControlObserver : public ItemObserver {
public:
    virtual void UserControlChanged(const UserControlChangeEvent&) {}
};

class HOSTLIB_API UserControl : public Item {
public:
    UserControl(const Panel& panel, short item) : Item(panel, item, ItemType::UserControl) {}
    void Attach(UserControlObserver& observer) { Item::Attach(observer); }
    void Detach(UserControlObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;
};

// A user item must be drawn again: its panel came on screen, the user uncovered it, or the add-on
// asked for a redraw. The item's picture starts empty; a context made over the event
// (NewDisplay::UserItemUpdateNativeContext) draws into it until the notification has been heard.
class HOSTLIB_API UserItemUpdateEvent : public ItemEvent {
public:
    UserItemUpdateEvent(Item* source, std::shared_ptr<NewDisplay::NativeContext::Drawing> picture,
                        const Rect& rect)
        : ItemEvent(source), m_picture(std::move(picture)), m_rect(rect) {}
    const std::shared_ptr<NewDisplay::NativeContext::Drawing>& GetPicture() const { return m_picture; }
    // The item's rectangle in its panel, dialog units; drawing starts at its top left.
    const Rect& GetRect() const { return m_rect; }

private:
    std::shared_ptr<NewDisplay::NativeContext::Drawing> m_picture;
    Rect m_rect;
};

class HOSTLIB_API UserItemObserver : public ItemObserver {
public:
    virtual void UserItemClicked(const ItemClickEvent&) {}
    virtual void UserItemDoubleClicked(const ItemClickEvent&) {}
    virtual void UserItemUpdate(const UserItemUpdateEvent&) {}
};

class HOSTLIB_API UserItem : public Item {
public:
    UserItem(const Panel& panel, short item) : Item(panel, item, ItemType::UserItem) {}
    void Attach(UserItemObserver& observer) { Item::Attach(observer); }
    void Detach(UserItemObserver& observer) { Item::Detach(observer); }
    using Item::Attach;
    using Item::Detach;
};

} // namespace DG
