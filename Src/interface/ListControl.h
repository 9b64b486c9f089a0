// "LSTC": a host multi-column, multi-select list box. Rows and columns count from 0 here and from
// 1 at the host; -1 (the host's 65535) names no row, or where said the last row or the end. The
// control keeps the row and column counts, a style per column, and optionally an editor per
// column: another control of the dialog that the host places over the column's cell in the edited
// row (ListCellEditors.cpp). Notifications of the host become events of the panel: a selection
// change or a tab field's update an ItemEvent of code 6 and data 0, a click an ActionEvent of code
// 4 and a double click one of code 5 (data a ListClick), the header's click, drag and resize
// ListHeader events (data a ListHeaderData), and drags DropEvents as the tree view's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Environment/String.h"
#include "geometry/ScreenPoint.h"
#include "interface/ControlObserver.h"
#include "interface/DialogControl.h"
#include "interface/InterfaceEvent.h"
#include "interface/ViewIterator.h"
#include "platform/dg/DGListBox.h"

namespace tarnwick {

class Colour;
class FieldProxy;

// One column's place, laid out exactly as the host's tab field record.
class ListColumnStyle {
public:
    static constexpr uint32_t DefaultStyle = 0x10000000;

    // Negative values count as 0: the column runs from start to start + width.
    explicit ListColumnStyle(int16_t width = 40, int16_t start = 0);
    ListColumnStyle(const ListColumnStyle&) = default;
    ListColumnStyle& operator=(const ListColumnStyle&) = default;
    virtual ~ListColumnStyle() = default;

    virtual std::unique_ptr<ListColumnStyle> clone() const {
        return std::make_unique<ListColumnStyle>(*this);
    }
    virtual const DGListTabData* getTabRecord() const { return &m_record; }

    int16_t getStart() const { return m_record.start; }
    int16_t getEnd() const { return m_record.end; }
    int16_t getWidth() const { return static_cast<int16_t>(m_record.end - m_record.start); }
    uint32_t getStyle() const { return m_record.style; }
    uint16_t getFurther() const { return m_record.further; }
    void setStart(int16_t start) { m_record.start = start; }
    void setEnd(int16_t end) { m_record.end = end; }
    void setStyle(uint32_t style) { m_record.style = style; }
    void setFurther(uint16_t further) { m_record.further = further; }

private:
    DGListTabData m_record;
};

// The data of a list's click and double click events.
struct ListClick {
    enum Modifier : uint16_t { None = 0, Command = 1, Option = 2, Shift = 4 };
    uint16_t listItem = 0; // the host's row, from 1
    int16_t x = 0;         // the mouse, from the list's top-left
    int16_t y = 0;
    uint16_t modifier = None; // only one: command before option before shift
};

// The data of the header events, the host's header record: a click (0, item, item, 0), a drag
// (0, old position, new position, 0), a resize (stage 0, 1 or 2, item, item, change); header
// items from 1.
using ListHeaderData = ListHeaderRecord;

class ListControl : public DialogControl {
public:
    static constexpr uint32_t TypeCode = fourCC("LSTC");
    static constexpr int16_t NoRow = -1;
    // Modes 0, 1 and 3 all walk every row (and begin as mode 0); mode 2 walks the selection.
    enum StepMode : uint32_t { Rows = 0, Siblings = 1, Selection = 2, Display = 3 };

    class ProxyList; // ListCellEditors.h
    using ColumnList = std::vector<std::unique_ptr<ListColumnStyle>>;

    // One row of the list. At the end when it has no list or its row is not one of the list's.
    class Node {
    public:
        Node(const ListControl* list, int16_t row) : m_list(const_cast<ListControl*>(list)), m_row(row) {}
        Node(const Node&) = default;
        Node& operator=(const Node&) = default;
        virtual ~Node() = default;

        virtual void setEntryImage(const Image& image, int16_t column);
        virtual void setBackgroundColour(const Colour& colour);

        int16_t getItem() const { return m_row; }
        bool isEnd() const;
        // Each does nothing, or answers 0, empty or false, at the end; the colour is black there.
        std::unique_ptr<Setting> getValue(int16_t column) const;
        String getText(int16_t column) const;
        Colour getColour(int16_t column) const;
        Image getImage(int16_t column) const;
        bool isSelected() const;
        uint64_t getUserData() const;
        void setValue(const Setting& value, int16_t column);
        void setStyle(const TextStyle& style, int16_t column);
        void select(bool selected);
        void setUserData(uint64_t value);
        // Steps by the mode and answers whether a row was reached; std::out_of_range at the end.
        bool next(uint32_t mode);
        bool prev(uint32_t mode);

    private:
        ListControl* m_list;
        int16_t m_row;
    };

    using iterator = StepIterator<Node>;
    using const_iterator = ConstStepIterator<Node>;

    class Observer : public ControlObserver, public DG::ListBoxObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void ListBoxSelectionChanged(const DG::ListBoxSelectionChangeEvent& event) override;
        void ListBoxClicked(const DG::ListBoxClickEvent& event) override;
        void ListBoxDoubleClicked(const DG::ListBoxClickEvent& event) override;
        void ListBoxTabFieldUpdated(const DG::ListBoxTabFieldUpdateEvent& event) override;
        void ListBoxHeaderItemClicked(const DG::ListBoxHeaderItemEvent& event) override;
        void ListBoxHeaderItemDragged(const DG::ListBoxHeaderItemDragEvent& event) override;
        void ListBoxHeaderItemResizeEntered(const DG::ListBoxHeaderItemEvent& event) override;
        void ListBoxHeaderItemResized(const DG::ListBoxHeaderItemEvent& event) override;
        void ListBoxHeaderItemResizeExited(const DG::ListBoxHeaderItemEvent& event) override;
        void ListBoxDragStarting(const DG::ListBoxDragSourceEvent& event, bool* canStart) override;
        void ListBoxDragStarted(const DG::ListBoxDragSourceEvent& event, DG::DragDrop::Effect* effect,
                                bool* rightDragMenu) override;
        void ListBoxDragEnded(const DG::ListBoxDragSourceEvent& event, DG::DragDrop::Effect effect) override;
        void ListBoxDragEntered(const DG::ListBoxDropTargetEvent& event, DG::DragDrop::Effect* effect,
                                bool* defBehaviour) override;
        void ListBoxDragMoved(const DG::ListBoxDropTargetEvent& event, DG::DragDrop::Effect* effect,
                              bool* defBehaviour) override;
        void ListBoxDragLeft(const DG::ListBoxDropTargetEvent& event, DG::DragDrop::Effect* effect) override;
        void ListBoxDropped(const DG::ListBoxDropTargetEvent& event, DG::DragDrop::Effect* effect) override;
    };

    ~ListControl() override;

    // Keeps a click's mouse offset, publishes, then moves the column editors: code 1 hides them
    // and leaves no edited row, a selection change (code 6, no data) moves them to the first
    // selected row.
    bool publish(Event& event) override;
    // Copies the columns and the cell values; shares the host list box.
    std::unique_ptr<DialogControl> clone() const override;
    // Row -1 or a row past the last answers -1.
    int16_t nextSelected(int16_t row) const override;
    bool isSelected(int16_t row) const override;
    // A new setting for the cell: the column editor's kind of value, else the cell's text.
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    String getEntryText(int16_t row = 0) const override { return getEntryText(row, 0); }
    Image getEntryImage(int16_t row = 0) const override;
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;
    void setEntryText(int16_t row, const String& text) override { setEntryText(text, row, 0); }
    void setEntryImage(int16_t row, const Image& image) override;
    // Shows the column editors, then adds or deletes rows and columns at the end.
    // Every step runs; the answer is false when any of them failed.
    bool setDimensions(int16_t rows, uint16_t columns) override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;
    using DialogControl::redraw;
    using DialogControl::setStyle;

    // The column editor's entry text; empty without an editor.
    virtual String getEntryText(int16_t row, int16_t column) const;
    // The column editor's entry image, else the cell's icon.
    virtual Image getEntryImage(int16_t row, int16_t column) const;
    virtual void setEntryText(const String& text, int16_t row, int16_t column);
    virtual void setEntryImage(const Image& image, int16_t row, int16_t column);
    // Row -1: the whole item; style word 1 bold, 2 italic, 4 both; then the style's colour.
    virtual void setStyle(const TextStyle& style, int16_t row, int16_t column);
    // Row -1: the whole item.
    virtual void redraw(int16_t row);

    virtual const_iterator cbegin(uint32_t mode = Rows) const;
    virtual iterator begin(uint32_t mode = Rows);
    virtual const_iterator cend() const;
    virtual iterator end();
    virtual const_iterator crbegin(uint32_t mode = Rows) const;
    virtual iterator rbegin(uint32_t mode = Rows);
    virtual Colour getColour(int16_t row) const;
    virtual int16_t getStatus(int16_t row) const;
    virtual uint64_t getUserData(int16_t row) const;
    virtual int16_t getHScrollPosition() const;
    virtual int16_t getScrollPosition() const;
    virtual ScreenPoint getLastMouseOffset() const { return m_lastMouse; }
    // The column or row under a point of the panel (of the list with itemRelative); -1 for none.
    // Rows lie below the header in bands of the row height, both ends in; the scroll is not
    // taken into account.
    virtual int16_t getColumnAt(const ScreenPoint& point, bool itemRelative) const;
    virtual int16_t getRowAt(const ScreenPoint& point, bool itemRelative) const;
    // The edited row then follows the first selected row, where the host shows the editors.
    virtual void select(bool selected, int16_t row);
    virtual void selectAll();
    virtual void deselectAll();
    virtual void setColour(const Colour& colour, int16_t row);
    virtual void setStatus(int16_t status, int16_t row);
    virtual void setUserData(uint64_t value, int16_t row);
    virtual void setHScrollPosition(int16_t position);
    virtual void setScrollPosition(int16_t row);
    virtual void setBackgroundColour(const Colour& colour, int16_t row);
    // Rows and columns at a position past the end add the excess; a negative one counts back from
    // the count and starts at 0; -1 (65535) as a row position is the end, as a first row the last.
    virtual bool appendRows(int16_t count);
    virtual bool deleteRows(int16_t first, int16_t count);
    // False when the rows would pass 32767.
    virtual bool insertRows(int16_t position, int16_t count);
    virtual bool appendColumns(const ListColumnStyle& style, int16_t count);
    virtual bool insertColumns(int16_t position, const ListColumnStyle& style, int16_t count);
    virtual bool deleteColumns(int16_t first, int16_t count);
    // std::out_of_range "invalid vector<T> subscript" past the last column.
    virtual ListColumnStyle& getColumnStyle(int16_t column);
    virtual const ListColumnStyle& getColumnStyle(int16_t column) const;
    virtual uint16_t getColumnGap() const { return m_gap; }
    virtual int16_t getRowHeight() const;
    virtual void setColumnStyle(const ListColumnStyle& style, int16_t column);
    virtual void setColumnGap(uint16_t gap);
    // Header items count from 0.
    virtual int16_t getHeaderFlags() const;
    virtual int16_t getHeaderHeight() const;
    virtual int16_t getHeaderItemCount() const;
    virtual String getHeaderItemText(int16_t index) const; // empty past the last
    virtual int16_t getHeaderItemSize(int16_t index) const;
    virtual int16_t getHeaderItemArrowType(int16_t index) const;
    virtual void setHeaderFlags(int16_t flags);
    virtual void setHeaderItemCount(int16_t count);
    virtual void setHeaderItemText(const String& text, int16_t index);
    virtual void setHeaderItemFont(int16_t font, int16_t index);
    virtual void setHeaderItemFlags(int16_t flags, int16_t index); // nothing past the last
    virtual void setHeaderItemSize(int16_t size, int16_t index);
    virtual void setHeaderItemMinSize(int16_t size, int16_t index);
    virtual void setHeaderItemArrowType(int16_t arrowType, int16_t index);
    // An editor of the same dialog whose item id is below the list's, for an existing column; null
    // takes the column's editor away. False, storing nothing, otherwise.
    virtual bool setColumnControl(DialogControl* editor, int16_t column);
    virtual String getTabItemText(int16_t row, int16_t column) const;
    virtual void setTabItemText(const String& text, int16_t row, int16_t column);
    // Moves the cells' columns right where they overlap, keeping the gap, and gives the host the
    // columns in one call.
    virtual void layoutColumns();

    DialogControl* getColumnControl(int16_t column) const;
    bool isColumnControlShown(int16_t column) const;
    // Column -1: every column; a column past the last: none.
    void setColumnControlsShown(bool shown, int16_t column);
    // Writes the editors' values into the old edited row, gives them the new row's and places them
    // on their tab fields; -1 leaves no edited row.
    void setEditedRow(int16_t row);
    int16_t getEditedRow() const { return m_editedRow; }
    void setColumnControlsEnabled(bool enabled) { m_editorsEnabled = enabled; }
    void setDrawEnabled(bool enabled);
    bool isValidRow(int16_t row) const { return row >= 0 && row < getRows(); }

    DG::MultiSelListBox* getItem() const { return m_item.get(); }

protected:
    explicit ListControl(const ControlLink& link, int16_t rows = 0, uint16_t columns = 0,
                         const ListColumnStyle& style = ListColumnStyle());
    ListControl(const ListControl& other);

private:
    // The column's proxy while editors are enabled; null otherwise.
    FieldProxy* columnProxy(int16_t column) const;
    // Takes every editor off its tab field, and puts back those shown: after columns moved.
    void replaceEditors(bool off);
    short dialId() const { return static_cast<short>(getDialogId()); }
    short itemId() const { return static_cast<short>(getItemId()); }
    static short host(int16_t index) { return static_cast<short>(index + 1); }

    std::shared_ptr<DG::MultiSelListBox> m_item;
    ColumnList m_columns;
    std::unique_ptr<ProxyList> m_proxies;
    int16_t m_editedRow = NoRow;
    ScreenPoint m_lastMouse;
    uint16_t m_gap = 0;
    bool m_editorsEnabled = true;
};

} // namespace tarnwick
