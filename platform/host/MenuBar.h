// The menus modules register, read from their string lists, with the item flags the module sets
// and the handler it installs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/api/HostFunctionTable.h"
#include "platform/graphics/GXImage.h"

namespace zavhost {

struct MenuItem {
    int32_t index = 0;     // 1-based; string index + 1 in the menu's list
    std::string source;    // as in the string list
    std::string text;      // what the menu shows: the source up to the first "^"
    std::string hostFlags; // between the first and the last "^"
    int32_t iconId = 0;    // after the last "^"
    // The icon as the menu shows it on a screen of 96 dots per inch and of 192: decoded from the
    // module's resources when the menu was registered; null when the module carries no such
    // drawing or its bytes are no image.
    std::shared_ptr<const GX::Image> icon;
    std::shared_ptr<const GX::Image> doubleIcon;
    std::string prompt; // the status-bar text
    bool separator = false;
    int32_t flags = 0; // bit 0: disabled

    bool disabled() const { return (flags & 1) != 0; }
};

struct Menu {
    int32_t menuResId = 0;
    int32_t promptResId = 0;
    int32_t positionCode = 0;
    int32_t registerFlags = 0;
    std::string title;
    std::vector<MenuItem> items;
    MenuHandlerProc handler = nullptr;
};

// Splits a menu text: "Place...^E3^32501" gives text "Place...", host flags "E3", icon 32501;
// "-" is a separator.
MenuItem parseMenuText(const std::string& source);

class MenuBar {
public:
    // Reads string list `menuResId` (string 1 the title, strings 2.. the items) and `promptResId`
    // (status-bar texts at the same indices), and each item's icon from the module's icons at both
    // resolutions. A missing or empty list answers NotFound, a list registered before Refused.
    GSErrCode registerMenu(GSResModule module, int32_t menuResId, int32_t promptResId, int32_t positionCode,
                           int32_t flags);
    GSErrCode installHandler(int32_t menuResId, MenuHandlerProc handler); // NotFound for no such menu
    GSErrCode getItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) const;
    GSErrCode setItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags);

    const Menu* menu(int32_t menuResId) const;
    const Menu* menuTitled(const std::string& title) const;
    // The item of a menu by its shown text; null with the reason in `why` when there is none.
    const MenuItem* item(const Menu& menu, const std::string& text, std::string* why) const;
    const std::vector<Menu>& menus() const { return m_menus; }
    void clear() { m_menus.clear(); }

private:
    Menu* find(int32_t menuResId);

    std::vector<Menu> m_menus;
};

} // namespace zavhost
