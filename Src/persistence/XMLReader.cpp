#include "persistence/XMLReader.h"

// The distribution's expat is built with DTD support, which is also what carries its
// entity-expansion guard; the define makes the guard's settings visible.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <algorithm>
#include <expat.h>
#include <memory>
#include <string>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/NumberText.h"
#include "persistence/Shipping.h"

namespace tarnwick {

namespace {

constexpr size_t ChunkSize = 1 << 16;
// expat counts in int; no call is larger.
constexpr size_t MaxChunk = 1 << 30;
// A document in memory up to this size goes to expat in one call (see XMLReader::read).
constexpr uint64_t WholeUpTo = 16 << 20;

void XMLCALL onText(void* userData, const XML_Char* data, int length);

struct Frame {
    XMLShipping* node = nullptr; // null: an element being skipped
    ShippingContainer* container = nullptr;
    XMLUnit* unit = nullptr;
};

// One proxy slot per depth, reused by every element at that depth. The first few live in the
// session itself, so that a small document needs no allocation for them.
class SlotStack {
public:
    [[gnu::always_inline]] ProxySlot& at(size_t depth) {
        return depth < Near ? m_near[depth] : far(depth - Near);
    }

private:
    ProxySlot& far(size_t index) {
        while (m_far.size() <= index)
            m_far.push_back(std::make_unique<ProxySlot>());
        return *m_far[index];
    }

    static constexpr size_t Near = 6;
    ProxySlot m_near[Near];
    std::vector<std::unique_ptr<ProxySlot>> m_far;
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
        collect(false);
        if (stop) XML_StopParser(m_parser, XML_FALSE);
    }

    void start(const XML_Char* name, const XML_Char** attributes) {
        if (m_failed) return;
        if (m_frames.size() >= m_maxDepth) return fail(String("elements are nested too deeply"));
        setBytes(m_name, name);
        const String& elementName = m_name;
        ProxySlot& slot = m_slots.at(m_frames.size());
        Frame frame;
        if (m_frames.empty()) {
            if (m_sawRoot) return fail(String("a second root element"));
            m_sawRoot = true;
            if (elementName != m_root.getElementName())
                return fail(String("the document is a \"") + elementName + "\", not a \"" +
                            m_root.getElementName() + "\"");
            frame.node = &m_root;
        } else if (ShippingContainer* parent = m_frames.back().container) {
            frame.node = parent->placeFieldProxyByName(elementName, slot);
            if (!frame.node && parent->isSequence()) frame.node = parent->placeMember(elementName, slot);
        }
        if (frame.node) {
            frame.container = frame.node->asContainer();
            frame.unit = frame.node->asUnit();
            if (frame.container && !readAttributes(*frame.container, attributes)) return;
        }
        // A unit's elements are all skipped, so one unit at most gathers text at a time.
        if (frame.unit) m_text.clear();
        collect(frame.unit != nullptr);
        m_frames.push_back(frame);
    }

    void end() {
        if (m_failed || m_frames.empty()) return;
        const Frame frame = m_frames.back();
        m_frames.pop_back();
        collect(!m_frames.empty() && m_frames.back().unit);
        if (!frame.node) return;
        if (frame.unit && !frame.unit->readText(m_text))
            return fail(String("\"") + frame.node->getElementName() + "\" holds an unusable value");
        if (!frame.node->afterRead())
            return fail(String("\"") + frame.node->getElementName() + "\" was refused after reading");
        // The proxy goes now, as an owned one would; the slot waits for the next element.
        m_slots.at(m_frames.size()).clear();
    }

    void text(const XML_Char* data, int length) {
        if (length > 0) m_text.appendBytes(std::string_view(data, static_cast<size_t>(length)));
    }

private:
    // Text is only wanted inside units; elsewhere expat is spared reporting it (in pretty text,
    // the line breaks and tabs between elements).
    void collect(bool on) {
        if (on == m_collect) return;
        m_collect = on;
        XML_SetCharacterDataHandler(m_parser, on ? &onText : nullptr);
    }

    bool readAttributes(ShippingContainer& container, const XML_Char** attributes) {
        if (!attributes || !attributes[0]) return true;
        // The attributes' proxies share one slot, apart from the elements'.
        ProxySlot& slot = m_attributeSlot;
        for (size_t i = 0; attributes[i]; i += 2) {
            setBytes(m_attributeName, attributes[i]);
            XMLShipping* member = container.placeFieldProxyByName(m_attributeName, slot);
            XMLUnit* unit = member ? member->asUnit() : nullptr;
            if (!unit) continue; // an attribute no unit takes is ignored
            setBytes(m_value, attributes[i + 1]);
            if (!unit->readText(m_value)) {
                fail(String("the attribute \"") + m_attributeName + "\" holds an unusable value");
                return false;
            }
            if (!unit->afterRead()) {
                fail(String("the attribute \"") + m_attributeName + "\" was refused after reading");
                return false;
            }
        }
        slot.clear();
        return true;
    }

    // Names and values are copied into strings kept for the whole read, whose room is reused.
    static void setBytes(String& into, const XML_Char* text) {
        into.clear();
        into.appendBytes(std::string_view(text));
    }

    XML_Parser m_parser;
    XMLShipping& m_root;
    size_t m_maxDepth;
    std::vector<Frame> m_frames;
    SlotStack m_slots;
    ProxySlot m_attributeSlot;
    String m_name;
    String m_attributeName;
    String m_value;
    String m_text; // of the unit on top
    String m_error;
    bool m_collect = false; // the element on top is a unit
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
using Parser = std::unique_ptr<XML_ParserStruct, ParserDeleter>;

// Making and freeing a parser costs as much as reading a small document, and records are read
// as one small document each; so a parser that read little is reset and kept for the next read.
// A read within a read finds none kept and makes its own. What a parser keeps grows with what it
// read, hence the bound.
constexpr uint64_t KeepParserUpTo = 1 << 20;

Parser& spareParser() {
    static Parser spare;
    return spare;
}

Parser takeParser() {
    Parser parser = std::move(spareParser());
    if (parser && XML_ParserReset(parser.get(), nullptr)) return parser;
    return Parser(XML_ParserCreate(nullptr));
}

// Hands the parser back for the next read when it read little and no other is kept.
struct ParserLease {
    Parser parser = takeParser();
    uint64_t fed = 0;
    ~ParserLease() {
        if (parser && fed <= KeepParserUpTo && !spareParser()) spareParser() = std::move(parser);
    }
};

// The bytes to ask for next: a chunk, or the unfinished token if it is larger, but no more than is
// left (so that a small file gets a small buffer) and at least one (so that the end is seen). In
// memory, once a token outgrows a chunk, the rest goes in one call: in growing chunks, expat would
// start the token over, and grow and move its buffer, at every call.
size_t nextChunk(uint64_t pending, const DataBufferIn& in) {
    const uint64_t left = in.getLength() > in.getPosition() ? in.getLength() - in.getPosition() : 0;
    const uint64_t wanted = in.isInMemory() && pending >= ChunkSize
                                ? MaxChunk
                                : std::clamp<uint64_t>(pending, ChunkSize, MaxChunk);
    return static_cast<size_t>(std::clamp<uint64_t>(left, 1, wanted));
}

} // namespace

bool XMLReader::read(XMLShipping& root) {
    m_error.clear();
    ParserLease lease;
    if (!lease.parser) {
        m_error = String("out of memory");
        return false;
    }
    XML_Parser p = lease.parser.get();
    Session session(p, root, m_maxDepth);
    XML_SetUserData(p, &session);
    XML_SetElementHandler(p, &onStart, &onEnd);
    XML_SetEntityDeclHandler(p, &onEntityDeclaration);
    XML_SetSkippedEntityHandler(p, &onSkippedEntity);
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
    // Entity declarations are refused already; the library's own guard stays on as well.
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(p, 100.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(p, 1u << 20);
#endif

    // expat starts an unfinished token over on every call, so a token spread over many fixed
    // chunks costs the square of its size: chunks are never smaller than the token expat holds
    // back, so that each rescan is paid for by as many new bytes, which keeps any token linear.
    // A document in memory goes in one call up to WholeUpTo: expat counts lines over the bytes of
    // every call but the last, about a tenth of its time. A larger one goes in chunks as a file
    // does: in one call, expat would copy the whole of it into a buffer of its own, up to twice
    // its size and fresh memory on every read, which from a few tens of megabytes on costs as
    // much time as the counting, besides the memory (until a token outgrows a chunk).
    const uint64_t left = m_in.getLength() > m_in.getPosition() ? m_in.getLength() - m_in.getPosition() : 0;
    size_t chunk = m_in.isInMemory() && left <= WholeUpTo ? static_cast<size_t>(std::max<uint64_t>(left, 1))
                                                          : nextChunk(0, m_in);
    uint64_t& fed = lease.fed;
    bool done = false;
    while (!done) {
        void* buffer = XML_GetBuffer(p, static_cast<int>(chunk));
        if (!buffer) {
            m_error = String("out of memory");
            return false;
        }
        size_t got = m_in.read(buffer, chunk);
        fed += got;
        if (m_in.hasFailed()) {
            m_error = String("the input could not be read");
            return false;
        }
        done = got < chunk || m_in.atEnd();
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
        // The index is where the unfinished token starts (-1 before expat has placed anything).
        XML_Index at = XML_GetCurrentByteIndex(p);
        uint64_t pending =
            at >= 0 && static_cast<uint64_t>(at) <= fed ? fed - static_cast<uint64_t>(at) : fed;
        chunk = nextChunk(pending, m_in);
    }
    if (!session.sawRoot()) {
        m_error = String("the document has no element");
        return false;
    }
    return true;
}

} // namespace tarnwick
