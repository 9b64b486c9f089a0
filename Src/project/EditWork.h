// What an edit manager remembers of the project it changed, and how it puts it back.
#pragma once

#include <memory>

#include "Environment/EditManager.h"
#include "project/AttrRefList.h"
#include "project/ElementLinkList.h"

namespace tarnwick {

class EditWork : public EditManager::Work {
public:
    explicit EditWork(bool teamworkAware);
    EditWork(const EditWork& other);
    EditWork& operator=(const EditWork&) = delete;

    std::unique_ptr<EditManager::Work> clone() const override { return std::make_unique<EditWork>(*this); }
    // Nothing is remembered until elements can be made editable.
    void restoreLayers() override {}
    void relockElements() override {}
    void releaseElements() override {}
    bool isTeamwork() const override { return m_teamwork; }
    Drawing* getDatabase() const override { return m_database; }

private:
    std::unique_ptr<AttrRefList> m_unlockedLayers;
    std::unique_ptr<AttrRefList> m_shownLayers;
    std::unique_ptr<ElementLinkList> m_unlockedElements;
    std::unique_ptr<ElementLinkList> m_reservedElements;
    Drawing* m_database = nullptr;
    bool m_teamwork = false;
};

// Makes every edit manager from now on work on the project model; uninstall takes it back.
void installEditWork();
void uninstallEditWork();

} // namespace tarnwick
