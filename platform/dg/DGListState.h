// The rows, tab fields and header of one list box, as the dialog manager keeps them. Rows are
// numbered from 1.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "DGGapBuffer.h"
#include "DGImage.h"
#include "DGListBox.h"
#include "platform/gsroot/UniString.h"

namespace DG {

struct ItemState;
struct PanelState;

class HOSTLIB_API ListState {
public:
    static constexpr short ItemHeight = 16; // dialog units a row
    static constexpr short HeaderBarHeight = 20;
    static constexpr short MaxRows = 32767;

    struct Cell {
        GS::UniString text;
        Icon icon;
    };
    struct Row {
        std::vector<Cell> cells; // by tab field, from field 1; grown when written
        bool selected = false;
        short style = 0;  // 16 bold, 32 italic
        uint16_t red = 0; // the text colour, 16 bits a component; black at first
        uint16_t green = 0;
        uint16_t blue = 0;
        bool hasBackground = false;
        uint16_t backRed = 0;
        uint16_t backGreen = 0;
        uint16_t backBlue = 0;
        short status = 0;
        uint64_t userData = 0;
    };
    struct HeaderItem {
        GS::UniString text;
        short font = 0;
        short flags = 0;
        short size = 0;
        short minSize = 0;
        short arrowType = 0;
    };

    short Count() const { return static_cast<short>(m_rows.Count()); }
    // Null for a row outside 1..Count().
    Row* Find(short row) { return m_rows.Find(row); }
    const Row* Find(short row) const { return m_rows.Find(row); }
    // A new empty row at `row` (1..Count() + 1); false beyond that or at MaxRows.
    bool Insert(short row);
    // False for a row outside 1..Count(); 0 deletes every row.
    bool Delete(short row);

    // Answers whether the selection changed; row 0 every row.
    bool Select(short row, bool on);
    short SelectedCount() const;
    // The first selected row from `row` on (the row itself when selected); 0 when none.
    short FirstSelectedFrom(short row) const;

    // The header's height: none without header items.
    short HeaderHeight() const { return header.empty() ? 0 : HeaderBarHeight; }
    // A cell's text, empty for a cell never written.
    GS::UniString CellText(short row, short tabField) const;
    Cell* WritableCell(short row, short tabField);

    std::vector<DGListTabData> tabs;
    std::vector<HeaderItem> header;
    short headerFlags = 0;
    short scroll = 1; // the first row shown
    short hScroll = 0;
    int drawDisabled = 0;
    int redraws = 0;
    std::unordered_map<short, short> tabItems; // tab field -> the dialog item that sits on it
    short tabItemRow = 0;                      // the row they sit over, 0 none
    short anchor = 0;                          // the user's last plain click

private:
    GapBuffer<Row> m_rows;
    mutable std::vector<short> m_selected; // selected rows in order, rebuilt when dirty
    mutable bool m_selectionDirty = false;
};

// The rows of a list-box item, made when first wanted; null for an item of another kind.
HOSTLIB_API ListState* ListOf(ItemState& item);
// The lists on whose tab fields the dialog item sits hear ListBoxTabFieldUpdated, after the
// notification being delivered.
void TabItemChanged(class Panel& panel, short dialItem);
// Moves every dialog item placed on a tab field of the list over that field in the first
// selected row and shows it; with no row selected they are hidden where they are.
HOSTLIB_API void PlaceTabItems(PanelState& panel, short listItem);

} // namespace DG
