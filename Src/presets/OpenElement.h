// Stored XML that this add-on has no class for (a record of a type no template here knows, a
// field a template lacks), kept as read so that a save writes it back: an element with its child
// elements, or with its text. Attributes come back as child elements of the same name.
#pragma once

#include <memory>
#include <vector>

#include "persistence/Shipping.h"

namespace tarnwick {

class OpenElement {
public:
    explicit OpenElement(const String& name) : m_name(name) {}
    OpenElement(const OpenElement& other);
    OpenElement& operator=(const OpenElement&) = delete;

    const String& getName() const { return m_name; }
    const String& getText() const { return m_text; }
    size_t getChildCount() const { return m_children.size(); }
    const OpenElement& getChild(size_t index) const { return *m_children.at(index); }

    // What the reader and the writer reach the element through. While it is read it takes both
    // text and children; once read it is a text or a container, whichever it turned out to be.
    std::unique_ptr<XMLShipping> makeProxy();
    // A new child, for the reader.
    OpenElement& appendChild(const String& name);

private:
    class Proxy;

    String m_name;
    String m_text;
    std::vector<std::unique_ptr<OpenElement>> m_children;
    bool m_reading = true;
};

// Open elements in their order, as the tail of a known element's members.
class OpenElementList {
public:
    OpenElementList() = default;
    OpenElementList(const OpenElementList& other);
    OpenElementList& operator=(const OpenElementList&) = delete;

    size_t size() const { return m_elements.size(); }
    bool empty() const { return m_elements.empty(); }
    std::unique_ptr<XMLShipping> makeProxy(size_t index) {
        return index < m_elements.size() ? m_elements[index]->makeProxy() : nullptr;
    }
    // A new element for the reader.
    std::unique_ptr<XMLShipping> append(const String& name);
    void clear() { m_elements.clear(); }

private:
    std::vector<std::unique_ptr<OpenElement>> m_elements;
};

} // namespace tarnwick
