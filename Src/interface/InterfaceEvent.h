// The events of panels and their controls: source "INTF", a kind per class, and the host
// dialog-manager message code the event stands for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Environment/Event.h"
#include "geometry/ScreenPoint.h"
#include "interface/ControlLink.h"
#include "platform/dg/UserItemUpdateNativeContext.h"

namespace tarnwick {

class DialogControl;
class InterfacePanel;

inline constexpr uint32_t InterfaceSource = fourCC("INTF");

// What a drop notification hands its subscribers; the effect goes back to the host.
struct DropRecord {
    uint16_t messageCode = 0; // 4 drag entered, 5 drag moved, 7 dropped
    uint16_t effect = 0;      // the allowed drop effect; 7 before the event is sent
    uint16_t word4 = 0;
    int16_t x = 0; // the target in the panel's client coordinates
    int16_t y = 0;
    uint16_t word10 = 0;
    uint32_t insertPosition = 0;   // a tree or list drop target's item
    uint16_t relativePosition = 0; // where the drop is relative to that item
    uint8_t reserved18[22] = {};
    uint8_t flag = 0;
    uint8_t reserved41[15] = {};
};
static_assert(sizeof(DropRecord) == 56);
static_assert(offsetof(DropRecord, effect) == 2);
static_assert(offsetof(DropRecord, word4) == 4);
static_assert(offsetof(DropRecord, x) == 6);
static_assert(offsetof(DropRecord, y) == 8);
static_assert(offsetof(DropRecord, insertPosition) == 12);
static_assert(offsetof(DropRecord, relativePosition) == 16);
static_assert(offsetof(DropRecord, flag) == 40);

// The host's list-header record: its first four 16-bit words. Columns count from 1 there.
struct ListHeaderRecord {
    uint16_t action = 0;
    uint16_t column = 0;
    uint16_t newPosition = 0;
    uint16_t width = 0;
};

// The host's splitter record.
struct SplitterRecord {
    uint16_t action = 0;
    int16_t position = 0;
};

// The eight bytes of a resize event.
struct ResizeData {
    uint16_t phase = 0; // 0 resized, 1 and 2 the two notifications after the host's resizing one
    uint8_t userResize = 0;
    uint8_t reserved = 0;
    int16_t horizontalChange = 0;
    int16_t verticalChange = 0;
};
static_assert(sizeof(ResizeData) == 8);

class InterfaceEvent : public Event {
public:
    InterfaceEvent(uint32_t kind, uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver);
    InterfaceEvent(const InterfaceEvent&) = default;
    InterfaceEvent& operator=(const InterfaceEvent&) = default;
    ~InterfaceEvent() override = default;

    virtual const ControlLink& getLink() const { return m_link; }
    virtual InterfacePanel* getPanel() const { return m_link.getPanel(); }
    virtual uint16_t getItemId() const { return m_link.getItemId(); }
    // The panel's control for the item; none without a panel.
    virtual DialogControl* getControl() const;
    virtual uint64_t getData() const { return m_data; }

    uint32_t getCode() const { return m_code; }

private:
    uint32_t m_code;
    ControlLink m_link;
    uint64_t m_data;
};

template <class T> uint64_t pointerData(T* p) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
}
template <class T> T* dataPointer(uint64_t data) {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(data));
}

// An event class of one kind: made with its default code and no data, or as the host's message
// made it (code and data). Base is InterfaceEvent or a family base with the same constructor.
template <class Base, uint32_t K, uint32_t DefaultCode> class InterfaceEventOf : public Base {
public:
    static constexpr uint32_t Kind = K;
    explicit InterfaceEventOf(const ControlLink& link, Receiver* receiver = nullptr)
        : Base(K, DefaultCode, link, 0, receiver) {}
    InterfaceEventOf(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : Base(K, code, link, data, receiver) {}
};

class ActionEvent : public InterfaceEventOf<InterfaceEvent, fourCC("ACEV"), 0> {
public:
    using InterfaceEventOf::InterfaceEventOf;
    bool isDoubleClick() const { return getCode() == 5; }
};

class ChangeEvent : public InterfaceEventOf<InterfaceEvent, fourCC("CHEV"), 7> {
public:
    using InterfaceEventOf::InterfaceEventOf;
};

// Code 1 the panel opened (data 0); code 11 a hot key (data the host's hot-key id).
class DialogEvent : public InterfaceEventOf<InterfaceEvent, fourCC("DIVE"), 14> {
public:
    using InterfaceEventOf::InterfaceEventOf;
};

// The record is the caller's; every accessor does nothing, or answers zero, without one.
class DropEvent : public InterfaceEvent {
public:
    static constexpr uint32_t Kind = fourCC("DEVT");
    DropEvent(const ControlLink& link, DropRecord* record, Receiver* receiver = nullptr)
        : DropEvent(17, link, pointerData(record), receiver) {}
    DropEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEvent(Kind, code, link, data, receiver), m_record(dataPointer<DropRecord>(data)) {}

    DropRecord* getRecord() const { return m_record; }
    ScreenPoint getPosition() const;
    uint16_t getEffect() const { return m_record ? m_record->effect : 0; }
    void setEffect(uint16_t effect);
    void setWord4(uint16_t value);
    void setFlag(uint8_t flag);

private:
    DropRecord* m_record;
};

class FocusEvent : public InterfaceEventOf<InterfaceEvent, fourCC("FOEV"), 9> {
public:
    using InterfaceEventOf::InterfaceEventOf;
    bool isGained() const { return getData() != 0; }
};

// The data is the control's own (see each control).
class ItemEvent : public InterfaceEventOf<InterfaceEvent, fourCC("ITEV"), 6> {
public:
    using InterfaceEventOf::InterfaceEventOf;
};

// A typed character; a subscriber rejects it by answering ItemMessage(0).
class KeyEvent : public InterfaceEvent {
public:
    static constexpr uint32_t Kind = fourCC("KEEV");
    explicit KeyEvent(const ControlLink& link, Receiver* receiver = nullptr)
        : KeyEvent(10, link, 0, receiver) {}
    KeyEvent(const ControlLink& link, uint16_t character, Receiver* receiver)
        : KeyEvent(10, link, character, receiver) {}
    // The character is the data's low 16 bits: a wide character survives whole.
    KeyEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEvent(Kind, code, link, data, receiver), m_character(static_cast<uint16_t>(data)) {}
    uint16_t getCharacter() const { return m_character; }

private:
    uint16_t m_character;
};

// The three list-header events carry a pointer to the host's header record (none allowed).
class ListHeaderEvent : public InterfaceEvent {
public:
    ListHeaderEvent(uint32_t kind, uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver)
        : InterfaceEvent(kind, code, link, data, receiver) {}
    const ListHeaderRecord* getRecord() const { return dataPointer<const ListHeaderRecord>(getData()); }
    // From 0; 0 without a record (65535 for a host column of 0).
    uint16_t getColumn() const;
};

class ListHeaderClickEvent : public InterfaceEventOf<ListHeaderEvent, fourCC("LHCE"), 23> {
public:
    // No (link, receiver) form: with a null record it would read as either.
    ListHeaderClickEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEventOf(code, link, data, receiver) {}
    ListHeaderClickEvent(const ControlLink& link, const ListHeaderRecord* record,
                         Receiver* receiver = nullptr)
        : InterfaceEventOf(23, link, pointerData(record), receiver) {}
};

class ListHeaderDragEvent : public InterfaceEventOf<ListHeaderEvent, fourCC("LHDE"), 24> {
public:
    // No (link, receiver) form: with a null record it would read as either.
    ListHeaderDragEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEventOf(code, link, data, receiver) {}
    ListHeaderDragEvent(const ControlLink& link, const ListHeaderRecord* record, Receiver* receiver = nullptr)
        : InterfaceEventOf(24, link, pointerData(record), receiver) {}
    uint16_t getNewPosition() const;
};

class ListHeaderResizeEvent : public InterfaceEventOf<ListHeaderEvent, fourCC("LHRE"), 25> {
public:
    // No (link, receiver) form: with a null record it would read as either.
    ListHeaderResizeEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEventOf(code, link, data, receiver) {}
    ListHeaderResizeEvent(const ControlLink& link, const ListHeaderRecord* record,
                          Receiver* receiver = nullptr)
        : InterfaceEventOf(25, link, pointerData(record), receiver) {}
    ScreenPoint getWidth() const;
    // The record's action word, whatever it holds; 2 only without a record.
    uint16_t getAction() const;
};

class MoveEvent : public InterfaceEventOf<InterfaceEvent, fourCC("MOES"), 8> {
public:
    using InterfaceEventOf::InterfaceEventOf;
};

// The data points at the host's user-item update event, which lives only while the host sends it.
class PaintEvent : public InterfaceEventOf<InterfaceEvent, fourCC("PAEV"), 16> {
public:
    using InterfaceEventOf::InterfaceEventOf;
    // From the host's update: the link is the user item's (and its registered panel's).
    explicit PaintEvent(const DG::UserItemUpdateEvent& update, Receiver* receiver = nullptr);

    const DG::UserItemUpdateEvent* getUpdate() const {
        return dataPointer<const DG::UserItemUpdateEvent>(getData());
    }
    // A new context that draws into the user item while the update lasts; none without an update.
    std::unique_ptr<NewDisplay::UserItemUpdateNativeContext> makeContext() const;
};

// Holds its eight bytes in the data.
class ResizeEvent : public InterfaceEventOf<InterfaceEvent, fourCC("RSEV"), 13> {
public:
    using InterfaceEventOf::InterfaceEventOf;
    ResizeEvent(const ControlLink& link, const ResizeData& resize, Receiver* receiver = nullptr)
        : InterfaceEventOf(13, link, pack(resize), receiver) {}

    ResizeData getResize() const;
    uint16_t getPhase() const { return getResize().phase; }
    bool isUserResize() const { return getResize().userResize != 0; }
    int16_t getHorizontalChange() const { return getResize().horizontalChange; }
    int16_t getVerticalChange() const { return getResize().verticalChange; }

    static uint64_t pack(const ResizeData& resize);
};

class SplitterDragEvent : public InterfaceEventOf<InterfaceEvent, fourCC("SDEV"), 27> {
public:
    // No (link, receiver) form: with a null record it would read as either.
    SplitterDragEvent(uint32_t code, const ControlLink& link, uint64_t data, Receiver* receiver = nullptr)
        : InterfaceEventOf(code, link, data, receiver) {}
    SplitterDragEvent(const ControlLink& link, const SplitterRecord* record, Receiver* receiver = nullptr)
        : InterfaceEventOf(27, link, pointerData(record), receiver) {}
    const SplitterRecord* getRecord() const { return dataPointer<const SplitterRecord>(getData()); }
    int16_t getPosition() const { return getRecord() ? getRecord()->position : 0; }
    uint16_t getAction() const { return getRecord() ? getRecord()->action : 2; }
};

} // namespace tarnwick
