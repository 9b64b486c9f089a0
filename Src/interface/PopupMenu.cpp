#include "interface/PopupMenu.h"

#include <stdexcept>

#include "Environment/Resources.h"
#include "elements/text/TextStyle.h"
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/RowWalk.h"
#include "persistence/MenuSetting.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/UCPopupMenu.h"
#include "project/Colour.h"
#include "project/Image.h"

namespace tarnwick {

namespace {

constexpr uint32_t RecordStatusTexts = 32703;
constexpr uint32_t FirstStatusText = 3;

short hostStyleOf(uint16_t styleWord) {
    switch (styleWord) {
    case 1:
        return 16;
    case 2:
        return 32;
    case 4:
        return 48;
    default:
        return 0;
    }
}

// The host's item count, for both kinds alike; none before the control names a real item.
int16_t hostCount(const ControlLink& link) {
    if (link.getPanel() == nullptr || link.getItemId() == DialogControl::NoItem) return 0;
    return DGPopUpGetItemCount(static_cast<short>(link.getPanelId()), static_cast<short>(link.getItemId()));
}

void notifyChanged(const DG::ItemEvent& notification) {
    if (notification.GetSource() == nullptr) return;
    // A panel that is not registered hears nothing.
    ControlLink link(*notification.GetSource());
    if (InterfacePanel* panel = link.getPanel()) {
        ItemEvent changed(6, link, 0);
        panel->handleHostNotice(changed);
    }
}

} // namespace

PopupMenu::PopupMenu(const ControlLink& link, int16_t count, int32_t iconKind)
    : DialogControl(link, hostCount(link), 1), m_iconKind(iconKind) {
    if (count < 1 || count == getRows()) return;
    if (count < getRows())
        deleteItems(count, static_cast<int16_t>(getRows() - count));
    else
        appendItems(static_cast<int16_t>(count - getRows()));
}

PopupMenu::PopupMenu(const PopupMenu& other)
    : DialogControl(other), m_popUp(other.m_popUp), m_menu(other.m_menu), m_iconKind(other.m_iconKind),
      m_pending(other.m_pending) {}

PopupMenu::~PopupMenu() {
    m_popUp.reset();
    m_menu.reset();
}

std::unique_ptr<DialogControl> PopupMenu::clone() const {
    return std::unique_ptr<DialogControl>(new PopupMenu(*this));
}

bool PopupMenu::publish(Event& event) {
    InterfacePanel* panel = getPanel();
    uint32_t serial = panel != nullptr ? panel->getSerial() : 0;
    bool handled = DialogControl::publish(event);
    if (dynamic_cast<ItemEvent*>(&event) == nullptr) return handled;
    // A subscriber may have closed the dialog or deleted this menu.
    panel = InterfacePanel::findBySerial(serial);
    if (panel == nullptr || !panel->isOpen() || panel->findControl(getItemId()) != this) return handled;
    m_pending = NoEntry;
    selectItem(true, nextSelected(0));
    return handled;
}

int16_t PopupMenu::hostSelected() const {
    if (hasNoIcons()) return static_cast<int16_t>(DGPopUpGetSelected(dialId(), itemId()) - 1);
    return static_cast<int16_t>(UCPopupGetSelectedItem(dialId(), itemId()) - 1);
}

int16_t PopupMenu::nextSelected(int16_t from) const {
    int16_t selected = !hasNoIcons() && m_pending != NoEntry ? m_pending : hostSelected();
    return selected >= 0 && selected >= from ? selected : NoEntry;
}

bool PopupMenu::isSelected(int16_t item) const {
    return isValidItem(item) && nextSelected(0) == item;
}

std::unique_ptr<Setting> PopupMenu::getValue(int16_t, int16_t) const {
    int16_t chosen = nextSelected(0);
    if (!isValidItem(chosen)) return std::make_unique<MenuSetting>(-1, String());
    return std::make_unique<MenuSetting>(chosen, getEntryText(chosen));
}

String PopupMenu::getEntryText(int16_t item) const {
    if (!isValidItem(item)) return String();
    if (hasNoIcons()) return String(DGPopUpGetItemText(dialId(), itemId(), host(item)));
    return String(UCPopupGetItemText(dialId(), itemId(), host(item)));
}

Image PopupMenu::getEntryImage(int16_t item) const {
    if (!isValidItem(item)) return Image();
    if (hasNoIcons()) return Image(DGPopUpGetItemIcon(dialId(), itemId(), host(item)));
    return Image(UCPopupGetItemIcon(dialId(), itemId(), host(item)));
}

void PopupMenu::setEnabled(bool enabled, int16_t item) {
    if (item == NoEntry) return DialogControl::setEnabled(enabled, item);
    if (!isValidItem(item)) return;
    if (hasNoIcons())
        DGPopUpSetItemStatus(dialId(), itemId(), host(item),
                             enabled ? DG::PopUpItemEnabled : DG::PopUpItemDisabled);
    else
        UCPopupSetItemStatus(dialId(), itemId(), item, !enabled); // the library numbers this one from 0
}

bool PopupMenu::setDimensions(int16_t rows, uint16_t) {
    if (rows == getRows()) return true;
    if (rows < getRows()) return deleteItems(rows, static_cast<int16_t>(getRows() - rows));
    return appendItems(static_cast<int16_t>(rows - getRows()));
}

void PopupMenu::setValue(const Setting& value, int16_t, int16_t) {
    if (const auto* index = dynamic_cast<const Int32Setting*>(&value)) {
        int32_t chosen = index->getValue();
        if (chosen >= 0 && chosen < getRows()) selectItem(true, static_cast<int16_t>(chosen));
        return;
    }
    String text;
    value.getText(text);
    for (auto item = static_cast<int16_t>(getRows() - 1); item >= 0; --item)
        if (getEntryText(item) == text) return selectItem(true, item);
}

void PopupMenu::setEntryText(int16_t item, const String& text) {
    if (!isValidItem(item)) return;
    if (hasNoIcons())
        DGPopUpSetItemText(dialId(), itemId(), host(item), text.toUniString());
    else
        UCPopupSetItemText(dialId(), itemId(), host(item), text.toUniString());
}

void PopupMenu::setEntryImage(int16_t item, const Image& image) {
    if (!isValidItem(item)) return;
    if (hasNoIcons())
        DGPopUpSetItemIcon(dialId(), itemId(), host(item), image.toDGIcon());
    else
        UCPopupSetItemIcon(dialId(), itemId(), host(item), image.toDGIcon());
}

void PopupMenu::setStyle(const TextStyle& style, int16_t item) {
    if (item == NoEntry) return DialogControl::setStyle(style);
    if (!isValidItem(item)) return;
    if (hasNoIcons())
        DGPopUpSetItemStyle(dialId(), itemId(), host(item), hostStyleOf(style.getStyle()));
    else
        UCPopupSetItemTextStyle(dialId(), itemId(), host(item), hostStyleOf(style.getStyle()));
}

std::unique_ptr<ControlObserver> PopupMenu::makeObserver() const {
    if (hasNoIcons()) return std::make_unique<DGObserver>();
    return std::make_unique<UCObserver>();
}

void PopupMenu::createItem(DG::Panel& panel) {
    if (hasNoIcons()) {
        m_popUp = std::make_shared<DG::PopUp>(panel, itemId());
        return;
    }
    m_menu = std::make_shared<UC::PopupMenu>(panel, itemId());
    UCPopupSetControlKind(dialId(), itemId(), static_cast<short>(m_iconKind));
}

void PopupMenu::releaseItem() {
    if (hasNoIcons())
        m_popUp.reset();
    else
        m_menu.reset();
}

PopupMenu::const_iterator PopupMenu::cbegin(uint32_t mode) const {
    const rowwalk::Start at = rowwalk::first(*this, mode);
    return const_iterator(Node(this, at.row), at.mode);
}

PopupMenu::iterator PopupMenu::begin(uint32_t mode) {
    const_iterator first = cbegin(mode);
    return iterator(*first.tryNode(), first.getMode());
}

PopupMenu::const_iterator PopupMenu::cend() const {
    return const_iterator(Node(this, NoEntry), Items);
}

PopupMenu::iterator PopupMenu::end() {
    return iterator(Node(this, NoEntry), Items);
}

PopupMenu::const_iterator PopupMenu::crbegin(uint32_t mode) const {
    const rowwalk::Start at = rowwalk::last(*this, mode);
    return const_iterator(Node(this, at.row), at.mode);
}

PopupMenu::iterator PopupMenu::rbegin(uint32_t mode) {
    const_iterator last = crbegin(mode);
    return iterator(*last.tryNode(), last.getMode());
}

Colour PopupMenu::getColour(int16_t) const {
    return Colour(uint16_t(0), uint16_t(0), uint16_t(0), uint16_t(65535));
}

uint64_t PopupMenu::getItemData(int16_t item) const {
    if (!isValidItem(item)) return 0;
    if (hasNoIcons()) return DGPopUpGetItemUserData(dialId(), itemId(), host(item));
    return UCPopupGetItemData(dialId(), itemId(), host(item));
}

String PopupMenu::selectText(const String& text, int16_t fallback) {
    for (auto item = static_cast<int16_t>(getRows() - 1); item >= 0; --item) {
        if (getEntryText(item) != text) continue;
        selectItem(true, item);
        return text;
    }
    // With no item there is nothing to fall back on.
    if (getRows() < 1) return String();
    int16_t chosen = fallback < 0 || fallback >= getRows() ? static_cast<int16_t>(getRows() - 1) : fallback;
    selectItem(true, chosen);
    return getEntryText(chosen);
}

void PopupMenu::selectItem(bool, int16_t item) {
    if (!isValidItem(item)) return;
    if (hasNoIcons()) return DGPopUpSelectItem(dialId(), itemId(), host(item));
    m_pending = item;
    UCPopupSelectItem(dialId(), itemId(), host(item));
    if (m_iconKind == UC::TextAndIcon || m_iconKind == UC::TextOnly)
        UCPopupSetButtonText(dialId(), itemId(), getEntryText(item).toUniString());
    if (m_iconKind == UC::TextAndIcon || m_iconKind == UC::IconOnly)
        UCPopupSetButtonIcon(dialId(), itemId(), UCPopupGetItemIcon(dialId(), itemId(), host(item)));
}

void PopupMenu::setItemData(uint64_t value, int16_t item) {
    if (!isValidItem(item)) return;
    if (hasNoIcons())
        DGPopUpSetItemUserData(dialId(), itemId(), host(item), value);
    else
        UCPopupSetItemData(dialId(), itemId(), host(item), value);
}

bool PopupMenu::appendItem(const String& text, int16_t iconId, uint64_t data) {
    // A full menu takes no more: its last item keeps its own text.
    if (!insertItems(NoEntry, 1)) return false;
    iterator last = rbegin();
    if (last.isEnd()) throw std::out_of_range("");
    int16_t item = last->getItem();
    setEntryText(item, text);
    if (iconId > 0) setEntryImage(item, Image(iconId));
    if (data != 0) setItemData(data, item);
    return true;
}

bool PopupMenu::appendItems(int16_t count) {
    return insertItems(NoEntry, count);
}

bool PopupMenu::deleteItems(int16_t first, int16_t count) {
    if (first < 0) return false;
    int32_t many = std::min<int32_t>(count, getRows() - first);
    if (many < 0) return false;
    if (many == 0) return true;
    DialogControl::setDimensions(static_cast<int16_t>(getRows() - many), 1);
    for (int32_t i = 0; i < many; ++i) {
        if (hasNoIcons())
            DGPopUpDeleteItem(dialId(), itemId(), host(first));
        else
            UCPopupDeleteItem(dialId(), itemId(), host(first));
    }
    return true;
}

bool PopupMenu::insertItems(int16_t position, int16_t count) {
    if (count < 0 || count > MaxItems - getRows()) return false;
    if (count == 0) return true;
    DialogControl::setDimensions(static_cast<int16_t>(getRows() + count), 1);
    auto at = static_cast<uint16_t>(position);
    for (int16_t i = 0; i < count; ++i) {
        if (hasNoIcons())
            DGPopUpInsertItem(dialId(), itemId(), at == 65535 ? DG::PopUpBottom : static_cast<short>(at + 1));
        else if (at < 65534)
            UCPopupInsertItem(dialId(), itemId(), static_cast<short>(at + 1));
        else
            UCPopupAppendItem(dialId(), itemId());
    }
    return true;
}

bool PopupMenu::insertSeparator(int16_t position) {
    if (getRows() >= MaxItems) return false;
    short at = position < 0 || position >= getRows() ? DG::PopUpBottom : host(position);
    DialogControl::setDimensions(static_cast<int16_t>(getRows() + 1), 1);
    if (hasNoIcons())
        DGPopUpInsertSeparator(dialId(), itemId(), at);
    else
        UCPopupInsertSeparator(dialId(), itemId(), at);
    return true;
}

void PopupMenu::DGObserver::attach(DG::Panel&, DialogControl& control) {
    auto* menu = dynamic_cast<PopupMenu*>(&control);
    if (menu && menu->getPopUp()) menu->getPopUp()->Attach(*this);
}

void PopupMenu::DGObserver::PopUpChanged(const DG::PopUpChangeEvent& event) {
    notifyChanged(event);
}

void PopupMenu::UCObserver::attach(DG::Panel&, DialogControl& control) {
    auto* menu = dynamic_cast<PopupMenu*>(&control);
    if (menu && menu->getMenu()) menu->getMenu()->Attach(*this);
}

void PopupMenu::UCObserver::UserControlChanged(const DG::UserControlChangeEvent& event) {
    notifyChanged(event);
}

// --- Node

bool PopupMenu::Node::isEnd() const {
    return m_menu == nullptr || !m_menu->isValidItem(m_item);
}

void PopupMenu::Node::setEntryImage(const Image& image, int16_t) {
    if (!isEnd()) m_menu->setEntryImage(m_item, image);
}

std::unique_ptr<Setting> PopupMenu::Node::getValue(int16_t) const {
    return isEnd() ? nullptr : m_menu->getValue();
}

String PopupMenu::Node::getText(int16_t) const {
    return isEnd() ? String() : m_menu->getEntryText(m_item);
}

Image PopupMenu::Node::getImage(int16_t) const {
    return isEnd() ? Image() : m_menu->getEntryImage(m_item);
}

Colour PopupMenu::Node::getColour(int16_t) const {
    return Colour(uint16_t(0), uint16_t(0), uint16_t(0), uint16_t(65535));
}

bool PopupMenu::Node::next(uint32_t mode) {
    if (isEnd()) throw std::out_of_range("");
    ++m_item;
    if (mode == Selection) m_item = m_menu->nextSelected(m_item);
    return !isEnd();
}

bool PopupMenu::Node::prev(uint32_t mode) {
    if (isEnd()) throw std::out_of_range("");
    --m_item;
    if (mode == Selection)
        while (m_item >= 0 && !m_menu->isSelected(m_item))
            --m_item;
    return !isEnd();
}

// --- UserDataStatusMenu

void UserDataStatusMenu::initialise(int16_t status) {
    for (int16_t item = All; item <= Deleted; ++item)
        setEntryText(item,
                     loadResourceString(RecordStatusTexts, FirstStatusText + static_cast<uint32_t>(item)));
    selectItem(true, status);
}

int16_t UserDataStatusMenu::getStatus() const {
    int16_t chosen = nextSelected(0);
    return chosen >= All && chosen <= Deleted ? chosen : static_cast<int16_t>(All);
}

} // namespace tarnwick
