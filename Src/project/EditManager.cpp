// The edit manager's work needs the project model, so it lives here; its declaration stays with
// Transaction in the runtime.
#include "Environment/EditManager.h"

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "project/AttrRefList.h"
#include "project/ElementLinkList.h"

namespace tarnwick {

EditManager::EditManager(bool teamworkAware, bool anyDatabase)
    : m_database(Host::getCurrentDatabase()), m_teamwork(teamworkAware && Host::getProject() != nullptr &&
                                                         ACAPIsSharedProject() && ACAPSharedProjectCall()),
      m_anyDatabase(anyDatabase) {}

EditManager::EditManager(const EditManager& other) {
    copyFrom(other);
}

EditManager& EditManager::operator=(const EditManager& other) {
    if (this != &other) {
        deleteLists();
        copyFrom(other);
    }
    return *this;
}

EditManager::~EditManager() {
    deleteLists();
}

namespace {
template <class List> List* copyOf(const List* list) {
    return list == nullptr ? nullptr : list->clone().release();
}
} // namespace

void EditManager::copyFrom(const EditManager& other) {
    m_unlockedLayers = copyOf(other.m_unlockedLayers);
    m_shownLayers = copyOf(other.m_shownLayers);
    m_unlockedElements = copyOf(other.m_unlockedElements);
    m_reservedElements = copyOf(other.m_reservedElements);
    m_database = other.m_database;
    m_teamwork = other.m_teamwork;
    m_anyDatabase = other.m_anyDatabase;
}

void EditManager::deleteLists() {
    delete m_unlockedLayers;
    m_unlockedLayers = nullptr;
    delete m_shownLayers;
    m_shownLayers = nullptr;
    delete m_unlockedElements;
    m_unlockedElements = nullptr;
    delete m_reservedElements;
    m_reservedElements = nullptr;
}

// Nothing is remembered until elements can be made editable.
void EditManager::restoreLayers() {}
void EditManager::relockElements() {}
void EditManager::releaseElements() {}

void EditManager::restoreDatabase() {
    if (m_database == nullptr) return;
    Host::setFrontWindow(m_database);
    Host::setCurrentDatabase(m_database);
}

void EditManager::restore(bool restoreDatabaseToo) {
    relockElements();
    restoreLayers();
    if (restoreDatabaseToo) restoreDatabase();
    releaseElements();
}

} // namespace tarnwick
