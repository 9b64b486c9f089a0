// A proxy (host type 29): in a section, elevation, interior elevation or 3D document it stands for
// a model element, which it can hand out as found on the floor plan.
#pragma once

#include <memory>

#include "elements/Element.h"
#include "platform/api/ElementRecords.h"

namespace tarnwick {

class ProxyElem : public Element {
public:
    static constexpr uint8_t TypeCode = 29;

    // A new proxy of the host's defaults.
    ProxyElem();
    ProxyElem(const API_Element& record, const ElementLink& link);
    ProxyElem(const ProxyElem& other) = default;
    ~ProxyElem() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<ProxyElem>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override;
    // No memo part.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_proxy.head; }
    HostElementHead& getRecord() override { return m_proxy.head; }

    // The type's default fields, showing no element.
    void setDefaults();
    Guid getRepresentedGuid() const { return Guid(m_proxy.elementGuid); }
    // The element it stands for, read from the floor plan (the caller's); null when the plan has
    // no element of that Guid.
    std::unique_ptr<Element> getRepresentedElement() const;

private:
    HostProxyElement m_proxy;
};

// The factory's creator of proxies; null for a record of another type.
std::unique_ptr<Element> createProxy(const API_Element& record, ElementLink& link);

} // namespace tarnwick
