#include "library/ProxyElem.h"

#include <cstring>

#include "Environment/Host.h"
#include "project/Plan.h"

namespace tarnwick {

ProxyElem::ProxyElem() : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    setDefaults();
}

ProxyElem::ProxyElem(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_proxy), record.raw, sizeof m_proxy);
}

std::unique_ptr<API_Element> ProxyElem::buildRecord() const {
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, static_cast<const void*>(&m_proxy), sizeof m_proxy);
    getLink().writeHeader(record->head, true);
    return record;
}

ElementMemoPtr ProxyElem::buildMemo(uint64_t& mask) {
    mask = 0;
    return nullptr;
}

void ProxyElem::setDefaults() {
    auto defaults = std::make_unique<API_Element>();
    if (getDefaults(*defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_proxy), defaults->raw, sizeof m_proxy);
    else
        m_proxy = HostProxyElement();
    getLink().writeHeader(m_proxy.head, true);
    m_proxy.showsElement = 0;
    setReferencePoint(CadPoint());
}

std::unique_ptr<Element> ProxyElem::getRepresentedElement() const {
    Plan* plan = Host::getPlan();
    const Guid shown = getRepresentedGuid();
    if (plan == nullptr || !shown.isValid()) return nullptr;
    ElementLink link;
    if (!plan->findElement(shown, &link, nullptr, nullptr)) return nullptr;
    return plan->getElement(link, nullptr);
}

std::unique_ptr<Element> createProxy(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != ProxyElem::TypeCode) return nullptr;
    return std::make_unique<ProxyElem>(record, link);
}

} // namespace tarnwick
