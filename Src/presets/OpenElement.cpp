#include "presets/OpenElement.h"

namespace tarnwick {

// Both a unit and a container: which one the element is shows only once it has been read.
class OpenElement::Proxy : public XMLUnit, public ShippingContainer {
public:
    explicit Proxy(OpenElement& target) : XMLUnit(target.m_name), m_target(target) {}

    String getText() const override { return m_target.m_text; }
    bool readText(const String& text) override {
        m_target.m_text = text;
        return true;
    }
    bool afterRead() override {
        m_target.m_reading = false;
        // Between child elements there is only layout.
        if (!m_target.m_children.empty()) m_target.m_text.clear();
        return true;
    }
    XMLUnit* asUnit() override { return m_target.m_reading || m_target.m_children.empty() ? this : nullptr; }
    ShippingContainer* asContainer() override {
        return m_target.m_reading || !m_target.m_children.empty() ? this : nullptr;
    }

    size_t getFieldCount() const override { return m_target.m_children.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly || index >= m_target.m_children.size()) return nullptr;
        return m_target.m_children[index]->makeProxy();
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        return m_target.appendChild(name).makeProxy();
    }

private:
    OpenElement& m_target;
};

OpenElement::OpenElement(const OpenElement& other)
    : m_name(other.m_name), m_text(other.m_text), m_reading(other.m_reading) {
    m_children.reserve(other.m_children.size());
    for (const auto& child : other.m_children)
        m_children.push_back(std::make_unique<OpenElement>(*child));
}

std::unique_ptr<XMLShipping> OpenElement::makeProxy() {
    return std::make_unique<Proxy>(*this);
}

OpenElement& OpenElement::appendChild(const String& name) {
    m_children.push_back(std::make_unique<OpenElement>(name));
    return *m_children.back();
}

OpenElementList::OpenElementList(const OpenElementList& other) {
    m_elements.reserve(other.m_elements.size());
    for (const auto& element : other.m_elements)
        m_elements.push_back(std::make_unique<OpenElement>(*element));
}

std::unique_ptr<XMLShipping> OpenElementList::append(const String& name) {
    m_elements.push_back(std::make_unique<OpenElement>(name));
    return m_elements.back()->makeProxy();
}

} // namespace tarnwick
