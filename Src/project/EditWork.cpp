#include "project/EditWork.h"

#include <unordered_map>
#include <vector>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "project/ElementAccess.h"
#include "project/Layer.h"
#include "project/Project.h"
#include "project/Specification.h"

namespace tarnwick {

namespace {
// Room for the elements of a typical change before the lists grow.
constexpr size_t ElementListRoom = 50;

template <class List> std::unique_ptr<List> copyOf(const std::unique_ptr<List>& list) {
    return list ? list->clone() : nullptr;
}

void keep(std::unique_ptr<ElementLinkList>& list, const ElementLink& link) {
    if (!list) list = std::make_unique<ElementLinkList>(ElementListRoom);
    list->push_back(link.clone());
}

void keep(std::unique_ptr<AttrRefList>& list, const AttributeLink& link) {
    if (!list) list = std::make_unique<AttrRefList>();
    list->push_back(link.clone());
}

std::unique_ptr<ElementLinkList> oneLink(const ElementLink& link) {
    auto list = std::make_unique<ElementLinkList>(1);
    list->push_back(link.clone());
    return list;
}

// Sets the flag again on each listed layer that still is one.
void restoreFlag(Specification& attributes, const AttrRefList& links, void (Layer::*set)(bool)) {
    for (const AttributeLink* link : links) {
        if (link == nullptr) continue;
        std::unique_ptr<Attribute> attribute = attributes.get(*link);
        auto* layer = dynamic_cast<Layer*>(attribute.get());
        if (layer == nullptr) continue;
        (layer->*set)(true);
        // A layer the host no longer takes stays as it is; the others are still put back.
        (void)attributes.store(*layer);
    }
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

int32_t EditWork::makeEditable(Element& element, bool anyDatabase, bool rememberLayers, bool rememberUnlocked,
                               bool rememberReserved) {
    Project* project = Host::getProject();
    if (project == nullptr) return 0;
    ElementAccess& access = elementAccess();
    if (access.getEditBlockGuid(element).isValid()) return 0;
    if (access.isEditable(element)) return 1;
    Specification* attributes = project->getSpecification();
    if (attributes == nullptr) return 0;
    Layer layer = access.getLayer(element);
    showAndUnlock(*attributes, layer, rememberLayers);
    if (m_teamwork && access.getOwnerUserId(element) != Host::getCurrentUser().getUserId() &&
        !reserve(*project, element, rememberReserved))
        return 0;
    Drawing* drawing = access.linkOf(element).getDrawing();
    if (!access.isLocked(element) || drawing == nullptr) return 1;
    // The caller asked to stay in the current database: its change will meet the lock there.
    if (!anyDatabase && drawing != Host::getCurrentDatabase()) return 1;
    return unlock(*drawing, element, rememberUnlocked) ? 1 : 0;
}

void EditWork::showAndUnlock(Specification& attributes, Layer& layer, bool remember) {
    if (layer.isLocked()) {
        layer.setLocked(false);
        if (attributes.store(layer) && remember) keep(m_unlockedLayers, layer.getLink());
    }
    if (layer.isHidden()) {
        layer.setHidden(false);
        if (attributes.store(layer) && remember) keep(m_shownLayers, layer.getLink());
    }
}

bool EditWork::reserve(Project& project, Element& element, bool remember) {
    ElementAccess& access = elementAccess();
    const ElementLink& link = access.linkOf(element);
    if (!project.reserveElements(*oneLink(link))) return false;
    if (remember) keep(m_reservedElements, link);
    // The record read before the reservation still names the old owner; a change would write it back.
    access.setOwnerUserId(element, Host::getCurrentUser().getUserId());
    return true;
}

bool EditWork::unlock(Drawing& drawing, Element& element, bool remember) {
    ElementAccess& access = elementAccess();
    const ElementLink& link = access.linkOf(element);
    if (!drawing.unlockElements(*oneLink(link))) return false;
    access.setLocked(element, false);
    if (remember) keep(m_unlockedElements, link);
    return true;
}

void EditWork::restoreLayers() {
    std::unique_ptr<AttrRefList> unlocked = std::move(m_unlockedLayers);
    std::unique_ptr<AttrRefList> shown = std::move(m_shownLayers);
    Specification* attributes = Host::getSpecification();
    if (attributes == nullptr) return;
    if (unlocked) restoreFlag(*attributes, *unlocked, &Layer::setLocked);
    if (shown) restoreFlag(*attributes, *shown, &Layer::setHidden);
}

void EditWork::relockElements() {
    std::unique_ptr<ElementLinkList> unlocked = std::move(m_unlockedElements);
    if (!unlocked) return;
    // One host call per drawing, in the order the drawings were first met.
    std::unordered_map<Drawing*, size_t> groupOf;
    std::vector<std::pair<Drawing*, std::unique_ptr<ElementLinkList>>> groups;
    for (const ElementLink* link : *unlocked) {
        Drawing* drawing = link != nullptr ? link->getDrawing() : nullptr;
        if (drawing == nullptr) continue;
        auto [at, added] = groupOf.try_emplace(drawing, groups.size());
        if (added) groups.emplace_back(drawing, std::make_unique<ElementLinkList>());
        groups[at->second].second->push_back(link->clone());
    }
    for (auto& [drawing, links] : groups) {
        // Nothing more can be done when the host refuses; the other drawings are still relocked.
        (void)drawing->lockElements(*links);
    }
}

void EditWork::releaseElements() {
    std::unique_ptr<ElementLinkList> reserved = std::move(m_reservedElements);
    Project* project = Host::getProject();
    if (!reserved || project == nullptr) return;
    // The host keeps what it refuses to take back; there is no one else to give it to.
    (void)project->releaseElements(*reserved);
}

void installEditWork() {
    EditManager::installWorkMaker(&makeEditWork);
}

void uninstallEditWork() {
    EditManager::installWorkMaker(nullptr);
}

} // namespace tarnwick
