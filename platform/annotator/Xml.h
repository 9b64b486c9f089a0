// The Annotator's own XML: expat into a small tree, and the escaping of what it writes. It shares
// nothing with the framework's reader and writer, so that a fault there cannot hide on both sides
// of the exchange.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zavannotator {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes; // in the order written
    std::string text; // the character data directly inside, comments left out
    std::vector<XmlElement> children;

    // The attribute's value, or null.
    const std::string* attribute(const std::string& attributeName) const;
};

struct XmlDocument {
    std::string encoding; // as the declaration names it; empty without one, or without a name
    bool hasRoot = false;
    XmlElement root;
};

// Elements nested deeper than this make a document unreadable.
inline constexpr size_t XmlMaxDepth = 64;

// False with "LINE:COLUMN: reason" when the bytes are not a well-formed document; the document
// then holds what was read before the fault. A document type declaration is refused whole: no
// exchange file has one, and it is the way in for entity expansion.
bool parseXml(const std::string& bytes, XmlDocument& document, std::string* why);

// False when the file cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

// Text escaped for an element or attribute value.
std::string xmlEscaped(const std::string& text);

// Text trimmed of blanks, tabs and line breaks at both ends.
std::string trimmed(const std::string& text);

} // namespace zavannotator
