#include "Xml.h"

#include <climits>
#include <expat.h>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>

namespace zavannotator {

namespace {

class Builder {
public:
    Builder(XML_Parser parser, XmlDocument& document) : m_parser(parser), m_document(document) {}

    bool failed() const { return !m_why.empty(); }
    const std::string& why() const { return m_why; }

    // Keeps the first reason, with its place in the text.
    // stop is false once expat has stopped by itself.
    void fail(const std::string& reason, bool stop = true) {
        if (failed()) return;
        m_why = std::to_string(XML_GetCurrentLineNumber(m_parser)) + ":" +
                std::to_string(XML_GetCurrentColumnNumber(m_parser) + 1) + ": " + reason;
        if (stop) XML_StopParser(m_parser, XML_FALSE);
    }

    void start(const XML_Char* name, const XML_Char** attributes) {
        if (m_open.size() >= XmlMaxDepth) return fail("elements are nested too deeply");
        XmlElement* element = nullptr;
        if (m_open.empty()) {
            // expat itself refuses a second root.
            m_document.hasRoot = true;
            element = &m_document.root;
        } else {
            // Only the innermost open element gains children, so the pointers below it stay good.
            m_open.back()->children.emplace_back();
            element = &m_open.back()->children.back();
        }
        element->name = name;
        for (size_t i = 0; attributes[i] != nullptr; i += 2)
            element->attributes.emplace_back(attributes[i], attributes[i + 1]);
        m_open.push_back(element);
    }

    void end() {
        if (!m_open.empty()) m_open.pop_back();
    }

    void text(const XML_Char* data, int length) {
        if (!m_open.empty() && length > 0) m_open.back()->text.append(data, static_cast<size_t>(length));
    }

    void declaration(const XML_Char* encoding) {
        if (encoding != nullptr) m_document.encoding = encoding;
    }

private:
    XML_Parser m_parser;
    XmlDocument& m_document;
    std::vector<XmlElement*> m_open;
    std::string m_why;
};

// expat is C: nothing may be thrown through it.
template <class Body> void guarded(void* userData, Body body) {
    auto* builder = static_cast<Builder*>(userData);
    try {
        body(*builder);
    } catch (const std::bad_alloc&) {
        builder->fail("out of memory");
    }
}

void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
    guarded(userData, [&](Builder& b) { b.start(name, attributes); });
}
void XMLCALL onEnd(void* userData, const XML_Char*) {
    guarded(userData, [&](Builder& b) { b.end(); });
}
void XMLCALL onText(void* userData, const XML_Char* data, int length) {
    guarded(userData, [&](Builder& b) { b.text(data, length); });
}
void XMLCALL onDeclaration(void* userData, const XML_Char*, const XML_Char* encoding, int) {
    guarded(userData, [&](Builder& b) { b.declaration(encoding); });
}
void XMLCALL onDoctype(void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    guarded(userData, [&](Builder& b) { b.fail("a document type declaration is not accepted"); });
}

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

const std::string* XmlElement::attribute(const std::string& attributeName) const {
    for (const auto& [key, value] : attributes)
        if (key == attributeName) return &value;
    return nullptr;
}

bool parseXml(const std::string& bytes, XmlDocument& document, std::string* why) {
    document = XmlDocument();
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (!parser || bytes.size() > static_cast<size_t>(INT_MAX)) {
        if (why) *why = parser ? "the file is too large" : "out of memory";
        return false;
    }
    XML_Parser p = parser.get();
    Builder builder(p, document);
    XML_SetUserData(p, &builder);
    XML_SetElementHandler(p, &onStart, &onEnd);
    XML_SetCharacterDataHandler(p, &onText);
    XML_SetXmlDeclHandler(p, &onDeclaration);
    XML_SetStartDoctypeDeclHandler(p, &onDoctype);
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
    bool parsed = XML_Parse(p, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
    if (!parsed && !builder.failed()) builder.fail(XML_ErrorString(XML_GetErrorCode(p)), false);
    if (builder.failed() && why) *why = builder.why();
    return !builder.failed();
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    bytes = all.str();
    return !in.bad();
}

std::string xmlEscaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace zavannotator
