// Host notifications and commands as events with the source "HOST".
#pragma once

#include "Environment/Event.h"
#include "platform/api/HostFunctionTable.h"

namespace tarnwick {

inline constexpr uint32_t HostSource = fourCC("HOST");

class HostEvent : public Event {
public:
    explicit HostEvent(uint32_t kind, Receiver* receiver = nullptr) : Event({HostSource, kind}, receiver) {}
};

// A menu item chosen by the user: the menu's string list id and the item (1-based, after the title).
class MenuEvent : public HostEvent {
public:
    static constexpr uint32_t Kind = fourCC("MENU");
    MenuEvent(int32_t menuResId, int32_t itemIndex)
        : HostEvent(Kind), m_menuResId(menuResId), m_item(itemIndex) {}
    int32_t getMenuResId() const { return m_menuResId; }
    int32_t getItemIndex() const { return m_item; }

private:
    int32_t m_menuResId;
    int32_t m_item;
};

// A host project notification (HostProjectNotification values; the framework adds its own below).
class ProjectEvent : public HostEvent {
public:
    static constexpr uint32_t Kind = fourCC("PRJT");
    static constexpr int32_t PackagesLoaded = -2; // framework codes, never sent by the host
    static constexpr int32_t PackagesChanged = -3;
    explicit ProjectEvent(uint32_t notification, int32_t parameter = 0)
        : HostEvent(Kind), m_notification(notification), m_parameter(parameter) {}
    uint32_t getNotification() const { return m_notification; }
    int32_t getParameter() const { return m_parameter; }

private:
    uint32_t m_notification;
    int32_t m_parameter;
};

// The host asks for the module data before a save, or hands it over after a load.
class ModuleEvent : public HostEvent {
public:
    static constexpr uint32_t Kind = fourCC("MODL");
    explicit ModuleEvent(uint32_t request) : HostEvent(Kind), m_request(request) {}
    uint32_t getRequest() const { return m_request; }

private:
    uint32_t m_request;
};

// An element database notification: an edit run begins or ends, an element was edited or deleted.
class DatabaseEvent : public HostEvent {
public:
    static constexpr uint32_t Kind = fourCC("DBSE");
    explicit DatabaseEvent(const HostElementNotification& notification)
        : HostEvent(Kind), m_notification(notification) {}
    DatabaseEvent(const DatabaseEvent&) = default;
    DatabaseEvent& operator=(const DatabaseEvent& other) {
        if (this != &other) {
            HostEvent::operator=(other);
            m_notification = other.m_notification;
        }
        return *this;
    }
    uint32_t getNotificationKind() const { return m_notification.kind; }
    const HostElementNotification& getNotification() const { return m_notification; }
    const API_Guid& getElementGuid() const { return m_notification.guid; }
    int16_t getElementType() const { return m_notification.typeId; }
    int16_t getVariation() const { return m_notification.variation; }

private:
    HostElementNotification m_notification;
};

// The id of a command sent without one.
inline constexpr uint32_t DefaultCommandId = fourCC("EVNT");

} // namespace tarnwick
