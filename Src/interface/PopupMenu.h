// A pop-up menu: "POPM" over a plain host pop-up (icon kind -1), or "UCPM" over the user-control
// library's menu, whose button shows the chosen item's text (kinds 0 and 2) and icon (kinds 0 and
// 1). Items count from 0 here and from 1 at the host; -1 (the host's 65535) names none, or as a
// position the end. The item count is the control's row count. A choice of the user reaches the
// panel as an ItemEvent of code 6, data 0.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/String.h"
#include "interface/ControlObserver.h"
#include "interface/DialogControl.h"
#include "interface/ViewIterator.h"
#include "platform/dg/DGItems.h"

namespace UC {
class PopupMenu;
}

namespace tarnwick {

class Colour;

class PopupMenu : public DialogControl {
public:
    static constexpr uint32_t PlainTypeCode = fourCC("POPM");
    static constexpr uint32_t MenuTypeCode = fourCC("UCPM");
    static constexpr int32_t PlainKind = -1;
    static constexpr int16_t NoEntry = -1;
    // The most items a menu holds: its item numbers are 16-bit.
    static constexpr int16_t MaxItems = 32767;
    enum StepMode : uint32_t { Items = 0, Siblings = 1, Selection = 2, Display = 3 };

    // One item of the menu, as a list's row.
    class Node {
    public:
        Node(const PopupMenu* menu, int16_t item) : m_menu(const_cast<PopupMenu*>(menu)), m_item(item) {}
        Node(const Node&) = default;
        Node& operator=(const Node&) = default;
        virtual ~Node() = default;

        virtual void setEntryImage(const Image& image, int16_t column);

        int16_t getItem() const { return m_item; }
        bool isEnd() const;
        // Each answers empty at the end.
        std::unique_ptr<Setting> getValue(int16_t column) const;
        String getText(int16_t column) const;
        Image getImage(int16_t column) const;
        Colour getColour(int16_t column) const;
        // Steps by the mode and answers whether an item was reached; std::out_of_range at the end.
        bool next(uint32_t mode);
        bool prev(uint32_t mode);

    private:
        PopupMenu* m_menu;
        int16_t m_item;
    };

    using iterator = StepIterator<Node>;
    using const_iterator = ConstStepIterator<Node>;

    class DGObserver : public ControlObserver, public DG::PopUpObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void PopUpChanged(const DG::PopUpChangeEvent& event) override;
    };

    class UCObserver : public ControlObserver, public DG::UserControlObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void UserControlChanged(const DG::UserControlChangeEvent& event) override;
    };

    ~PopupMenu() override;

    // After an ItemEvent the pending choice is forgotten and the host's choice selected again,
    // which shows it on a menu's button.
    bool publish(Event& event) override;
    // Shares the host pop-up or menu.
    std::unique_ptr<DialogControl> clone() const override;
    // The chosen item when it is not before `from`, else -1.
    int16_t nextSelected(int16_t from) const override;
    bool isSelected(int16_t item) const override;
    // A MenuSetting of the chosen item's index and text; -1 and "" when none is chosen.
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    String getEntryText(int16_t item = 0) const override;
    Image getEntryImage(int16_t item = 0) const override;
    // Item -1: the whole dialog item.
    void setEnabled(bool enabled, int16_t item) override;
    // The item count; no change answers true, else the answer of deleteItems or appendItems.
    bool setDimensions(int16_t rows, uint16_t columns = 1) override;
    // An Int32Setting (a MenuSetting too) chooses its index when that item exists; any other
    // setting the last item with its text. Nothing is chosen when none fits.
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;
    void setEntryText(int16_t item, const String& text) override;
    void setEntryImage(int16_t item, const Image& image) override;
    uint32_t getTypeCode() const override { return hasNoIcons() ? PlainTypeCode : MenuTypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;
    using DialogControl::setStyle;

    virtual const_iterator cbegin(uint32_t mode = Items) const;
    virtual iterator begin(uint32_t mode = Items);
    virtual const_iterator cend() const;
    virtual iterator end();
    virtual const_iterator crbegin(uint32_t mode = Items) const;
    virtual iterator rbegin(uint32_t mode = Items);
    virtual int32_t getIconKind() const { return m_iconKind; }
    virtual bool hasNoIcons() const { return m_iconKind == PlainKind; }
    virtual String getSelectedText() const { return getEntryText(nextSelected(0)); }
    virtual Colour getColour(int16_t item) const; // black
    virtual uint64_t getItemData(int16_t item) const;
    // Chooses the last item with the text and answers the text; else the fallback item (the last
    // one past the end) and answers its text. An empty menu chooses nothing and answers "".
    virtual String selectText(const String& text, int16_t fallback);
    // Chooses the item (the flag is not used); a menu remembers it as pending until the next
    // ItemEvent and sets its button.
    virtual void selectItem(bool selected, int16_t item);
    virtual void reservedAction() {}
    virtual void setItemData(uint64_t value, int16_t item);
    // Appends an item with the text, the icon of resource `iconId` when above 0, and the data when
    // not 0; false, changing nothing, when the menu is full. Throws std::out_of_range when there is
    // no last item after all.
    virtual bool appendItem(const String& text, int16_t iconId = 0, uint64_t data = 0);
    virtual bool appendItems(int16_t count);
    // False for a negative first item or count (as cut to the items from `first` on).
    virtual bool deleteItems(int16_t first, int16_t count);
    // False for a negative count or one that would pass MaxItems.
    virtual bool insertItems(int16_t position, int16_t count);

    // Item -1 (65535): the whole item; style word 1 bold, 2 italic, 4 both.
    void setStyle(const TextStyle& style, int16_t item);
    // A position at or past the end appends; false when the menu is full.
    bool insertSeparator(int16_t position);
    bool isValidItem(int16_t item) const { return item >= 0 && item < getRows(); }

    DG::PopUp* getPopUp() const { return m_popUp.get(); }
    UC::PopupMenu* getMenu() const { return m_menu.get(); }

protected:
    // Brings the host's item count to `count` when that is 1 or more.
    explicit PopupMenu(const ControlLink& link, int16_t count = 0, int32_t iconKind = PlainKind);
    PopupMenu(const PopupMenu& other);

private:
    short dialId() const { return static_cast<short>(getDialogId()); }
    short itemId() const { return static_cast<short>(getItemId()); }
    static short host(int16_t item) { return static_cast<short>(item + 1); }
    int16_t hostSelected() const;

    std::shared_ptr<DG::PopUp> m_popUp;
    std::shared_ptr<UC::PopupMenu> m_menu;
    int32_t m_iconKind;
    int16_t m_pending = NoEntry;
};

// The record-status pop-up of the user-data dialogs: "All", "Current" and "Deleted".
class UserDataStatusMenu : public PopupMenu {
public:
    enum Status : int16_t { All = 0, Current = 1, Deleted = 2 };

    // Names the three items and chooses `status`.
    void initialise(int16_t status);
    // The chosen status; All when none is chosen.
    int16_t getStatus() const;

protected:
    explicit UserDataStatusMenu(const ControlLink& link) : PopupMenu(link, 3, PlainKind) {}
};

} // namespace tarnwick
