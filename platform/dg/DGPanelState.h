// What the dialog manager knows of a panel and its items: the headless stand-in for what would be
// on the screen. Kept by the panel, read and changed by the DG functions and the desk.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DGDialogTemplate.h"
#include "platform/graphics/NativeContext.h"
#include "platform/gsroot/UniString.h"

namespace DG {

class Image;
class Item;
class ListState;
class Panel;
class PopUpState;
class PanelObserver;
class TreeState;

struct ItemState {
    ItemType type = ItemType::Button;
    Rect rect; // dialog units
    GS::UniString text;
    GS::UniString tooltip; // shown while the mouse rests on the item; empty for none
    bool enabled = true;
    bool visible = true;
    long value = 0;
    short font = LargePlainFont;
    Color textColor;
    Color backgroundColor;
    bool coloured = false;              // a text or background colour was set
    std::shared_ptr<const Image> image; // a button's picture, none until set
    std::vector<Item*> objects;         // the add-on's objects standing for the item, in the order made
    std::shared_ptr<TreeState> tree;    // a tree view's items (TreeOf), none until wanted
    std::shared_ptr<ListState> list;    // a list box's rows (ListOf), none until wanted
    std::shared_ptr<PopUpState> popUp;  // a pop-up's or user control's entries (PopUpOf)
    // What a user item shows: the calls drawn at its last update, none before the first.
    std::shared_ptr<NewDisplay::NativeContext::Drawing> picture;
};

struct PanelState {
    enum class Kind { Modal, Palette };

    Panel* panel = nullptr;
    Kind kind = Kind::Modal;
    short id = 0; // 0: invalid
    short resourceId = 0;
    GSResModule module = nullptr;
    GS::UniString title;
    std::vector<ItemState> items; // items[0] is item 1
    short width = 0;              // client size, dialog units
    short height = 0;
    short minWidth = 0;
    short minHeight = 0;
    bool growable = false;
    Point framePosition; // pixels
    double scale = 1.0;
    bool open = false;
    bool visible = false;
    bool active = false;
    bool closeAccepted = false; // how the last close went
    bool dragAndDrop = false;
    short focus = 0; // item with the focus, 0 none
    std::vector<PanelObserver*> observers;
    std::map<short, short> hotKeys; // id -> key code
    short nextHotKey = 1;
    int redraws = 0;
    int moveGrowDepth = 0; // DGBeginMoveGrowItems not yet balanced

    ItemState* item(short number) {
        return number >= 1 && static_cast<size_t>(number) <= items.size() ? &items[number - 1] : nullptr;
    }
    // Leaves the add-on's item objects standing for nothing (the panel is going).
    void orphanItems();
    // Frame size, pixels: the client size with the frame's border, scaled and rounded.
    Point frameSize() const;
    // The client area's offset in the frame, pixels.
    Point clientOffset() const;
};

// The frame's border around the client area, dialog units.
constexpr short FrameBorderX = 4;
constexpr short FrameTitleY = 24;

// floor(v * scale + 0.5) and floor(v / scale + 0.5), kept in a short.
HOSTLIB_API short ToPixels(double units, double scale);
HOSTLIB_API short ToUnits(double pixels, double scale);

} // namespace DG
