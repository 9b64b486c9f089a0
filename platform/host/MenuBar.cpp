#include "MenuBar.h"

#include <cstdint>
#include <cstdlib>

#include "platform/api/HostErrors.h"
#include "platform/dg/DGImage.h"
#include "platform/gsroot/ResourceStrings.h"

namespace zavhost {

namespace {
bool parseIconId(const std::string& text, int32_t* id) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *id = static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
    return true;
}
} // namespace

MenuItem parseMenuText(const std::string& source) {
    MenuItem item;
    item.source = source;
    size_t first = source.find('^');
    item.text = source.substr(0, first);
    if (first != std::string::npos) {
        size_t last = source.rfind('^');
        std::string tail = source.substr(last + 1);
        if (parseIconId(tail, &item.iconId)) {
            if (last > first) item.hostFlags = source.substr(first + 1, last - first - 1);
        } else {
            item.hostFlags = source.substr(first + 1);
        }
    }
    item.separator = item.text == "-";
    return item;
}

GSErrCode MenuBar::registerMenu(GSResModule module, int32_t menuResId, int32_t promptResId,
                                int32_t positionCode, int32_t flags) {
    if (find(menuResId) != nullptr) return hosterr::Refused;
    int32_t count = RSGetStringCount(module, menuResId);
    if (count < 1) return hosterr::NotFound;
    Menu menu;
    menu.menuResId = menuResId;
    menu.promptResId = promptResId;
    menu.positionCode = positionCode;
    menu.registerFlags = flags;
    std::string text;
    RSGetIndString(module, menuResId, 1, &text);
    menu.title = parseMenuText(text).text;
    for (int32_t index = 2; index <= count; ++index) {
        RSGetIndString(module, menuResId, index, &text);
        MenuItem item = parseMenuText(text);
        item.index = index - 1;
        RSGetIndString(module, promptResId, index, &item.prompt);
        if (item.iconId > 0 && item.iconId <= INT16_MAX) {
            DG::Icon icon(module, static_cast<short>(item.iconId));
            item.icon = icon.GetPicture(DG::Resolution::Standard);
            item.doubleIcon = icon.GetPicture(DG::Resolution::Double);
        }
        menu.items.push_back(std::move(item));
    }
    m_menus.push_back(std::move(menu));
    return hosterr::Ok;
}

GSErrCode MenuBar::installHandler(int32_t menuResId, MenuHandlerProc handler) {
    Menu* menu = find(menuResId);
    if (menu == nullptr) return hosterr::NotFound;
    menu->handler = handler;
    return hosterr::Ok;
}

GSErrCode MenuBar::getItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) const {
    if (flags == nullptr) return hosterr::BadParameter;
    const Menu* found = menu(menuResId);
    if (found == nullptr) return hosterr::NotFound;
    if (itemIndex < 1 || static_cast<size_t>(itemIndex) > found->items.size()) return hosterr::BadIndex;
    *flags = found->items[itemIndex - 1].flags;
    return hosterr::Ok;
}

GSErrCode MenuBar::setItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags) {
    Menu* found = find(menuResId);
    if (found == nullptr) return hosterr::NotFound;
    if (itemIndex < 1 || static_cast<size_t>(itemIndex) > found->items.size()) return hosterr::BadIndex;
    found->items[itemIndex - 1].flags = flags;
    return hosterr::Ok;
}

const Menu* MenuBar::menu(int32_t menuResId) const {
    for (const Menu& menu : m_menus)
        if (menu.menuResId == menuResId) return &menu;
    return nullptr;
}

Menu* MenuBar::find(int32_t menuResId) {
    return const_cast<Menu*>(menu(menuResId));
}

const Menu* MenuBar::menuTitled(const std::string& title) const {
    for (const Menu& menu : m_menus)
        if (menu.title == title) return &menu;
    return nullptr;
}

const MenuItem* MenuBar::item(const Menu& menu, const std::string& text, std::string* why) const {
    for (const MenuItem& item : menu.items)
        if (!item.separator && item.text == text) return &item;
    if (why != nullptr) {
        *why = "menu \"" + menu.title + "\" has no item \"" + text + "\"; its items are:";
        for (const MenuItem& item : menu.items)
            if (!item.separator) *why += " \"" + item.text + "\"";
    }
    return nullptr;
}

} // namespace zavhost
