#include "persistence/XMLReader.h"

// The distribution's expat is built with DTD support, which is also what carries its
// entity-expansion guard; the define makes the guard's settings visible.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>
#include <memory>
#include <string>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/NumberText.h"
#include "persistence/Shipping.h"

namespace tarnwick {

namespace {

constexpr int ChunkSize = 1 << 16;

struct Frame {
    std::unique_ptr<XMLShipping> owned;
    XMLShipping* node = nullptr; // null: an element being skipped
    ShippingContainer* container = nullptr;
    XMLUnit* unit = nullptr;
    std::string text;
};

class Session {
public:
    Session(XML_Parser parser, XMLShipping& root, size_t maxDepth)
        : m_parser(parser), m_root(root), m_maxDepth(maxDepth) {}

    bool failed() const { return m_failed; }
    const String& error() const { return m_error; }
    bool sawRoot() const { return m_sawRoot; }

    // Keeps the first reason, with the place in the text; stop is false once expat has stopped.
    void fail(const String& why, bool stop = true) {
        if (m_failed) return;
        m_failed = true;
        m_error = String(uintToText(XML_GetCurrentLineNumber(m_parser))) + ":" +
                  String(uintToText(XML_GetCurrentColumnNumber(m_parser) + 1)) + ": " + why;
        if (stop) XML_StopParser(m_parser, XML_FALSE);
    }

    void start(const XML_Char* name, const XML_Char** attributes) {
        if (m_failed) return;
        if (m_frames.size() >= m_maxDepth) return fail(String("elements are nested too deeply"));
        String elementName(name);
        Frame frame;
        if (m_frames.empty()) {
            if (m_sawRoot) return fail(String("a second root element"));
            m_sawRoot = true;
            if (elementName == m_root.getElementName()) {
                frame.node = &m_root;
            } else if (ShippingContainer* container = m_root.asContainer()) {
                frame.owned = container->makeFieldProxyByName(elementName);
                frame.node = frame.owned.get();
            }
            if (!frame.node)
                return fail(String("the document is a \"") + elementName + "\", not a \"" +
                            m_root.getElementName() + "\"");
        } else if (ShippingContainer* parent = m_frames.back().container) {
            frame.owned = parent->makeFieldProxyByName(elementName);
            if (!frame.owned && parent->isSequence()) frame.owned = parent->makeMember(elementName);
            frame.node = frame.owned.get();
        }
        if (frame.node) {
            frame.container = frame.node->asContainer();
            frame.unit = frame.node->asUnit();
            if (frame.container && !readAttributes(*frame.container, attributes)) return;
        }
        m_frames.push_back(std::move(frame));
    }

    void end() {
        if (m_failed || m_frames.empty()) return;
        Frame frame = std::move(m_frames.back());
        m_frames.pop_back();
        if (!frame.node) return;
        if (frame.unit && !frame.unit->readText(String(std::move(frame.text))))
            return fail(String("\"") + frame.node->getElementName() + "\" holds an unusable value");
        if (!frame.node->afterRead())
            return fail(String("\"") + frame.node->getElementName() + "\" was refused after reading");
    }

    void text(const XML_Char* data, int length) {
        if (m_failed || m_frames.empty() || !m_frames.back().unit || length <= 0) return;
        m_frames.back().text.append(data, static_cast<size_t>(length));
    }

private:
    bool readAttributes(ShippingContainer& container, const XML_Char** attributes) {
        for (size_t i = 0; attributes && attributes[i]; i += 2) {
            String name(attributes[i]);
            std::unique_ptr<XMLShipping> member = container.makeFieldProxyByName(name);
            XMLUnit* unit = member ? member->asUnit() : nullptr;
            if (!unit) continue; // an attribute no unit takes is ignored
            if (!unit->readText(String(attributes[i + 1]))) {
                fail(String("the attribute \"") + name + "\" holds an unusable value");
                return false;
            }
            if (!unit->afterRead()) {
                fail(String("the attribute \"") + name + "\" was refused after reading");
                return false;
            }
        }
        return true;
    }

    XML_Parser m_parser;
    XMLShipping& m_root;
    size_t m_maxDepth;
    std::vector<Frame> m_frames;
    String m_error;
    bool m_failed = false;
    bool m_sawRoot = false;
};

// expat is C: nothing may be thrown through it.
template <class Body> void guarded(void* userData, Body body) {
    auto* session = static_cast<Session*>(userData);
    try {
        body(*session);
    } catch (const std::bad_alloc&) {
        session->fail(String("out of memory"));
    } catch (...) {
        session->fail(String("a member failed while reading"));
    }
}

void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
    guarded(userData, [&](Session& s) { s.start(name, attributes); });
}
void XMLCALL onEnd(void* userData, const XML_Char*) {
    guarded(userData, [&](Session& s) { s.end(); });
}
void XMLCALL onText(void* userData, const XML_Char* data, int length) {
    guarded(userData, [&](Session& s) { s.text(data, length); });
}
void XMLCALL onEntityDeclaration(void* userData, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                 const XML_Char*, const XML_Char*, const XML_Char*) {
    guarded(userData, [&](Session& s) { s.fail(String("entity declarations are not accepted")); });
}
void XMLCALL onSkippedEntity(void* userData, const XML_Char* name, int) {
    guarded(userData, [&](Session& s) { s.fail(String("unknown entity \"") + String(name) + "\""); });
}

struct ParserDeleter {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

bool XMLReader::read(XMLShipping& root) {
    m_error.clear();
    std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (!parser) {
        m_error = String("out of memory");
        return false;
    }
    XML_Parser p = parser.get();
    Session session(p, root, m_maxDepth);
    XML_SetUserData(p, &session);
    XML_SetElementHandler(p, &onStart, &onEnd);
    XML_SetCharacterDataHandler(p, &onText);
    XML_SetEntityDeclHandler(p, &onEntityDeclaration);
    XML_SetSkippedEntityHandler(p, &onSkippedEntity);
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
    // Entity declarations are refused already; the library's own guard stays on as well.
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(p, 100.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(p, 1u << 20);
#endif

    bool done = false;
    while (!done) {
        void* buffer = XML_GetBuffer(p, ChunkSize);
        if (!buffer) {
            m_error = String("out of memory");
            return false;
        }
        size_t got = m_in.read(buffer, ChunkSize);
        if (m_in.hasFailed()) {
            m_error = String("the input could not be read");
            return false;
        }
        done = got == 0;
        if (XML_ParseBuffer(p, static_cast<int>(got), done ? XML_TRUE : XML_FALSE) != XML_STATUS_OK) {
            if (!session.failed()) {
                session.fail(String(XML_ErrorString(XML_GetErrorCode(p))), false);
            }
            m_error = session.error();
            return false;
        }
        if (session.failed()) {
            m_error = session.error();
            return false;
        }
    }
    if (!session.sawRoot()) {
        m_error = String("the document has no element");
        return false;
    }
    return true;
}

} // namespace tarnwick
