// The dialog manager's small value types: rectangles, colours, drag effects, the mouse record and
// the kinds of dialog items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Point.h"
#include "platform/api/HostTypes.h"

namespace DG {

// Left, top inclusive; right, bottom exclusive. Dialog units for items, pixels for monitors.
class Rect {
public:
    Rect() = default;
    Rect(short left, short top, short right, short bottom)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}

    short GetLeft() const { return m_left; }
    short GetTop() const { return m_top; }
    short GetRight() const { return m_right; }
    short GetBottom() const { return m_bottom; }
    short GetWidth() const { return static_cast<short>(m_right - m_left); }
    short GetHeight() const { return static_cast<short>(m_bottom - m_top); }
    Point GetLeftTop() const { return Point(m_left, m_top); }
    Point GetRightBottom() const { return Point(m_right, m_bottom); }
    bool IsEmpty() const { return m_right <= m_left || m_bottom <= m_top; }
    bool Contains(Point p) const {
        return p.GetX() >= m_left && p.GetX() < m_right && p.GetY() >= m_top && p.GetY() < m_bottom;
    }

    bool operator==(const Rect&) const = default;

private:
    short m_left = 0;
    short m_top = 0;
    short m_right = 0;
    short m_bottom = 0;
};

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

namespace DragDrop {
using Effect = unsigned short;
constexpr Effect None = 0;
constexpr Effect Copy = 1;
constexpr Effect Move = 2;
constexpr Effect Link = 4;
constexpr Effect All = 7;
} // namespace DragDrop

// Modifier keys held during a click, as the mouse record reports them.
enum ModifierKey : short {
    NoModifier = 0,
    ShiftKey = 1,
    OptionKey = 2,  // alt
    CommandKey = 4, // control
};

// Item kinds of a dialog resource.
enum class ItemType : uint8_t {
    Button = 1,
    LeftText,
    CenterText,
    RightText,
    TextEdit,
    CheckBox,
    ListBox,
    TreeView,
    PopUp,
    UserControl,
    UserItem,
};

// The resource word of a kind ("button", "left-text", ...), and back; false for an unknown word.
HOSTLIB_API const char* ItemTypeName(ItemType type);
HOSTLIB_API bool ItemTypeNamed(const char* name, ItemType* type);
// "a button", "an edit-text", for messages.
HOSTLIB_API std::string ItemTypeWithArticle(ItemType type);

// Panel size kinds of DGGetDialogClientSize.
enum SizeKind : short {
    CurrentSize = 0,
    ResourceSize = 1,   // as the dialog resource gives it
    RememberedSize = 2, // the size the panel of this resource had when it last closed, else the resource's
};

// Anchors of a size change: the point of the frame that stays where it is.
enum Anchor : short {
    TopLeft = 1,
    TopCenter,
    TopRight,
    CenterLeft,
    Center,
    CenterRight,
    BottomLeft,
    BottomCenter,
    BottomRight,
};

// Item fonts of DGSetItemFont.
enum FontCode : short {
    LargePlainFont = 0,
    SmallPlainFont = 4,
    ExtraSmallFont = 8,
};

constexpr short TopMost = -32768; // z position and Show(): in front of every other panel

} // namespace DG

// The mouse as DGGetMousePosition reports it (24 bytes).
struct DGMousePosData {
    short dialId = 0; // the panel under the mouse, 0 for none
    short item = 0;   // the item under the mouse, 0 for none
    short localX = 0; // in the panel's client area, dialog units
    short localY = 0;
    short globalX = 0; // on the screen, pixels
    short globalY = 0;
    short buttons = 0; // 1 left, 2 right
    short reserved1 = 0;
    short modifiers = 0; // DG::ModifierKey bits held
    short reserved2[3] = {};
};
static_assert(sizeof(DGMousePosData) == 24 && offsetof(DGMousePosData, modifiers) == 16);
