#include "Environment/EditManager.h"

#include "Environment/Host.h"

namespace tarnwick {

namespace {
EditManager::WorkMaker workMaker = nullptr;
} // namespace

void EditManager::installWorkMaker(WorkMaker maker) {
    workMaker = maker;
}

EditManager::EditManager(bool teamworkAware, bool anyDatabase)
    : m_work(workMaker != nullptr ? workMaker(teamworkAware) : nullptr), m_anyDatabase(anyDatabase) {}

EditManager::EditManager(const EditManager& other)
    : m_work(other.m_work ? other.m_work->clone() : nullptr), m_anyDatabase(other.m_anyDatabase) {}

EditManager& EditManager::operator=(const EditManager& other) {
    if (this != &other) {
        m_work = other.m_work ? other.m_work->clone() : nullptr;
        m_anyDatabase = other.m_anyDatabase;
    }
    return *this;
}

EditManager::~EditManager() = default;

int32_t EditManager::makeEditable(Element& element, bool rememberLayers, bool rememberUnlocked,
                                  bool rememberReserved) {
    if (!m_work) return 0; // without the project model there is no project to edit
    return m_work->makeEditable(element, m_anyDatabase, rememberLayers, rememberUnlocked, rememberReserved);
}

void EditManager::restoreLayers() {
    if (m_work) m_work->restoreLayers();
}

void EditManager::relockElements() {
    if (m_work) m_work->relockElements();
}

void EditManager::releaseElements() {
    if (m_work) m_work->releaseElements();
}

void EditManager::restoreDatabase() {
    Drawing* database = getDatabase();
    if (database == nullptr) return;
    // Nothing more can be done when the host refuses; the user sees the window it shows.
    (void)Host::setFrontWindow(database);
    (void)Host::setCurrentDatabase(database);
}

void EditManager::restore(bool restoreDatabaseToo) {
    relockElements();
    restoreLayers();
    if (restoreDatabaseToo) restoreDatabase();
    releaseElements();
}

} // namespace tarnwick
