// Events and the answers that travel back through them.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/HostTypes.h"

namespace tarnwick {

// An event's type: the pair (source, kind) of four-character codes that subscribers select by.
struct EventType {
    uint32_t source = 0;
    uint32_t kind = 0;
    bool operator==(const EventType&) const = default;
};

class Message {
public:
    virtual ~Message() = default;
    virtual std::shared_ptr<Message> clone() const = 0;
};

// One item value, the answer to a button or a control event (16 significant bits).
class ItemMessage : public Message {
public:
    explicit ItemMessage(uint16_t value = 0) : m_value(value) {}
    std::shared_ptr<Message> clone() const override { return std::make_shared<ItemMessage>(*this); }
    uint16_t getValue() const { return static_cast<uint16_t>(m_value); }

private:
    int64_t m_value;
};

class Receiver {
public:
    virtual void receive(std::shared_ptr<Message> message) = 0;
    virtual ~Receiver() = default;
};

// Keeps the value of the last ItemMessage it was given; other messages are ignored.
class ItemReceiver : public Receiver {
public:
    explicit ItemReceiver(uint16_t value = 0) : m_value(value) {}
    void receive(std::shared_ptr<Message> message) override;
    uint16_t getValue() const { return m_value; }
    void setValue(uint16_t value) { m_value = value; }

private:
    uint16_t m_value;
};

class Event {
public:
    explicit Event(EventType type, Receiver* receiver = nullptr) : m_receiver(receiver), m_type(type) {}
    Event(const Event&) = default;
    Event& operator=(const Event&) = default;
    virtual ~Event() = default;

    EventType getType() const { return m_type; }
    uint32_t getSource() const { return m_type.source; }
    uint32_t getKind() const { return m_type.kind; }
    Receiver* getReceiver() const { return m_receiver; }
    // Hands the message to the receiver, when there is one.
    void reply(std::shared_ptr<Message> message);

private:
    Receiver* m_receiver;
    EventType m_type;
};

} // namespace tarnwick
