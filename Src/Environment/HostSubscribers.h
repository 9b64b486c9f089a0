// Subscribers of host events; each installs its host handler when the add-on starts listening.
#pragma once

#include "Environment/HostEvent.h"
#include "Environment/Subscriber.h"

namespace tarnwick {

// A menu of the add-on: item texts from one string list, status-bar prompts from another.
class MenuSubscriber : public virtual Subscriber {
public:
    MenuSubscriber(int32_t menuResId, int32_t promptResId, int32_t positionCode, int32_t flags)
        : m_menuResId(menuResId), m_promptResId(promptResId), m_positionCode(positionCode), m_flags(flags) {}
    // The owner's menu handler: answers whether it handled the chosen item.
    virtual bool handleMenu(MenuEvent& event) = 0;

    void getEventTypes(std::vector<EventType>& types) const override;
    // Passes on only the events of its own menu.
    bool receive(Event& event) override;
    bool registerInterface() override; // registers the menu with the host
    bool initialize() override;        // installs the menu handler

    int32_t getMenuResId() const { return m_menuResId; }
    int32_t getPromptResId() const { return m_promptResId; }

private:
    int32_t m_menuResId;
    int32_t m_promptResId;
    int32_t m_positionCode;
    int32_t m_flags;
};

class ProjectSubscriber : public virtual Subscriber {
public:
    virtual bool handleProjectEvent(ProjectEvent& event) = 0;

    void getEventTypes(std::vector<EventType>& types) const override;
    bool receive(Event& event) override;
    bool initialize() override; // installs the project notification handler once per module
};

// Element database notifications of one element type and variation (0: any) and one kind.
class DatabaseSubscriber : public virtual Subscriber {
public:
    DatabaseSubscriber(int16_t elementType, int16_t variation, uint32_t notificationKind)
        : m_elementType(elementType), m_variation(variation), m_kind(notificationKind) {}
    virtual bool handleDatabaseEvent(DatabaseEvent& event) = 0;

    void getEventTypes(std::vector<EventType>& types) const override;
    bool receive(Event& event) override;
    bool initialize() override; // installs the element observer once per module

    int16_t getElementType() const { return m_elementType; }
    int16_t getVariation() const { return m_variation; }
    uint32_t getNotificationKind() const { return m_kind; }

private:
    int16_t m_elementType;
    int16_t m_variation;
    uint32_t m_kind;
};

class DataBeginSubscriber : public DatabaseSubscriber {
public:
    DataBeginSubscriber(int16_t type = 0, int16_t variation = 0)
        : DatabaseSubscriber(type, variation, ElementEventDataBegin) {}
};

class EditElementSubscriber : public DatabaseSubscriber {
public:
    EditElementSubscriber(int16_t type = 0, int16_t variation = 0)
        : DatabaseSubscriber(type, variation, ElementEventEdit) {}
};

class DeleteElementSubscriber : public DatabaseSubscriber {
public:
    DeleteElementSubscriber(int16_t type = 0, int16_t variation = 0)
        : DatabaseSubscriber(type, variation, ElementEventDelete) {}
};

class DataEndSubscriber : public DatabaseSubscriber {
public:
    DataEndSubscriber(int16_t type = 0, int16_t variation = 0)
        : DatabaseSubscriber(type, variation, ElementEventDataEnd) {}
};

} // namespace tarnwick
