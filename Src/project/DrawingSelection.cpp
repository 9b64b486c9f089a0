// Drawing: the host selection and the highlight. Every change of the selection drops the kept
// one, so that the next read asks the host; setSelection keeps a copy of what it selected.
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/gsroot/Containers.h"
#include "project/Colour.h"
#include "project/CutPlane.h"
#include "project/ElementListSource.h"

namespace tarnwick {

void Drawing::dropKeptSelection() {
    m_selection.reset();
    m_selectionRead = false;
    m_selectionIndex.clear();
    m_indexedCount = 0;
}

// In a section or elevation the elements are selected through the view's proxies: a copy of the
// list is rewritten, never the caller's.
bool Drawing::selectLinks(const ElementLinkList& links, bool select, bool alwaysViaProxy, bool keep) {
    dropKeptSelection();
    if (!makeCurrent()) return false;
    std::unique_ptr<ElementLinkList> copy;
    auto* cutPlane = dynamic_cast<CutPlane*>(this);
    if (cutPlane != nullptr || keep) copy = links.clone();
    if (cutPlane != nullptr) cutPlane->toProxyLinks(*copy);
    // Rewriting walks the view and may leave another database current.
    if (cutPlane != nullptr && !makeCurrent()) return false;
    const ElementLinkList& chosen = copy ? *copy : links;
    GSHandle references = chosen.makeSelectionArray(alwaysViaProxy || cutPlane != nullptr);
    m_lastError = ACAPSelectElements(references, static_cast<int32_t>(chosen.size()), select);
    freeHandle(references);
    if (m_lastError != hosterr::Ok) return false;
    if (keep && !copy->empty()) {
        m_lastSelected = *copy->back();
        m_selection = std::move(copy);
        m_selectionRead = true;
    }
    return true;
}

bool Drawing::clearSelection() {
    if (!makeCurrent()) return false;
    dropKeptSelection();
    m_lastError = ACAPSelectElements(nullptr, 0, false);
    return m_lastError == hosterr::Ok;
}

bool Drawing::setSelection(const ElementLinkList& links) {
    if (!clearSelection()) return false;
    return links.empty() || selectLinks(links, true, false, true);
}

bool Drawing::setSelection(ElementListSource& source) {
    std::unique_ptr<ElementLinkList> links = source.makeLinkList();
    return links ? setSelection(*links) : clearSelection();
}

bool Drawing::selectElement(const ElementLink& link) {
    ElementLinkList one(1);
    one.push_back(link.clone());
    return selectLinks(one, true, true, false);
}

// The host clears the whole selection when it is given no elements: an empty list must not reach it.
bool Drawing::addToSelection(const ElementLinkList& links) {
    return links.empty() || selectLinks(links, true, true, false);
}

bool Drawing::addToSelection(ElementListSource& source) {
    std::unique_ptr<ElementLinkList> links = source.makeLinkList();
    return !links || links->empty() || selectLinks(*links, true, false, false);
}

bool Drawing::deselectElement(const ElementLink& link) {
    ElementLinkList one(1);
    one.push_back(link.clone());
    return selectLinks(one, false, true, false);
}

bool Drawing::deselectElements(const ElementLinkList& links) {
    return links.empty() || selectLinks(links, false, false, false);
}

bool Drawing::deselectElements(ElementListSource& source) {
    std::unique_ptr<ElementLinkList> links = source.makeLinkList();
    return !links || links->empty() || deselectElements(*links);
}

// --- Highlight.

bool Drawing::clearHighlight() {
    if (!makeCurrent()) return false;
    m_lastError = ACAPInterfaceCall(fourCC("HGEL"));
    if (m_lastError != hosterr::Ok) return false;
    m_highlightOn = false;
    return true;
}

bool Drawing::highlightElements(const ElementLinkList& links, const Colour& colour, bool flag) {
    const HostRGBA rgba{colour.getRed(), colour.getGreen(), colour.getBlue(), colour.getAlpha()};
    GS::HashTable<API_Guid, HostRGBA> table;
    for (const ElementLink* link : links)
        if (link != nullptr && link->hasGuid()) table.Add(link->getGuid().toAPI(), rgba);
    if (table.IsEmpty()) return !m_highlightOn || clearHighlight();
    if (!makeCurrent()) return false;
    m_lastError = ACAPInterfaceCall(fourCC("HGEL"), &table, &flag);
    if (m_lastError != hosterr::Ok) return false;
    m_highlightOn = true;
    return true;
}

} // namespace tarnwick
