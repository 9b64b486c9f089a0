#include "project/EditWork.h"

#include "Environment/Host.h"
#include "Environment/HostCalls.h"

namespace tarnwick {

namespace {
template <class List> std::unique_ptr<List> copyOf(const std::unique_ptr<List>& list) {
    return list ? list->clone() : nullptr;
}

std::unique_ptr<EditManager::Work> makeEditWork(bool teamworkAware) {
    return std::make_unique<EditWork>(teamworkAware);
}
} // namespace

EditWork::EditWork(bool teamworkAware)
    : m_database(Host::getCurrentDatabase()), m_teamwork(teamworkAware && Host::getProject() != nullptr &&
                                                         ACAPIsSharedProject() && ACAPSharedProjectCall()) {}

EditWork::EditWork(const EditWork& other)
    : EditManager::Work(), m_unlockedLayers(copyOf(other.m_unlockedLayers)),
      m_shownLayers(copyOf(other.m_shownLayers)), m_unlockedElements(copyOf(other.m_unlockedElements)),
      m_reservedElements(copyOf(other.m_reservedElements)), m_database(other.m_database),
      m_teamwork(other.m_teamwork) {}

void installEditWork() {
    EditManager::installWorkMaker(&makeEditWork);
}

void uninstallEditWork() {
    EditManager::installWorkMaker(nullptr);
}

} // namespace tarnwick
