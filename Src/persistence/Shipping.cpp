#include "persistence/Shipping.h"

namespace tarnwick {

std::unique_ptr<XMLShipping> ShippingContainer::makeFieldProxyByName(const String& name) {
    size_t count = getFieldCount();
    for (size_t index = 0; index < count; ++index) {
        std::unique_ptr<XMLShipping> proxy = makeFieldProxy(index, false);
        if (proxy && proxy->getElementName() == name) return proxy;
    }
    return nullptr;
}

XMLContainerProxy::XMLContainerProxy(XMLShipping& target, const String& tag)
    : XMLShipping(tag), m_target(&target), m_container(target.asContainer()) {}

XMLContainerProxy::XMLContainerProxy(std::unique_ptr<XMLShipping> target, const String& tag)
    : XMLShipping(tag), m_owned(std::move(target)), m_target(m_owned.get()),
      m_container(m_target->asContainer()) {}

String XMLContainerProxy::getElementName() const {
    String tag = XMLShipping::getElementName();
    return tag.isEmpty() ? m_target->getElementName() : tag;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeFieldProxy(size_t index, bool attributesOnly) {
    return m_container ? m_container->makeFieldProxy(index, attributesOnly) : nullptr;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeMember(const String& name) {
    return m_container ? m_container->makeMember(name) : nullptr;
}

std::unique_ptr<XMLShipping> XMLContainerProxy::makeFieldProxyByName(const String& name) {
    return m_container ? m_container->makeFieldProxyByName(name) : nullptr;
}

} // namespace tarnwick
