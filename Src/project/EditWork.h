// What an edit manager remembers of the project it changed, and how it puts it back.
#pragma once

#include <memory>

#include "Environment/EditManager.h"
#include "project/AttrRefList.h"
#include "project/ElementLinkList.h"

namespace tarnwick {

class Layer;
class Project;
class Specification;

class EditWork : public EditManager::Work {
public:
    explicit EditWork(bool teamworkAware);
    EditWork(const EditWork& other);
    EditWork& operator=(const EditWork&) = delete;

    std::unique_ptr<EditManager::Work> clone() const override { return std::make_unique<EditWork>(*this); }
    int32_t makeEditable(Element& element, bool anyDatabase, bool rememberLayers, bool rememberUnlocked,
                         bool rememberReserved) override;
    void restoreLayers() override;
    // Each element is locked again through the drawing it lives in, whichever was current.
    void relockElements() override;
    void releaseElements() override;
    bool isTeamwork() const override { return m_teamwork; }
    Drawing* getDatabase() const override { return m_database; }

private:
    void showAndUnlock(Specification& attributes, Layer& layer, bool remember);
    // False when another user holds the element.
    bool reserve(Project& project, Element& element, bool remember);
    // False when the host refuses.
    bool unlock(Drawing& drawing, Element& element, bool remember);

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
