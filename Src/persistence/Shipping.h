// The serialisation family: objects that travel as XML, and the parts the reader and the writer
// reach them through. A unit (XMLUnit) is one value written as text, inside its parent's tag
// (an attribute) or as an element of its own; a container (an assembly, an array or a map)
// hands out proxies of its members, by index for the writer and by element name for the reader.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "Environment/String.h"

namespace tarnwick {

class ShippingContainer;
class XMLShipping;
class XMLUnit;

// The deepest nesting of elements (the root counts as one) that the writer writes and the reader
// accepts: one limit, so that every document written reads back.
inline constexpr size_t XMLMaxDepth = 256;

class Shipping {
public:
    Shipping() = default;
    Shipping(const Shipping&) = default;
    Shipping& operator=(const Shipping&) = default;
    virtual ~Shipping() = default;

    // A disabled member is left out by the writer; the reader reads it all the same.
    virtual void setEnabled(bool enabled) { m_enabled = enabled; }
    virtual void clear() { reset(); }
    // Records restore their defaults.
    virtual void reset() {}
    // Called when the reader has read the object; false fails the whole read.
    virtual bool afterRead() { return true; }
    virtual bool isEnabled() const { return m_enabled; }
    // The text of the element or attribute; false rejects it and fails the read.
    [[nodiscard]] virtual bool readText(const String&) { return true; }

private:
    bool m_enabled = true;
};

// What a container answers. Proxies are new objects that the caller owns; they refer to the
// container's members, which must outlive them.
class ShippingContainer {
public:
    virtual ~ShippingContainer() = default;

    virtual size_t getFieldCount() const = 0;
    // Arrays and maps: members are made by makeMember as the reader meets them.
    virtual bool isSequence() const { return false; }
    virtual bool isMap() const { return false; }
    // The member at index, or null. With attributesOnly the container may leave out everything
    // but its attribute units (the writer asks so for the parent's tag).
    virtual std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) = 0;
    // A new member for an element of that name (arrays and maps), or null to skip the element.
    virtual std::unique_ptr<XMLShipping> makeMember(const String&) { return nullptr; }
    // The member with that element or attribute name, or null. The default looks through the
    // members by index; arrays and maps answer null unless a subclass knows the name.
    virtual std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name);
};

class ShippingAssembly : public ShippingContainer {};

class XMLShipping : public Shipping {
public:
    // Names are taken by value: proxies are made per member, often from a temporary name.
    explicit XMLShipping(String elementName = String()) : m_elementName(std::move(elementName)) {}
    XMLShipping(const XMLShipping&) = default;
    XMLShipping& operator=(const XMLShipping&) = default;
    // Moves too, so that containers of shipped records move them rather than copy them as they grow.
    XMLShipping(XMLShipping&&) noexcept = default;
    XMLShipping& operator=(XMLShipping&&) noexcept = default;
    ~XMLShipping() override = default;

    virtual String getElementName() const { return m_elementName; }
    // Written as a comment before the element when the writer is asked for auxiliary text.
    virtual String getAuxiliaryText() const { return String(); }
    virtual void setElementName(const String& name) { m_elementName = name; }

    // The two kinds, so that the reader and the writer need no casts.
    virtual ShippingContainer* asContainer() { return nullptr; }
    virtual XMLUnit* asUnit() { return nullptr; }

private:
    String m_elementName;
};

class XMLUnit : public XMLShipping {
public:
    explicit XMLUnit(String elementName = String(), bool attribute = false)
        : XMLShipping(std::move(elementName)), m_attribute(attribute) {}

    // Written inside the parent's tag.
    virtual bool isAttribute() const { return m_attribute; }
    virtual void setAttribute(bool attribute) { m_attribute = attribute; }
    // The value as the writer puts it.
    virtual String getText() const = 0;

    XMLUnit* asUnit() override { return this; }

private:
    bool m_attribute;
};

class XMLAssembly : public XMLShipping, public ShippingAssembly {
public:
    using XMLShipping::XMLShipping;
    ShippingContainer* asContainer() override { return this; }
};

class XMLArray : public XMLShipping, public ShippingContainer {
public:
    using XMLShipping::XMLShipping;
    bool isSequence() const override { return true; }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String&) override { return nullptr; }
    ShippingContainer* asContainer() override { return this; }
};

// An array whose members are entries under a key.
class XMLMap : public XMLArray {
public:
    using XMLArray::XMLArray;
    bool isMap() const override { return true; }
};

// Ships a container that lives elsewhere under a tag of its own (empty: the target's own
// element name). Everything but the name and the enabled flag goes to the target; the proxy
// counts as enabled when both it and the target are.
class XMLContainerProxy : public XMLShipping, public ShippingContainer {
public:
    XMLContainerProxy(XMLShipping& target, const String& tag = String());
    // Owns the target, for members made only to be shipped.
    XMLContainerProxy(std::unique_ptr<XMLShipping> target, const String& tag = String());

    XMLShipping& getTarget() const { return *m_target; }

    String getElementName() const override;
    String getAuxiliaryText() const override { return m_target->getAuxiliaryText(); }
    void reset() override { m_target->reset(); }
    bool afterRead() override { return m_target->afterRead(); }
    bool isEnabled() const override { return XMLShipping::isEnabled() && m_target->isEnabled(); }
    bool readText(const String& text) override { return m_target->readText(text); }

    size_t getFieldCount() const override { return m_container ? m_container->getFieldCount() : 0; }
    bool isSequence() const override { return m_container && m_container->isSequence(); }
    bool isMap() const override { return m_container && m_container->isMap(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeMember(const String& name) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;
    ShippingContainer* asContainer() override { return this; }

private:
    std::unique_ptr<XMLShipping> m_owned;
    XMLShipping* m_target;
    ShippingContainer* m_container;
};

class XMLAssemblyProxy : public XMLContainerProxy {
public:
    explicit XMLAssemblyProxy(XMLAssembly& target, const String& tag = String())
        : XMLContainerProxy(target, tag) {}
};

class XMLArrayProxy : public XMLContainerProxy {
public:
    explicit XMLArrayProxy(XMLArray& target, const String& tag = String()) : XMLContainerProxy(target, tag) {}
};

class XMLMapProxy : public XMLContainerProxy {
public:
    explicit XMLMapProxy(XMLMap& target, const String& tag = String()) : XMLContainerProxy(target, tag) {}
};

} // namespace tarnwick
