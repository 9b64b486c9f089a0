// A dialog resource (type 'DLGR') as the dialog manager reads it from a module's resources. The
// compiled form is described in resources/README.md; the module's bytes are never trusted.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "DGTypes.h"
#include "platform/api/Resources.h"

namespace DG {

struct ItemTemplate {
    ItemType type = ItemType::Button;
    Rect rect;         // dialog units, in the client area
    std::string text;  // UTF-8
    int32_t value = 0; // a check box's state; 0 for the other kinds
    std::string help;  // the tool tip, UTF-8; empty for none
    // A list box's columns: each one's width and header text (the list has a header when any
    // text is given).
    std::vector<std::pair<short, std::string>> columns;
    std::vector<std::string> entries; // a pop-up's or user control's; "-" is a separator
};

struct DialogTemplate {
    enum class Kind : uint8_t { Modal = 0, Palette = 1 };
    short id = 0;
    Kind kind = Kind::Modal;
    bool growable = false;
    short width = 0; // client size, dialog units
    short height = 0;
    std::string title;               // UTF-8
    std::vector<ItemTemplate> items; // items[0] is item 1
};

constexpr uint32_t DialogResourceType = 0x444C4752; // 'DLGR'
// Every version is read: the help texts follow the items in the second, and the lists' columns
// and the pop-ups' entries follow those in the third.
constexpr uint16_t DialogResourceVersion = 1;
constexpr uint16_t DialogResourceVersionWithHelp = 2;
constexpr uint16_t DialogResourceVersionWithContents = 3;
constexpr size_t MaxDialogItems = 1000;

// Reads the bytes of a compiled dialog; false with the reason when they are not a sound one.
HOSTLIB_API bool DecodeDialogTemplate(const unsigned char* bytes, size_t size, DialogTemplate* dialog,
                                      std::string* why);
// The dialog `id` of a module's resources; false with the reason when it is missing or unsound.
HOSTLIB_API bool LoadDialogTemplate(GSResModule module, short id, DialogTemplate* dialog, std::string* why);

} // namespace DG
