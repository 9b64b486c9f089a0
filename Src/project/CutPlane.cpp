#include "project/CutPlane.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Environment/HostCalls.h"
#include "platform/gsroot/Containers.h"
#include "project/ElementAccess.h"
#include "project/Plan.h"
#include "project/Project.h"

namespace tarnwick {

namespace {
bool namesView(const DatabaseRef& ref, const Drawing& view) {
    return ref.getKind() == view.getDatabaseType() && ref.getDatabaseGuid() == view.getDatabaseGuid();
}
} // namespace

bool proxyview::makeProxyLink(ElementLink& link) {
    if (link.getTypeCode() == ProxyTypeCode) return false;
    link.setTypeId(ElementLink::makeTypeId(ProxyTypeCode));
    link.setSelectionKind(0);
    return true;
}

ElementLink proxyview::getViewLink(const Drawing& view, const ElementLink& link) {
    ElementLink copy = link;
    if (namesView(link.getProxy(), view) && (link.getProxyTypeId() & 0xFF) != 0 &&
        link.getProxyGuid().isValid()) {
        copy.setTypeId(link.getProxyTypeId());
        copy.getHome() = link.getProxy();
    }
    return copy;
}

std::unique_ptr<Element> CutPlane::get(const ElementLink& link) {
    Drawing* home = link.getDrawing();
    if (home != nullptr && home != this && namesView(link.getProxy(), *this)) return home->get(link);
    return Drawing::get(link);
}

bool Drawing::IsCutPlaneRef::accepts(const Element& element) const {
    return elementAccess().isCutPlaneReferenceOf(element, m_view);
}

std::unique_ptr<Element> CutPlane::findMarker() {
    Plan* plan = m_project != nullptr ? m_project->getPlan() : nullptr;
    if (plan == nullptr) return nullptr;
    auto it = plan->cbegin(IsCutPlaneRef(getDatabaseGuid(), Filter(getMarkerType(), false, true, false)));
    std::unique_ptr<Element> marker(it.get());
    it.release(false);
    return marker;
}

ElementLink CutPlane::findProxyLink(const ElementLink& link) {
    auto it = cbegin(IsElementProxy(link, Filter(0, false, true, false)));
    return it.atEnd() ? ElementLink() : IteratorTraits<Drawing>::linkOf(*it);
}

int32_t CutPlane::findProxyLinks(const ElementLinkList& links, ElementLinkList& out) {
    std::unordered_set<Guid> wanted;
    for (const ElementLink* link : links)
        if (link != nullptr && link->hasGuid()) wanted.insert(link->getGuid());
    if (wanted.empty()) return 0;
    int32_t found = 0;
    for (auto it = cbegin(Filter(0, false, true, false)); it != cend(); ++it) {
        const ElementLink& seen = IteratorTraits<Drawing>::linkOf(*it);
        if (wanted.count(seen.getGuid()) == 0) continue;
        out.push_back(seen.clone());
        ++found;
    }
    return found;
}

void CutPlane::toProxyLinks(ElementLinkList& links) {
    std::unordered_map<Guid, std::vector<ElementLink*>> byGuid;
    for (ElementLink* link : links)
        if (link != nullptr && link->hasGuid()) byGuid[link->getGuid()].push_back(link);
    if (byGuid.empty() || !makeCurrent()) return;
    GS::Array<API_Guid> proxies;
    const API_Guid anyDatabase;
    m_lastError = ACAPGetElementList(ProxyTypeCode, &proxies, 0, 0, &anyDatabase);
    if (m_lastError != hosterr::Ok) return;
    auto record = std::make_unique<API_Element>();
    for (const API_Guid& proxyGuid : proxies) {
        *record = API_Element();
        record->head.typeCode = ProxyTypeCode;
        record->head.guid = proxyGuid;
        if (ACAPGetElement(record.get()) != hosterr::Ok) continue;
        HostProxyElement proxy;
        std::memcpy(static_cast<void*>(&proxy), record->raw, sizeof proxy);
        if (proxy.showsElement == 0) continue;
        auto shown = byGuid.find(Guid(proxy.elementGuid));
        if (shown == byGuid.end()) continue;
        for (ElementLink* link : shown->second) {
            link->setProxyDrawing(this);
            link->setProxyGuid(Guid(proxyGuid));
            link->setProxyTypeId(ElementLink::makeTypeId(ProxyTypeCode));
        }
    }
}

} // namespace tarnwick
