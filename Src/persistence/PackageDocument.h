// The stored text of a package store taken apart into its packages' elements, so that a package
// whose element cannot be read now keeps that element, byte for byte, for the next write.
#pragma once

#include <string>
#include <vector>

#include "Environment/String.h"

namespace tarnwick {

class XMLShipping;

class PackageDocument {
public:
    struct Element {
        String name;       // the element name
        std::string bytes; // the element as stored, from its start tag to its end tag
    };

    // Takes text apart: the elements directly under a root named rootName, or the root itself when
    // it is named otherwise (a document of one package). False, holding nothing, when the text is
    // not well-formed, not UTF-8 or has a document type, so that its bytes cannot be carried over.
    bool split(const std::string& text, const String& rootName);
    // For text that split refuses because it is not well-formed (cut short, say): the elements
    // that were whole before the fault, as split would take them. A NUL byte counts as the fault.
    // False, holding nothing, when none was whole or the text is refused for anything else (another
    // encoding, a document type, or no fault at all).
    bool salvage(const std::string& text, const String& rootName);
    const std::vector<Element>& getElements() const { return m_elements; }

    // Reads bytes (one element) into target; false when the read failed.
    static bool readElement(const std::string& bytes, XMLShipping& target);
    // Writes element on its own, without a declaration; false when the writer failed.
    static bool writeElement(XMLShipping& element, std::string& text);
    // A document with a declaration and a root named rootName holding parts in order.
    static std::string compose(const String& rootName, const std::vector<std::string>& parts);

private:
    enum class Parsed { Whole, Faulty, Refused };
    Parsed parse(const std::string& text, const String& rootName);

    std::vector<Element> m_elements;
};

} // namespace tarnwick
