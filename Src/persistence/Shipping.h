// The serialisation family: objects that travel as XML, and the parts the reader and the writer
// reach them through. A unit (XMLUnit) is one value written as text, inside its parent's tag
// (an attribute) or as an element of its own; a container (an assembly, an array or a map)
// hands out proxies of its members, by index for the writer and by element name for the reader.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "Environment/String.h"

namespace tarnwick {

class ProxySlot;
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

// Whether the writer can put the text as an element or attribute name. Names are kept to ASCII:
// a letter, '_' or ':' first, then also digits, '-' and '.'.
constexpr bool isUsableXMLName(std::string_view name) {
    auto starts = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
    };
    auto follows = [&](char c) { return starts(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; };
    if (name.empty() || !starts(name.front())) return false;
    for (char c : name)
        if (!follows(c)) return false;
    return true;
}

// An element name whose text outlives every object named with it (a literal, a table of
// constants): kept by reference, so that a proxy made per member copies no name. Whether it is a
// usable name is worked out when it is made, which for a constant is while compiling.
class LiteralName {
public:
    explicit constexpr LiteralName(std::string_view text)
        : m_text(text.data() ? text : std::string_view("")), m_usable(isUsableXMLName(m_text)) {}
    constexpr std::string_view view() const { return m_text; }
    constexpr bool isUsable() const { return m_usable; }

private:
    std::string_view m_text;
    bool m_usable;
};

// Member names by index, for a container's by-name lookup: made once, asked per element. The first
// index of a name wins, as in a look through the members in order.
class FieldNameTable {
public:
    static constexpr size_t npos = ~size_t(0);

    FieldNameTable() = default;
    explicit FieldNameTable(std::initializer_list<std::string_view> names);
    template <size_t N> explicit FieldNameTable(const std::string_view (&names)[N]) {
        for (std::string_view name : names)
            add(name);
    }
    template <size_t N> explicit FieldNameTable(const LiteralName (&names)[N]) {
        for (const LiteralName& name : names)
            add(name.view());
    }

    // Names are added in index order; a name given before keeps its first index.
    void add(std::string_view name);
    size_t size() const { return m_count; }
    // The index of the name, or npos.
    size_t find(std::string_view name) const;

private:
    struct Entry {
        std::string name;
        size_t index = npos;
    };
    static size_t hashOf(std::string_view name);
    void place(Entry entry);

    std::vector<Entry> m_entries; // open addressing, a power of two long
    size_t m_count = 0;           // names added, repeats included
    size_t m_used = 0;            // entries taken
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
    // The member with that element or attribute name, or null. The default finds the index
    // through a table of the type's member names, made once per type (see placeNamedField);
    // arrays and maps answer null unless a subclass knows the name.
    virtual std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name);

    // The same three, made in a slot that the reader or the writer reuses from one element to the
    // next, so that a member costs no allocation. Each answers the proxy it put in the slot, or
    // null. The defaults put there what the owning forms above make; a container read or written
    // often overrides them, and then makes its owning forms with ProxySlot::owned.
    virtual XMLShipping* placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot);
    virtual XMLShipping* placeMember(const String& name, ProxySlot& slot);
    virtual XMLShipping* placeFieldProxyByName(const String& name, ProxySlot& slot);

protected:
    // The member named so, looked up in a table of this type's member names by index. The table
    // is made once per type from the proxies of the first object asked; every hit is checked
    // against the member at that index, and a name missed, a changed count or a failed check
    // looks through all members as before, so that members whose names depend on the object are
    // still found. First match in index order.
    XMLShipping* placeNamedField(const String& name, ProxySlot& slot);

private:
    XMLShipping* placeByScan(const String& name, ProxySlot& slot);
};

class ShippingAssembly : public ShippingContainer {};

class XMLShipping : public Shipping {
public:
    // Names are taken by value: proxies are made per member, often from a temporary name.
    explicit XMLShipping(String elementName = String()) : m_elementName(std::move(elementName)) {}
    explicit XMLShipping(LiteralName elementName)
        : m_literalName(elementName.view()), m_literalUsable(elementName.isUsable()) {}
    XMLShipping(const XMLShipping&) = default;
    XMLShipping& operator=(const XMLShipping&) = default;
    // Moves too, so that containers of shipped records move them rather than copy them as they grow.
    XMLShipping(XMLShipping&&) noexcept = default;
    XMLShipping& operator=(XMLShipping&&) noexcept = default;
    ~XMLShipping() override = default;

    virtual String getElementName() const { return String(storedElementName()); }
    // Written as a comment before the element when the writer is asked for auxiliary text.
    virtual String getAuxiliaryText() const { return String(); }
    virtual void setElementName(const String& name) {
        m_elementName = name;
        m_literalName = std::string_view();
    }

    // The two kinds, so that the reader and the writer need no casts.
    virtual ShippingContainer* asContainer() { return nullptr; }
    virtual XMLUnit* asUnit() { return nullptr; }

    // getElementName without a copy where the object keeps its name; otherwise the name is put in
    // scratch. The view lasts while the object and scratch do.
    virtual std::string_view viewElementName(String& scratch) const {
        scratch = getElementName();
        return scratch.view();
    }

    // True when name is this object's own LiteralName, found usable when it was made: the view's
    // bytes are then that constant text, which the writer need not check again.
    bool isCheckedName(std::string_view name) const {
        return m_literalUsable && name.data() == m_literalName.data() && name.size() == m_literalName.size();
    }

protected:
    // The name as set, without a copy.
    std::string_view storedElementName() const {
        return m_literalName.data() ? m_literalName : m_elementName.view();
    }

private:
    String m_elementName;
    std::string_view m_literalName; // set (not null) when the name is a LiteralName
    bool m_literalUsable = false;
};

// Room for the one proxy that a reader or a writer needs at a time at one depth. A proxy is made
// in place when it fits and on the heap otherwise; the slot owns it until the next is made or the
// slot is cleared. A slot made OnHeap puts every proxy on the heap, for a caller that takes it
// over (see owned).
class ProxySlot {
public:
    enum Placement { InPlace, OnHeap };
    static constexpr size_t Room = 128;

    explicit ProxySlot(Placement placement = InPlace) : m_onHeap(placement == OnHeap) {}
    ProxySlot(const ProxySlot&) = delete;
    ProxySlot& operator=(const ProxySlot&) = delete;
    ~ProxySlot() { clear(); }

    template <class T, class... Args> T* make(Args&&... args) {
        static_assert(std::is_convertible_v<T*, XMLShipping*>, "a slot holds proxies");
        clear();
        if constexpr (sizeof(T) <= Room && alignof(T) <= alignof(std::max_align_t)) {
            if (!m_onHeap) {
                T* made = ::new (static_cast<void*>(m_room)) T(std::forward<Args>(args)...);
                m_object = made;
                m_inPlace = true;
                return made;
            }
        }
        auto made = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = made.get();
        m_owned = std::move(made);
        m_object = raw;
        return raw;
    }
    XMLShipping* adopt(std::unique_ptr<XMLShipping> made) {
        clear();
        m_owned = std::move(made);
        m_object = m_owned.get();
        return m_object;
    }
    XMLShipping* get() const { return m_object; }
    void clear() noexcept {
        if (m_inPlace) {
            m_inPlace = false;
            m_object->~XMLShipping();
        }
        m_owned.reset();
        m_object = nullptr;
    }

    // What place makes in a slot of its own, handed over: the owning form of a placing operation.
    // place answers the proxy it put in the slot, or null.
    template <class Place> static std::unique_ptr<XMLShipping> owned(Place&& place) {
        ProxySlot slot(OnHeap);
        XMLShipping* made = std::forward<Place>(place)(slot);
        if (made == nullptr || made != slot.m_object) return nullptr;
        slot.m_object = nullptr;
        return std::move(slot.m_owned);
    }

private:
    alignas(std::max_align_t) unsigned char m_room[Room];
    std::unique_ptr<XMLShipping> m_owned;
    XMLShipping* m_object = nullptr;
    bool m_inPlace = false;
    bool m_onHeap;
};

class XMLUnit : public XMLShipping {
public:
    explicit XMLUnit(String elementName = String(), bool attribute = false)
        : XMLShipping(std::move(elementName)), m_attribute(attribute) {}
    XMLUnit(LiteralName elementName, bool attribute) : XMLShipping(elementName), m_attribute(attribute) {}

    // Written inside the parent's tag.
    virtual bool isAttribute() const { return m_attribute; }
    virtual void setAttribute(bool attribute) { m_attribute = attribute; }
    // The value as the writer puts it.
    virtual String getText() const = 0;
    // getText without a copy where the unit holds text; otherwise the text is put in scratch.
    virtual std::string_view viewText(String& scratch) const {
        scratch = getText();
        return scratch.view();
    }

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
    std::string_view viewElementName(String& scratch) const override;
    String getAuxiliaryText() const override { return m_target->getAuxiliaryText(); }
    void reset() override { m_target->reset(); }
    bool afterRead() override { return m_target->afterRead(); }
    bool isEnabled() const override { return XMLShipping::isEnabled() && m_target->isEnabled(); }
    bool readText(const String& text) override { return m_target->readText(text); }

    // The container part is the target's, whole: final, so that the reader and the writer may go
    // to the target's container at once (asContainer answers it).
    size_t getFieldCount() const final { return m_container ? m_container->getFieldCount() : 0; }
    bool isSequence() const final { return m_container && m_container->isSequence(); }
    bool isMap() const final { return m_container && m_container->isMap(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) final;
    std::unique_ptr<XMLShipping> makeMember(const String& name) final;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) final;
    XMLShipping* placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) final;
    XMLShipping* placeMember(const String& name, ProxySlot& slot) final;
    XMLShipping* placeFieldProxyByName(const String& name, ProxySlot& slot) final;
    ShippingContainer* asContainer() final { return m_container; }

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
