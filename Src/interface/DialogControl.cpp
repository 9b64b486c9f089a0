#include "interface/DialogControl.h"

#include <algorithm>

#include "elements/text/TextStyle.h"
#include "interface/ControlObserver.h"
#include "interface/InterfacePanel.h"
#include "platform/dg/DGFunctions.h"
#include "project/Image.h"

namespace tarnwick {

namespace {

bool isRefused(int16_t row) {
    return row < -1;
}

ScreenRect toScreenRect(const DG::Rect& rect) {
    return ScreenRect(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
}

size_t geometryRows(int16_t rows) {
    return static_cast<size_t>(std::max<int16_t>(rows, 1));
}

} // namespace

DialogControl::DialogControl(const ControlLink& link, int16_t rows, uint16_t columns)
    : m_link(link), m_rows(rows), m_columns(columns), m_geometry(geometryRows(rows)) {
    if (m_link.getItemId() != NoItem) registerWithPanel();
}

DialogControl::DialogControl(const DialogControl& other)
    : Publisher(), m_link(other.m_link), m_rows(other.m_rows), m_columns(other.m_columns),
      m_flag(other.m_flag), m_geometry(other.m_geometry) {}

DialogControl::~DialogControl() = default;

void DialogControl::registerWithPanel() {
    if (InterfacePanel* panel = getPanel()) panel->addControl(this);
}

DialogControl::RowGeometry* DialogControl::rowAt(int16_t row) const {
    if (row < 0 || static_cast<size_t>(row) >= m_geometry.size()) return nullptr;
    return &m_geometry[static_cast<size_t>(row)];
}

uint16_t DialogControl::getItemId(int16_t) const {
    return m_link.getItemId();
}

ScreenRect DialogControl::getItemRect(int16_t row) const {
    if (isRefused(row)) return ScreenRect();
    ScreenRect rect = toScreenRect(DGGetItemRect(getDialogId(), getItemId(row)));
    if (RowGeometry* stored = rowAt(row)) {
        if (stored->positionStored)
            rect.moveTo(stored->position);
        else {
            stored->position = rect.getFirst();
            stored->positionStored = true;
        }
        if (stored->sizeStored)
            rect.setSecond(rect.getFirst() + stored->size);
        else {
            stored->size = rect.getSecond() - rect.getFirst();
            stored->sizeStored = true;
        }
    }
    return rect;
}

ScreenPoint DialogControl::getPosition(int16_t row) const {
    return getItemRect(row).getFirst();
}

ScreenPoint DialogControl::getSize(int16_t row) const {
    ScreenRect rect = getItemRect(row);
    return rect.getSecond() - rect.getFirst();
}

int16_t DialogControl::getWidth() const {
    return getItemRect().getWidth();
}

int16_t DialogControl::getHeight() const {
    return getItemRect().getHeight();
}

bool DialogControl::isEnabled() const {
    return DGIsItemEnabled(getDialogId(), getItemId());
}

bool DialogControl::isVisible() const {
    return DGIsItemVisible(getDialogId(), getItemId());
}

int16_t DialogControl::nextSelected(int16_t) const {
    return 0;
}

bool DialogControl::isSelected(int16_t) const {
    return false;
}

bool DialogControl::isValidCell(int16_t row, int16_t column) const {
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

String DialogControl::getEntryText(int16_t) const {
    return String();
}

Image DialogControl::getEntryImage(int16_t) const {
    return Image();
}

void DialogControl::redraw() {
    DGRedrawItem(getDialogId(), getItemId());
}

void DialogControl::setLink(const ControlLink& link) {
    if (getPanel()) {
        if (m_link.getItemId() == NoItem) setItemId(link.getItemId());
        return;
    }
    m_link.setPanel(link.getPanel());
    m_link.setItemId(NoItem);
    setItemId(link.getItemId());
}

void DialogControl::setItemId(uint16_t id) {
    if (m_link.getItemId() != NoItem) return;
    m_link.setItemId(id);
    if (id != NoItem) registerWithPanel();
}

void DialogControl::moveGrow(const ScreenRect& rect, int16_t row) {
    if (isRefused(row)) return;
    ScreenRect old = getItemRect(row);
    ScreenPoint size = rect.getSecond() - rect.getFirst();
    ScreenPoint move = rect.getFirst() - old.getFirst();
    ScreenPoint grow = size - (old.getSecond() - old.getFirst());
    storePosition(rect.getFirst(), row);
    storeSize(size, row);
    DGMoveGrowItem(getDialogId(), getItemId(row), move.getX(), move.getY(), grow.getX(), grow.getY());
}

void DialogControl::move(const ScreenPoint& position, int16_t row) {
    if (isRefused(row)) return;
    ScreenPoint move = position - getPosition(row);
    storePosition(position, row);
    DGMoveItem(getDialogId(), getItemId(row), move.getX(), move.getY());
}

void DialogControl::grow(const ScreenPoint& size, int16_t row) {
    if (isRefused(row)) return;
    ScreenPoint grow = size - getSize(row);
    storeSize(size, row);
    DGGrowItem(getDialogId(), getItemId(row), grow.getX(), grow.getY());
}

void DialogControl::setWidth(int16_t width, int16_t row) {
    if (isRefused(row)) return;
    grow(ScreenPoint(width, getSize(row).getY()), row);
}

void DialogControl::setHeight(int16_t height, int16_t row) {
    if (isRefused(row)) return;
    grow(ScreenPoint(getSize(row).getX(), height), row);
}

void DialogControl::setVisible(bool visible, int16_t row) {
    if (isRefused(row)) return;
    if (visible)
        DGShowItem(getDialogId(), getItemId(row));
    else
        DGHideItem(getDialogId(), getItemId(row));
}

void DialogControl::setEnabled(bool enabled, int16_t row) {
    if (isRefused(row)) return;
    if (enabled)
        DGEnableItem(getDialogId(), getItemId(row));
    else
        DGDisableItem(getDialogId(), getItemId(row));
}

void DialogControl::setFocus() {
    DGSetFocus(getDialogId(), getItemId());
}

void DialogControl::moveBy(const ScreenPoint& offset, int16_t row) {
    if (isRefused(row)) return;
    storePosition(getPosition(row) + offset, row);
    DGMoveItem(getDialogId(), getItemId(row), offset.getX(), offset.getY());
}

void DialogControl::growBy(const ScreenPoint& offset, int16_t row) {
    if (isRefused(row)) return;
    storeSize(getSize(row) + offset, row);
    DGGrowItem(getDialogId(), getItemId(row), offset.getX(), offset.getY());
}

void DialogControl::moveGrowBy(const ScreenPoint& positionOffset, const ScreenPoint& sizeOffset,
                               int16_t row) {
    if (isRefused(row)) return;
    ScreenRect old = getItemRect(row);
    storePosition(old.getFirst() + positionOffset, row);
    storeSize(old.getSecond() - old.getFirst() + sizeOffset, row);
    DGMoveGrowItem(getDialogId(), getItemId(row), positionOffset.getX(), positionOffset.getY(),
                   sizeOffset.getX(), sizeOffset.getY());
}

void DialogControl::setFont(uint16_t fontCode) {
    DGSetItemFont(getDialogId(), getItemId(), fontCode);
}

bool DialogControl::setDimensions(int16_t rows, uint16_t columns) {
    m_rows = rows;
    m_columns = columns;
    m_geometry.resize(geometryRows(rows));
    return true;
}

void DialogControl::setEntryText(int16_t, const String&) {}

void DialogControl::setEntryImage(int16_t, const Image&) {}

uint16_t DialogControl::fontCodeForPoints(int points) {
    if (points >= 1 && points <= 9) return ExtraSmallFont;
    if (points == 10 || points == 11) return SmallFont;
    return LargeFont;
}

void DialogControl::setStyle(const TextStyle& style) {
    setFont(fontCodeForPoints(style.getPointSize()));
}

std::unique_ptr<ControlObserver> DialogControl::makeObserver() const {
    return nullptr;
}

void DialogControl::createItem(DG::Panel&) {}

void DialogControl::releaseItem() {}

bool DialogControl::isPositionStored(int16_t row) const {
    const RowGeometry* stored = rowAt(row);
    return stored && stored->positionStored;
}

bool DialogControl::isSizeStored(int16_t row) const {
    const RowGeometry* stored = rowAt(row);
    return stored && stored->sizeStored;
}

void DialogControl::storePosition(const ScreenPoint& position, int16_t row) {
    if (RowGeometry* stored = rowAt(row)) {
        stored->position = position;
        stored->positionStored = true;
    }
}

void DialogControl::storeSize(const ScreenPoint& size, int16_t row) {
    if (RowGeometry* stored = rowAt(row)) {
        stored->size = size;
        stored->sizeStored = true;
    }
}

} // namespace tarnwick
