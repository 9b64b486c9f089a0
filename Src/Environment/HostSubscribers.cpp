#include "Environment/HostSubscribers.h"

#include "Environment/HostCallbacks.h"
#include "Environment/HostCalls.h"

namespace tarnwick {

void MenuSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({HostSource, MenuEvent::Kind});
}

bool MenuSubscriber::receive(Event& event) {
    auto* menu = dynamic_cast<MenuEvent*>(&event);
    if (menu == nullptr || menu->getMenuResId() != m_menuResId) return false;
    return handleMenu(*menu);
}

bool MenuSubscriber::registerInterface() {
    return ACAPRegisterMenu(m_menuResId, m_promptResId, m_positionCode, m_flags) == hosterr::Ok;
}

bool MenuSubscriber::initialize() {
    return installMenuHandler(m_menuResId) == hosterr::Ok;
}

void ProjectSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({HostSource, ProjectEvent::Kind});
}

bool ProjectSubscriber::receive(Event& event) {
    auto* project = dynamic_cast<ProjectEvent*>(&event);
    return project != nullptr && handleProjectEvent(*project);
}

bool ProjectSubscriber::initialize() {
    return installProjectNotifier() == hosterr::Ok;
}

void DatabaseSubscriber::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({HostSource, DatabaseEvent::Kind});
}

bool DatabaseSubscriber::receive(Event& event) {
    auto* db = dynamic_cast<DatabaseEvent*>(&event);
    if (db == nullptr || db->getNotificationKind() != m_kind) return false;
    bool aboutAnElement = m_kind == ElementEventEdit || m_kind == ElementEventDelete;
    if (aboutAnElement && m_elementType != 0 && db->getElementType() != m_elementType) return false;
    if (aboutAnElement && m_variation != 0 && db->getVariation() != m_variation) return false;
    return handleDatabaseEvent(*db);
}

bool DatabaseSubscriber::initialize() {
    return installElementObserver() == hosterr::Ok;
}

} // namespace tarnwick
