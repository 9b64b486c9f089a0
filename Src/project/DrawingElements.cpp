// Drawing: walking, reading and writing elements. The element classes sit above the drawings, so
// whatever needs them goes through the element model's access.
#include <stdexcept>

#include "Environment/HostCalls.h"
#include "project/ElementAccess.h"
#include "project/ProgressWindow.h"

namespace tarnwick {

namespace {

ElementAccess* installedAccess = nullptr;
ElementDeleter installedDeleter = nullptr;

// Tells a progress monitor of each element a walk has tried.
class MonitorObserver : public IteratorObserver {
public:
    explicit MonitorObserver(ProgressMonitor* monitor) : m_monitor(monitor) {}
    void onElementRead() override { m_monitor->step(); }

private:
    ProgressMonitor* m_monitor;
};

std::shared_ptr<IteratorObserver> observerOf(ProgressMonitor* monitor) {
    return monitor == nullptr ? nullptr : std::make_shared<MonitorObserver>(monitor);
}
} // namespace

void installElementDeleter(ElementDeleter deleter) {
    installedDeleter = deleter;
}

void deleteElement(Element* element) noexcept {
    if (element != nullptr && installedDeleter != nullptr) installedDeleter(element);
}

void installElementAccess(ElementAccess* access) {
    installedAccess = access;
}

ElementAccess& elementAccess() {
    if (installedAccess == nullptr) throw std::logic_error("the element model is not started");
    return *installedAccess;
}

Drawing::iterator Drawing::begin(const Filter& filter, ProgressMonitor* monitor) {
    return iterator(collectForWalk(filter), filter, observerOf(monitor));
}

Drawing::reverse_iterator Drawing::rbegin(const Filter& filter, ProgressMonitor* monitor) {
    return reverse_iterator(collectForWalk(filter), filter, observerOf(monitor));
}

Drawing::const_iterator Drawing::cbegin(const Filter& filter, ProgressMonitor* monitor) {
    return const_iterator(collectForWalk(filter), filter, observerOf(monitor));
}

Drawing::iterator Drawing::end() {
    return iterator();
}

Drawing::reverse_iterator Drawing::rend() {
    return reverse_iterator();
}

Drawing::const_iterator Drawing::cend() {
    return const_iterator();
}

std::unique_ptr<Element> Drawing::findItem(const ElementLink&, bool, Filter&, bool) {
    return nullptr;
}

std::unique_ptr<Element> Drawing::getSelectedElement(uint16_t type) {
    if (!loadSelection()) return nullptr;
    const uint8_t code = static_cast<uint8_t>(type & 0xFF);
    const uint8_t subKind = static_cast<uint8_t>(type >> 8);
    const ElementLink* found = nullptr;
    if (code == 0) {
        found = &m_lastSelected;
    } else {
        for (size_t i = m_selection->size(); i-- > 0;) {
            const ElementLink* link = (*m_selection)[i];
            if (link == nullptr || link->getTypeCode() != code) continue;
            if (subKind != 0 && link->getSubKind() != 0 && link->getSubKind() != subKind) continue;
            found = link;
            break;
        }
    }
    if (found == nullptr) return nullptr;
    const ElementLink chosen = *found; // get may drop the kept selection
    return get(chosen);
}

std::unique_ptr<Element> Drawing::get(const ElementLink& link) {
    ElementLink copy = link;
    if (!resolveProxy(copy, false) || !copy.hasGuid()) return getElement(link, nullptr);
    API_Guid guid = copy.getGuid().toAPI();
    auto record = std::make_unique<API_Element>();
    if (ACAPDatabaseCall(fourCC("GEFA"), &guid, record.get()) != hosterr::Ok)
        return getElement(link, nullptr);
    ElementLink made(record->head, copy.getDrawing());
    if (const ElementLink* entry = findSelected(made); entry != nullptr && entry->getGuid() == made.getGuid())
        made.copySelection(*entry);
    if (std::unique_ptr<Element> element = elementAccess().wrap(*record, made, nullptr)) return element;
    return getElement(link, nullptr);
}

std::unique_ptr<Element> Drawing::getElement(const ElementLink& link, const Filter* filter) {
    if (!makeCurrent()) return nullptr;
    ElementLink copy = link;
    const bool inSelection = filter != nullptr && filter->isSelectedOnly();
    const ElementLink* entry = findSelected(link);
    // Without a selection nothing is selected: a selected-only read reads nothing.
    if (inSelection) {
        if (entry == nullptr) return nullptr;
        copy = *entry;
    }
    const ElementLink selected = entry != nullptr ? *entry : ElementLink();
    if (!resolveProxy(copy, filter != nullptr && filter->isResolvingProxies())) return nullptr;
    if (filter != nullptr) {
        if (!passesType(copy, filter->getElementType())) return nullptr;
        // A selected entry not resolved to another element is tested as itself.
        const bool asSelected = inSelection && copy.getGuid() == selected.getGuid();
        if (filter->getHostFlags() != 0 && !passesHostFilter(copy, *filter, asSelected)) return nullptr;
        if (filter->isWithUserData() && !hasUserData(copy)) return nullptr;
    }
    auto record = std::make_unique<API_Element>();
    copy.makeHeader(record->head, false);
    m_lastError = ACAPGetElement(record.get());
    if (m_lastError != hosterr::Ok) return nullptr;
    copy.fillFromHeader(record->head);
    if (entry != nullptr && selected.getGuid() == copy.getGuid()) copy.copySelection(selected);
    return elementAccess().wrap(*record, copy, filter);
}

bool Drawing::saveElement(Element& element, bool asNew, bool withMemo) {
    return elementAccess().saveElement(*this, element, asNew, withMemo);
}

bool Drawing::storeElementUserData(Element& element) {
    return elementAccess().storeElementUserData(*this, element);
}

bool Drawing::IsElementProxy::accepts(const Element& element) const {
    return elementAccess().linkOf(element).getGuid() == m_link.getGuid();
}

const ElementLink& IteratorTraits<Drawing>::linkOf(const Element& item) {
    return elementAccess().linkOf(item);
}

bool IteratorTraits<Drawing>::save(Element& item) {
    Drawing* drawing = linkOf(item).getDrawing();
    return drawing != nullptr && drawing->saveElement(item, false, true);
}

std::unique_ptr<Element> IteratorTraits<Drawing>::copy(const Element& item) {
    return elementAccess().clone(item);
}

} // namespace tarnwick
