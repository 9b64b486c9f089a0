#include "persistence/PackageDocument.h"

#include <climits>
#include <expat.h>
#include <memory>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

namespace tarnwick {

namespace {

// Finds where each element under the root starts and ends in the text. Only the byte positions
// are taken; what the elements mean is for the reader.
class Splitter {
public:
    Splitter(XML_Parser parser, const std::string& text, const String& rootName)
        : m_parser(parser), m_text(text), m_rootName(rootName) {}

    void start(const XML_Char* name) {
        if (m_depth == 0) m_wholeRoot = String(name) != m_rootName;
        if (m_depth == (m_wholeRoot ? 0u : 1u)) m_start = XML_GetCurrentByteIndex(m_parser);
        ++m_depth;
    }

    void end(const XML_Char* name) {
        --m_depth;
        if (m_depth != (m_wholeRoot ? 0u : 1u)) return;
        XML_Index end = XML_GetCurrentByteIndex(m_parser) + XML_GetCurrentByteCount(m_parser);
        if (m_start < 0 || end < m_start || static_cast<size_t>(end) > m_text.size()) return stop();
        elements.push_back(
            {String(name), m_text.substr(static_cast<size_t>(m_start), static_cast<size_t>(end - m_start))});
    }

    // The bytes are carried over as they are, so they must be what a document of ours holds.
    void declaration(const XML_Char* encoding) {
        if (encoding == nullptr) return;
        std::string lower(encoding);
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (lower != "utf-8") stop();
    }

    void stop() {
        if (m_stopped) return;
        m_stopped = true;
        XML_StopParser(m_parser, XML_FALSE);
    }
    bool stopped() const { return m_stopped; }

    std::vector<PackageDocument::Element> elements;

private:
    XML_Parser m_parser;
    const std::string& m_text;
    String m_rootName;
    size_t m_depth = 0;
    XML_Index m_start = -1;
    bool m_wholeRoot = false;
    bool m_stopped = false;
};

// expat is C: nothing may be thrown through it.
template <class Body> void guarded(void* userData, Body body) {
    auto* splitter = static_cast<Splitter*>(userData);
    try {
        body(*splitter);
    } catch (...) {
        splitter->stop();
    }
}

void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char**) {
    guarded(userData, [&](Splitter& s) { s.start(name); });
}
void XMLCALL onEnd(void* userData, const XML_Char* name) {
    guarded(userData, [&](Splitter& s) { s.end(name); });
}
void XMLCALL onDeclaration(void* userData, const XML_Char*, const XML_Char* encoding, int) {
    guarded(userData, [&](Splitter& s) { s.declaration(encoding); });
}
void XMLCALL onEntityDeclaration(void* userData, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                 const XML_Char*, const XML_Char*, const XML_Char*) {
    guarded(userData, [&](Splitter& s) { s.stop(); });
}
// A document type may give elements meaning (default attributes) that their bytes alone lack.
void XMLCALL onDoctype(void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    guarded(userData, [&](Splitter& s) { s.stop(); });
}
void XMLCALL onSkippedEntity(void* userData, const XML_Char*, int) {
    guarded(userData, [&](Splitter& s) { s.stop(); });
}

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

bool PackageDocument::split(const std::string& text, const String& rootName) {
    m_elements.clear();
    // A NUL byte means UTF-16 (or no text at all): its bytes cannot go into a UTF-8 document.
    if (text.find('\0') != std::string::npos) return false;
    if (parse(text, rootName) == Parsed::Whole) return true;
    m_elements.clear();
    return false;
}

bool PackageDocument::salvage(const std::string& text, const String& rootName) {
    m_elements.clear();
    // A NUL byte is a fault to the parser; UTF-16 has its first in the first character.
    if (parse(text, rootName) == Parsed::Faulty && !m_elements.empty()) return true;
    m_elements.clear();
    return false;
}

PackageDocument::Parsed PackageDocument::parse(const std::string& text, const String& rootName) {
    if (text.size() > static_cast<size_t>(INT_MAX)) return Parsed::Refused;
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate("UTF-8"));
    if (!parser) return Parsed::Refused;
    XML_Parser p = parser.get();
    Splitter splitter(p, text, rootName);
    XML_SetUserData(p, &splitter);
    XML_SetElementHandler(p, &onStart, &onEnd);
    XML_SetXmlDeclHandler(p, &onDeclaration);
    XML_SetStartDoctypeDeclHandler(p, &onDoctype);
    XML_SetEntityDeclHandler(p, &onEntityDeclaration);
    XML_SetSkippedEntityHandler(p, &onSkippedEntity);
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
    bool parsed = XML_Parse(p, text.data(), static_cast<int>(text.size()), XML_TRUE) == XML_STATUS_OK;
    if (splitter.stopped()) return Parsed::Refused;
    // The elements ended before the fault were well-formed to their last byte.
    m_elements = std::move(splitter.elements);
    return parsed ? Parsed::Whole : Parsed::Faulty;
}

bool PackageDocument::readElement(const std::string& bytes, XMLShipping& target) {
    DataBufferIn in{String(bytes)};
    return XMLReader(in).read(target);
}

bool PackageDocument::writeElement(XMLShipping& element, std::string& text) {
    String out;
    DataBufferOut buffer;
    bool ok = buffer.open(out) && XMLWriter(buffer).write(element, false, 1, true, false);
    ok = buffer.close() && ok;
    text = ok ? out.bytes() : std::string();
    return ok;
}

std::string PackageDocument::compose(const String& rootName, const std::vector<std::string>& parts) {
    std::string text = std::string(XMLWriter::Declaration) + "\n<" + rootName.bytes() + ">\n";
    for (const std::string& part : parts) {
        text += part;
        if (!part.empty() && part.back() != '\n') text += '\n';
    }
    return text + "</" + rootName.bytes() + ">\n";
}

} // namespace tarnwick
