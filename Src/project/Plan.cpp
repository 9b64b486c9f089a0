#include "project/Plan.h"

#include <cstring>
#include <vector>

#include "Environment/DataFile.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "project/Project.h"

namespace tarnwick {

std::unique_ptr<StoreyList> StoreyList::clone() const {
    auto copy = std::make_unique<StoreyList>();
    for (const Storey* storey : *this)
        if (storey != nullptr) copy->push_back(std::make_unique<Storey>(*storey));
    return copy;
}

void Plan::reset() {
    Drawing::reset();
    m_storeys.reset();
    m_currentStorey = 0;
}

DatabaseRef Plan::getDatabaseRef() const {
    DatabaseRef ref = Drawing::getDatabaseRef();
    if (Storey* current = const_cast<Plan*>(this)->getCurrentStorey()) ref.setStorey(*current);
    return ref;
}

String Plan::getName() {
    String name;
    if (m_project != nullptr)
        if (std::unique_ptr<DataFile> file = m_project->getFile()) name = file->getName(true);
    name += " / ";
    if (const Storey* current = getCurrentStorey()) {
        name += String(static_cast<int>(static_cast<int16_t>(current->getIndex())));
        name += ". ";
        name += current->getName();
    }
    return name;
}

bool Plan::loadStoreys() {
    if (m_storeys) return true;
    m_storeys = std::make_unique<StoreyList>();
    HostStoreyInfo info;
    m_lastError =
        ACAPEnvironmentCall(fourCC("GSTO"), &info, nullptr, reinterpret_cast<void*>(StoreyInfoFlags));
    if (m_lastError != hosterr::Ok) {
        freeHandle(info.storeys);
        return false;
    }
    m_currentStorey = static_cast<int16_t>(info.currentStorey);
    size_t count = static_cast<size_t>(getHandleSize(info.storeys)) / sizeof(HostStoreyEntry);
    std::vector<HostStoreyEntry> entries(count);
    if (count > 0)
        std::memcpy(static_cast<void*>(entries.data()), *info.storeys, count * sizeof(HostStoreyEntry));
    freeHandle(info.storeys);
    for (size_t i = 0; i + 1 < count; ++i)
        m_storeys->push_back(
            std::make_unique<Storey>(this, entries[i], entries[i + 1].level - entries[i].level));
    return true;
}

const StoreyList& Plan::getStoreys() {
    loadStoreys();
    return *m_storeys;
}

Storey* Plan::getCurrentStorey() {
    loadStoreys();
    return getStorey(static_cast<uint16_t>(m_currentStorey));
}

bool Plan::setCurrentStorey(const Storey& storey, bool flag) {
    if (m_project == nullptr || !m_project->setCurrentDatabase(this)) return false;
    HostStoreyCommand command;
    command.index = static_cast<uint16_t>(storey.getIndex());
    command.keepView = flag ? 0 : 1;
    m_lastError = ACAPEnvironmentCall(fourCC("CSTO"), &command);
    if (m_lastError != hosterr::Ok) return false;
    if (m_storeys) m_currentStorey = static_cast<int16_t>(command.index);
    return true;
}

size_t Plan::getStoreyCount() {
    return getStoreys().size();
}

int16_t Plan::getFirstStoreyIndex() {
    const StoreyList& storeys = getStoreys();
    return storeys.empty() ? 0 : static_cast<int16_t>(storeys[0]->getIndex());
}

int16_t Plan::getLastStoreyIndex() {
    const StoreyList& storeys = getStoreys();
    return storeys.empty() ? 0 : static_cast<int16_t>(storeys[storeys.size() - 1]->getIndex());
}

Storey* Plan::getStorey(uint16_t index) {
    for (Storey* storey : getStoreys())
        if (storey->getIndex() == index) return storey;
    return nullptr;
}

Storey* Plan::getStoreyByName(const String& name) {
    for (Storey* storey : getStoreys())
        if (storey->getName() == name) return storey;
    return nullptr;
}

Storey* Plan::getStoreyByFloor(uint16_t floorNumber) {
    for (Storey* storey : getStoreys())
        if (storey->getFloorNumber() == floorNumber) return storey;
    return nullptr;
}

} // namespace tarnwick
