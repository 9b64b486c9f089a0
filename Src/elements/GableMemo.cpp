#include "elements/GableMemo.h"

#include <cstring>

#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/MemoStore.h"

namespace tarnwick {

void GableMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(MemoMask, store);
}

void GableMemo::loadForOwner() {
    if (Element* owner = getOwner()) (void)ensureLoaded(*owner);
}

bool GableMemo::readMemo(MemoStore& store) {
    m_loaded = false;
    m_gables.clear();
    GSHandle handle = store.getGables();
    const size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(HostGable);
    m_gables.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        HostGable record;
        std::memcpy(&record, *handle + i * sizeof(HostGable), sizeof record);
        m_gables.push_back(std::make_unique<Gable>(record));
    }
    m_loaded = true;
    return true;
}

bool GableMemo::writeMemo(MemoStore& store) {
    loadForOwner();
    if (m_gables.empty()) return true;
    GSHandle handle = allocateHandle(static_cast<GSSize>(m_gables.size() * sizeof(HostGable)));
    size_t at = 0;
    for (const Gable* gable : m_gables) {
        std::memcpy(*handle + at, &gable->getRecord(), sizeof(HostGable));
        at += sizeof(HostGable);
    }
    GSHandle* field = store.gablesAddress();
    freeHandle(*field);
    *field = handle;
    return true;
}

Gable* GableMemo::getGable(size_t index) {
    loadForOwner();
    if (m_gables.empty()) return nullptr;
    return m_gables[index];
}

size_t GableMemo::getGableCount() {
    loadForOwner();
    return m_gables.size();
}

void GableMemo::removeGable(size_t index) {
    loadForOwner();
    if (index < m_gables.size()) m_gables.erase(index);
}

void GableMemo::setGable(std::unique_ptr<Gable> gable, size_t index) {
    loadForOwner();
    if (index < m_gables.size())
        m_gables.replace(index, std::move(gable));
    else
        m_gables.push_back(std::move(gable));
}

void GableMemo::insertGable(std::unique_ptr<Gable> gable, size_t index) {
    loadForOwner();
    if (index < m_gables.size())
        m_gables.insert(index, std::move(gable));
    else
        m_gables.push_back(std::move(gable));
}

void GableMemo::addGable(std::unique_ptr<Gable> gable) {
    loadForOwner();
    m_gables.push_back(std::move(gable));
}

} // namespace tarnwick
