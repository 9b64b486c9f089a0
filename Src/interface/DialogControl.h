// One item of a dialog resource: its panel and item id, the events of that item published to its
// own subscribers, its value as a Setting, and the host item it makes while the panel is open.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "Environment/Publisher.h"
#include "Environment/String.h"
#include "geometry/ScreenPoint.h"
#include "geometry/ScreenRect.h"
#include "interface/ControlLink.h"

namespace DG {
class Panel;
}

namespace tarnwick {

class ControlObserver;
class Image;
class InterfacePanel;
class Setting;
class TextStyle;

// Rows count from 0; -1 names no particular row (geometry is then not remembered), and a row below
// -1 is refused: the operation makes no host call. Every host call names getDialogId and
// getItemId of the control.
class DialogControl : public Publisher {
public:
    // An item id not yet placed; as a 16-bit value the same as -1.
    static constexpr uint16_t NoItem = 65535;
    // Host font codes that setStyle picks.
    static constexpr uint16_t LargeFont = 0;
    static constexpr uint16_t SmallFont = 4;
    static constexpr uint16_t ExtraSmallFont = 8;

    // The only way to make a control. The link's panel owns and deletes it from the moment it is
    // registered: at once when the link names a panel and a real item id, else when setItemId or
    // setLink gives it one; until then the pointer is the caller's.
    template <class T, class... Args> static T* make(Args&&... args);

    ~DialogControl() override;

    virtual std::unique_ptr<DialogControl> clone() const = 0; // a copy that no panel owns
    virtual ControlLink getLink() const { return m_link; }
    virtual uint16_t getDialogId() const { return m_link.getPanelId(); }
    virtual uint16_t getItemId(int16_t row = 0) const;
    virtual bool isItem(uint16_t id) const { return id == m_link.getItemId(); }
    // The host's rectangle, corrected by the geometry remembered for the row (see storePosition).
    virtual ScreenRect getItemRect(int16_t row = 0) const;
    virtual ScreenPoint getPosition(int16_t row = 0) const;
    virtual ScreenPoint getSize(int16_t row = 0) const;
    virtual int16_t getWidth() const;
    virtual int16_t getHeight() const;
    virtual bool isEnabled() const;
    virtual bool isVisible() const;
    virtual int16_t nextSelected(int16_t row) const;
    virtual bool isSelected(int16_t row) const;
    // 0 <= row < rows and 0 <= column < columns.
    virtual bool isValidCell(int16_t row, int16_t column) const;
    // A new setting holding the cell's value; null for an invalid cell or a control without one.
    virtual std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const = 0;
    virtual String getEntryText(int16_t row = 0) const;
    virtual Image getEntryImage(int16_t row = 0) const; // base: the empty image
    virtual void redraw();
    virtual int32_t reservedQuery() const { return 0; }
    // A control on a panel keeps it (and takes only an item id while it has none); one without a
    // panel takes the link's panel and then its item id.
    virtual void setLink(const ControlLink& link);
    // Only while the item id is NoItem; registers the control with its panel.
    virtual void setItemId(uint16_t id);
    // The host's move and grow calls take differences from the remembered geometry.
    virtual void moveGrow(const ScreenRect& rect, int16_t row = 0);
    virtual void move(const ScreenPoint& position, int16_t row = 0);
    virtual void grow(const ScreenPoint& size, int16_t row = 0);
    virtual void setWidth(int16_t width, int16_t row = 0);
    virtual void setHeight(int16_t height, int16_t row = 0);
    virtual void setVisible(bool visible, int16_t row = 0);
    virtual void setEnabled(bool enabled, int16_t row = 0);
    virtual void setFlag(uint8_t flag) { m_flag = flag; }
    virtual void setFocus();
    virtual void moveBy(const ScreenPoint& offset, int16_t row = 0);
    virtual void growBy(const ScreenPoint& offset, int16_t row = 0);
    virtual void moveGrowBy(const ScreenPoint& positionOffset, const ScreenPoint& sizeOffset,
                            int16_t row = 0);
    virtual void setFont(uint16_t fontCode);
    // New rows remember nothing; remembered rows beyond the new count are forgotten. Answers
    // whether every step succeeded (the base's one step always does).
    virtual bool setDimensions(int16_t rows, uint16_t columns);
    virtual void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) = 0;
    virtual void setEntryText(int16_t row, const String& text);
    virtual void setEntryImage(int16_t row, const Image& image);
    // The font by the style's size: up to 9 points extra small, 10 and 11 small, else large.
    virtual void setStyle(const TextStyle& style);
    virtual uint32_t getTypeCode() const = 0;
    // A new observer of this class's host items for the panel, or null for a class without one.
    virtual std::unique_ptr<ControlObserver> makeObserver() const;
    virtual void createItem(DG::Panel& panel);
    virtual void releaseItem();
    // False for a row outside the remembered rows.
    virtual bool isPositionStored(int16_t row) const;
    virtual bool isSizeStored(int16_t row) const;
    // Nothing for a row outside the remembered rows.
    virtual void storePosition(const ScreenPoint& position, int16_t row);
    virtual void storeSize(const ScreenPoint& size, int16_t row);

    InterfacePanel* getPanel() const { return m_link.getPanel(); }
    int16_t getRows() const { return m_rows; }
    uint16_t getColumns() const { return m_columns; }
    uint8_t getFlag() const { return m_flag; }

    static uint16_t fontCodeForPoints(int points);

protected:
    // Registers the control with the link's panel when the link names a real item.
    explicit DialogControl(const ControlLink& link, int16_t rows = 1, uint16_t columns = 1);
    // Copies the link, the counts, the flag and the geometry; the copy is not registered and has
    // no subscribers.
    DialogControl(const DialogControl& other);
    DialogControl& operator=(const DialogControl&) = delete;

private:
    // What the control last gave the host item for one row.
    struct RowGeometry {
        ScreenPoint position;
        ScreenPoint size;
        bool positionStored = false;
        bool sizeStored = false;
    };

    RowGeometry* rowAt(int16_t row) const;
    void registerWithPanel();

    ControlLink m_link;
    int16_t m_rows;
    uint16_t m_columns;
    uint8_t m_flag = 0;
    // Only a cache of the host item's geometry, so that const queries may fill it.
    mutable std::vector<RowGeometry> m_geometry;
};

template <class T, class... Args> T* DialogControl::make(Args&&... args) {
    static_assert(std::is_base_of_v<DialogControl, T>);
    // The constructors are protected, so that no control is a member or a local that its panel
    // would then delete.
    struct Made final : T {
        explicit Made(Args&&... a) : T(std::forward<Args>(a)...) {}
    };
    return new Made(std::forward<Args>(args)...);
}

} // namespace tarnwick
