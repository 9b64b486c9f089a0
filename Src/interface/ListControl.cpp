#include "interface/ListControl.h"

#include <algorithm>
#include <stdexcept>

#include "elements/text/TextStyle.h"
#include "interface/InterfacePanel.h"
#include "interface/ListCellEditors.h"
#include "interface/RowWalk.h"
#include "persistence/Setting.h"
#include "platform/dg/DGFunctions.h"
#include "project/Colour.h"
#include "project/Image.h"

namespace tarnwick {

namespace {

constexpr int32_t MaxRows = 32767;

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

[[noreturn]] void badColumn() {
    throw std::out_of_range("invalid vector<T> subscript");
}

// Drawing off for the life of the scope.
class DrawingOff {
public:
    explicit DrawingOff(ListControl& list) : m_list(list) { m_list.setDrawEnabled(false); }
    ~DrawingOff() { m_list.setDrawEnabled(true); }
    DrawingOff(const DrawingOff&) = delete;
    DrawingOff& operator=(const DrawingOff&) = delete;

private:
    ListControl& m_list;
};

} // namespace

ListColumnStyle::ListColumnStyle(int16_t width, int16_t start) {
    m_record.start = std::max<int16_t>(start, 0);
    m_record.end =
        static_cast<int16_t>(std::min<int32_t>(m_record.start + std::max<int16_t>(width, 0), 32767));
    m_record.style = DefaultStyle;
}

ListControl::ListControl(const ControlLink& link, int16_t rows, uint16_t columns,
                         const ListColumnStyle& style)
    : DialogControl(link, 0, 0) {
    if (columns > 0) insertColumns(0, style, static_cast<int16_t>(std::min<uint16_t>(columns, 32767)));
    if (rows > 0) appendRows(rows);
}

ListControl::ListControl(const ListControl& other)
    : DialogControl(other), m_item(other.m_item),
      m_proxies(other.m_proxies ? std::make_unique<ProxyList>(*other.m_proxies) : nullptr),
      m_editedRow(other.m_editedRow), m_lastMouse(other.m_lastMouse), m_gap(other.m_gap),
      m_editorsEnabled(other.m_editorsEnabled) {
    m_columns.reserve(other.m_columns.size());
    for (const auto& style : other.m_columns)
        m_columns.push_back(style->clone());
}

ListControl::~ListControl() {
    m_columns.clear();
    m_proxies.reset();
    releaseItem();
}

std::unique_ptr<DialogControl> ListControl::clone() const {
    return std::unique_ptr<DialogControl>(new ListControl(*this));
}

bool ListControl::publish(Event& event) {
    auto* interfaceEvent = dynamic_cast<InterfaceEvent*>(&event);
    if (auto* action = dynamic_cast<ActionEvent*>(&event);
        action != nullptr && (action->getCode() == 4 || action->getCode() == 5)) {
        if (const auto* click = dataPointer<const ListClick>(action->getData()))
            m_lastMouse = ScreenPoint(click->x, click->y);
    }
    // A subscriber may close the dialog or delete this list: it lives on until the handling ends,
    // but then it has nothing more to do with its host item.
    InterfacePanel* panel = getPanel();
    uint32_t serial = panel != nullptr ? panel->getSerial() : 0;
    bool handled = DialogControl::publish(event);
    panel = InterfacePanel::findBySerial(serial);
    if (panel == nullptr || !panel->isOpen() || panel->findControl(getItemId()) != this) return handled;
    if (!m_proxies || interfaceEvent == nullptr) return handled;
    if (interfaceEvent->getCode() == 1) {
        m_editedRow = NoRow;
        bool enabled = m_editorsEnabled;
        m_editorsEnabled = true;
        for (int16_t column = 0; column < static_cast<int16_t>(getColumns()); ++column)
            if (DialogControl* editor = getColumnControl(column)) editor->setVisible(false);
        m_editorsEnabled = enabled;
    } else if (interfaceEvent->getCode() == 6 && interfaceEvent->getData() == 0) {
        setEditedRow(nextSelected(0));
        redraw(NoRow);
    }
    return handled;
}

int16_t ListControl::nextSelected(int16_t row) const {
    if (!isValidRow(row)) return NoRow;
    short found = DGListGetSelected(dialId(), itemId(), host(row));
    return found != 0 && found - 1 >= row ? static_cast<int16_t>(found - 1) : NoRow;
}

bool ListControl::isSelected(int16_t row) const {
    return isValidRow(row) && DGListGetSelected(dialId(), itemId(), host(row)) == host(row);
}

Image ListControl::getEntryImage(int16_t row) const {
    return getEntryImage(row, 0);
}

void ListControl::setEntryImage(int16_t row, const Image& image) {
    setEntryImage(image, row, 0);
}

String ListControl::getEntryText(int16_t row, int16_t column) const {
    DialogControl* editor = getColumnControl(column);
    return editor != nullptr ? editor->getEntryText(row) : String();
}

Image ListControl::getEntryImage(int16_t row, int16_t column) const {
    if (!isValidCell(row, column)) return Image();
    if (DialogControl* editor = getColumnControl(column)) return editor->getEntryImage(row);
    return Image(DGListGetTabItemIcon(dialId(), itemId(), host(row), host(column)));
}

void ListControl::setEntryText(const String& text, int16_t row, int16_t column) {
    if (DialogControl* editor = getColumnControl(column)) editor->setEntryText(row, text);
    setTabItemText(text, row, column);
}

void ListControl::setEntryImage(const Image& image, int16_t row, int16_t column) {
    if (isValidCell(row, column))
        DGListSetTabItemIcon(dialId(), itemId(), host(row), host(column), image.toDGIcon());
}

void ListControl::setStyle(const TextStyle& style, int16_t row, int16_t column) {
    if (row == NoRow) return DialogControl::setStyle(style);
    if (!isValidCell(row, column)) return;
    DGListSetItemStyle(dialId(), itemId(), host(row), hostStyleOf(style.getStyle()));
    setColour(style.getColour(), row);
}

void ListControl::redraw(int16_t row) {
    if (row == NoRow) return DialogControl::redraw();
    if (isValidRow(row)) DGListRedrawItem(dialId(), itemId(), host(row));
}

bool ListControl::setDimensions(int16_t rows, uint16_t columns) {
    setColumnControlsShown(true, NoRow);
    bool done = true;
    if (rows > getRows())
        done = appendRows(static_cast<int16_t>(rows - getRows()));
    else if (rows < getRows())
        done = deleteRows(rows, static_cast<int16_t>(getRows() - rows));
    auto wanted = static_cast<int32_t>(std::min<uint16_t>(columns, 32767));
    auto have = static_cast<int32_t>(getColumns());
    if (wanted < have)
        done = deleteColumns(static_cast<int16_t>(wanted), static_cast<int16_t>(have - wanted)) && done;
    else if (wanted > have)
        done = appendColumns(ListColumnStyle(), static_cast<int16_t>(wanted - have)) && done;
    return done;
}

std::unique_ptr<ControlObserver> ListControl::makeObserver() const {
    return std::make_unique<Observer>();
}

void ListControl::createItem(DG::Panel& panel) {
    m_item = std::make_shared<DG::MultiSelListBox>(panel, itemId());
}

void ListControl::releaseItem() {
    m_item.reset();
}

ListControl::const_iterator ListControl::cbegin(uint32_t mode) const {
    const rowwalk::Start at = rowwalk::first(*this, mode);
    return const_iterator(Node(this, at.row), at.mode);
}

ListControl::iterator ListControl::begin(uint32_t mode) {
    const_iterator first = cbegin(mode);
    return iterator(*first.tryNode(), first.getMode());
}

ListControl::const_iterator ListControl::cend() const {
    return const_iterator(Node(this, NoRow), Rows);
}

ListControl::iterator ListControl::end() {
    return iterator(Node(this, NoRow), Rows);
}

ListControl::const_iterator ListControl::crbegin(uint32_t mode) const {
    const rowwalk::Start at = rowwalk::last(*this, mode);
    return const_iterator(Node(this, at.row), at.mode);
}

ListControl::iterator ListControl::rbegin(uint32_t mode) {
    const_iterator last = crbegin(mode);
    return iterator(*last.tryNode(), last.getMode());
}

Colour ListControl::getColour(int16_t row) const {
    unsigned short red = 0, green = 0, blue = 0;
    if (isValidRow(row)) (void)DGListGetItemColor(dialId(), itemId(), host(row), &red, &green, &blue);
    return Colour(uint16_t(red), uint16_t(green), uint16_t(blue), uint16_t(65535));
}

int16_t ListControl::getStatus(int16_t row) const {
    return isValidRow(row) ? DGListGetItemStatus(dialId(), itemId(), host(row)) : 0;
}

uint64_t ListControl::getUserData(int16_t row) const {
    return isValidRow(row) ? DGListGetItemUserData(dialId(), itemId(), host(row)) : 0;
}

int16_t ListControl::getHScrollPosition() const {
    return DGListGetHScrollPosition(dialId(), itemId());
}

int16_t ListControl::getScrollPosition() const {
    return DGListGetScrollPosition(dialId(), itemId());
}

int16_t ListControl::getColumnAt(const ScreenPoint& point, bool itemRelative) const {
    int32_t x = point.getX() - (itemRelative ? 0 : getPosition().getX());
    for (size_t column = 0; column < m_columns.size(); ++column)
        if (m_columns[column]->getStart() <= x && x <= m_columns[column]->getEnd())
            return static_cast<int16_t>(column);
    return NoRow;
}

int16_t ListControl::getRowAt(const ScreenPoint& point, bool itemRelative) const {
    int32_t below = point.getY() - (itemRelative ? 0 : getPosition().getY()) - getHeaderHeight();
    int32_t height = getRowHeight();
    if (below < 0 || height <= 0) return NoRow;
    // Bands share their edges; the first band holding the point wins.
    int32_t row = below / height;
    if (row > 0 && below % height == 0) --row;
    return row < getRows() ? static_cast<int16_t>(row) : NoRow;
}

void ListControl::select(bool selected, int16_t row) {
    if (!isValidRow(row)) return;
    if (selected)
        DGListSelectItem(dialId(), itemId(), host(row));
    else
        DGListDeselectItem(dialId(), itemId(), host(row));
    setEditedRow(nextSelected(0));
}

void ListControl::selectAll() {
    DGListSelectItem(dialId(), itemId(), DG::ListAllItems);
}

void ListControl::deselectAll() {
    DGListDeselectItem(dialId(), itemId(), DG::ListAllItems);
}

void ListControl::setColour(const Colour& colour, int16_t row) {
    if (!isValidRow(row)) return;
    uint16_t red = 0, green = 0, blue = 0;
    colour.getRGB16(red, green, blue);
    DGListSetItemColor(dialId(), itemId(), host(row), red, green, blue);
}

void ListControl::setStatus(int16_t status, int16_t row) {
    if (isValidRow(row)) DGListSetItemStatus(dialId(), itemId(), host(row), status);
}

void ListControl::setUserData(uint64_t value, int16_t row) {
    if (isValidRow(row)) DGListSetItemUserData(dialId(), itemId(), host(row), value);
}

void ListControl::setHScrollPosition(int16_t position) {
    DGListSetHScrollPosition(dialId(), itemId(), position);
}

void ListControl::setScrollPosition(int16_t row) {
    DGListSetScrollPosition(dialId(), itemId(), row);
}

void ListControl::setBackgroundColour(const Colour& colour, int16_t row) {
    if (!isValidRow(row)) return;
    uint16_t red = 0, green = 0, blue = 0;
    colour.getRGB16(red, green, blue);
    DGListSetItemBackgroundColor(dialId(), itemId(), host(row), red, green, blue);
}

bool ListControl::appendRows(int16_t count) {
    return insertRows(NoRow, count);
}

bool ListControl::insertRows(int16_t position, int16_t count) {
    int32_t at = position == NoRow ? getRows() : position;
    int32_t many = count;
    if (!clampInsertion(getRows(), at, many)) return true;
    // Checked with the excess of a position past the end counted in.
    if (many > MaxRows - getRows()) return false;
    if (m_proxies) m_proxies->insertRows(static_cast<int16_t>(at), static_cast<int16_t>(many));
    // The edited row moves down with its row, so that its editor's value goes back where it was
    // typed.
    if (m_editedRow != NoRow && m_editedRow >= at) m_editedRow = static_cast<int16_t>(m_editedRow + many);
    short hostAt = at == getRows() ? DG::ListBottom : host(static_cast<int16_t>(at));
    DialogControl::setDimensions(static_cast<int16_t>(getRows() + many), getColumns());
    {
        DrawingOff off(*this);
        for (int32_t i = 0; i < many; ++i)
            DGListInsertItem(dialId(), itemId(), hostAt);
    }
    DialogControl::redraw();
    return true;
}

bool ListControl::deleteRows(int16_t first, int16_t count) {
    int32_t from = first == NoRow ? getRows() - 1 : first;
    int32_t many = count;
    if (!clampRange(getRows(), from, many)) return true;
    const int32_t rows = getRows();
    const bool all = many == rows;
    // The selection that survives, noted while every row is still there.
    std::vector<int16_t> kept;
    if (!all)
        for (const_iterator at = cbegin(Selection); !at.isEnd(); ++at) {
            int16_t row = at->getItem();
            if (row < from) kept.push_back(row);
            if (row >= from + many) kept.push_back(static_cast<int16_t>(row - many));
        }
    if (m_editedRow != NoRow && (m_editedRow >= from || all)) {
        if (all) {
            m_editedRow = NoRow;
        } else {
            bool reachesEnd = from + many >= rows;
            auto to = static_cast<int16_t>(reachesEnd ? from - 1 : from + many);
            setEditedRow(to);
            if (to > from) m_editedRow = static_cast<int16_t>(m_editedRow - many);
        }
    }
    if (m_proxies) m_proxies->eraseRows(static_cast<int16_t>(from), static_cast<int16_t>(many));
    DialogControl::setDimensions(static_cast<int16_t>(rows - many), getColumns());
    {
        DrawingOff off(*this);
        if (all) {
            DGListDeleteItem(dialId(), itemId(), DG::ListAllItems);
        } else {
            deselectAll();
            for (int32_t i = 0; i < many; ++i)
                DGListDeleteItem(dialId(), itemId(), host(static_cast<int16_t>(from)));
            for (int16_t row : kept)
                select(true, row);
        }
    }
    DialogControl::redraw();
    return true;
}

bool ListControl::appendColumns(const ListColumnStyle& style, int16_t count) {
    return insertColumns(static_cast<int16_t>(getColumns()), style, count);
}

bool ListControl::insertColumns(int16_t position, const ListColumnStyle& style, int16_t count) {
    int32_t at = position;
    int32_t many = count;
    if (!clampInsertion(getColumns(), at, many)) return true;
    many = std::min<int32_t>(many, 32767 - getColumns());
    replaceEditors(true);
    if (m_proxies) m_proxies->insertColumns(static_cast<int16_t>(at), static_cast<int16_t>(many));
    DialogControl::setDimensions(getRows(), static_cast<uint16_t>(getColumns() + many));
    ColumnList made;
    made.reserve(static_cast<size_t>(many));
    for (int32_t i = 0; i < many; ++i)
        made.push_back(style.clone());
    m_columns.insert(m_columns.begin() + at, std::make_move_iterator(made.begin()),
                     std::make_move_iterator(made.end()));
    layoutColumns();
    replaceEditors(false);
    return true;
}

bool ListControl::deleteColumns(int16_t first, int16_t count) {
    int32_t from = first;
    int32_t many = count;
    if (!clampRange(getColumns(), from, many)) return true;
    replaceEditors(true);
    if (m_proxies) m_proxies->eraseColumns(static_cast<int16_t>(from), static_cast<int16_t>(many));
    DialogControl::setDimensions(getRows(), static_cast<uint16_t>(getColumns() - many));
    m_columns.erase(m_columns.begin() + from, m_columns.begin() + from + many);
    layoutColumns();
    replaceEditors(false);
    return true;
}

ListColumnStyle& ListControl::getColumnStyle(int16_t column) {
    if (column < 0 || static_cast<size_t>(column) >= m_columns.size()) badColumn();
    return *m_columns[static_cast<size_t>(column)];
}

const ListColumnStyle& ListControl::getColumnStyle(int16_t column) const {
    return const_cast<ListControl*>(this)->getColumnStyle(column);
}

int16_t ListControl::getRowHeight() const {
    return DGListGetItemHeight(dialId(), itemId());
}

void ListControl::setColumnStyle(const ListColumnStyle& style, int16_t column) {
    ListColumnStyle& target = getColumnStyle(column);
    target.setStart(style.getStart());
    target.setEnd(style.getEnd());
    target.setStyle(style.getStyle());
    target.setFurther(style.getFurther());
    layoutColumns();
}

void ListControl::setColumnGap(uint16_t gap) {
    m_gap = gap;
    layoutColumns();
}

void ListControl::layoutColumns() {
    if (m_columns.empty()) return;
    std::vector<DGListTabData> records;
    records.reserve(m_columns.size());
    int32_t running = 0;
    for (auto& column : m_columns) {
        if (column->getStart() < running) {
            int16_t width = column->getWidth();
            column->setStart(static_cast<int16_t>(std::min(running, 32767)));
            column->setEnd(static_cast<int16_t>(std::min(running + width, 32767)));
        }
        // From the column's end, so that a column already further right is not overlapped.
        running = column->getEnd() + m_gap;
        records.push_back(*column->getTabRecord());
    }
    {
        DrawingOff off(*this);
        DGListSetTabData(dialId(), itemId(), static_cast<short>(records.size()), records.data());
    }
    DialogControl::redraw();
}

int16_t ListControl::getHeaderFlags() const {
    return DGListGetHeaderFlags(dialId(), itemId());
}

int16_t ListControl::getHeaderHeight() const {
    return DGListGetHeaderHeight(dialId(), itemId());
}

int16_t ListControl::getHeaderItemCount() const {
    return DGListGetHeaderItemCount(dialId(), itemId());
}

String ListControl::getHeaderItemText(int16_t index) const {
    if (index < 0 || index >= getHeaderItemCount()) return String();
    return String(DGListGetHeaderItemText(dialId(), itemId(), host(index)));
}

int16_t ListControl::getHeaderItemSize(int16_t index) const {
    return DGListGetHeaderItemSize(dialId(), itemId(), host(index));
}

int16_t ListControl::getHeaderItemArrowType(int16_t index) const {
    return DGListGetHeaderItemArrowType(dialId(), itemId(), host(index));
}

void ListControl::setHeaderFlags(int16_t flags) {
    DGListSetHeaderFlags(dialId(), itemId(), flags);
}

void ListControl::setHeaderItemCount(int16_t count) {
    DGListSetHeaderItemCount(dialId(), itemId(), count);
}

void ListControl::setHeaderItemText(const String& text, int16_t index) {
    DGListSetHeaderItemText(dialId(), itemId(), host(index), text.toUniString());
}

void ListControl::setHeaderItemFont(int16_t font, int16_t index) {
    DGListSetHeaderItemFont(dialId(), itemId(), host(index), font);
}

void ListControl::setHeaderItemFlags(int16_t flags, int16_t index) {
    if (index >= 0 && index < getHeaderItemCount())
        DGListSetHeaderItemFlags(dialId(), itemId(), host(index), flags);
}

void ListControl::setHeaderItemSize(int16_t size, int16_t index) {
    DGListSetHeaderItemSize(dialId(), itemId(), host(index), size);
}

void ListControl::setHeaderItemMinSize(int16_t size, int16_t index) {
    DGListSetHeaderItemMinSize(dialId(), itemId(), host(index), size);
}

void ListControl::setHeaderItemArrowType(int16_t arrowType, int16_t index) {
    DGListSetHeaderItemArrowType(dialId(), itemId(), host(index), arrowType);
}

String ListControl::getTabItemText(int16_t row, int16_t column) const {
    return String(DGListGetTabItemText(dialId(), itemId(), host(row), host(column)));
}

void ListControl::setTabItemText(const String& text, int16_t row, int16_t column) {
    DGListSetTabItemText(dialId(), itemId(), host(row), host(column), text.toUniString());
}

void ListControl::setDrawEnabled(bool enabled) {
    if (enabled)
        DGListEnableDraw(dialId(), itemId());
    else
        DGListDisableDraw(dialId(), itemId());
}

} // namespace tarnwick
