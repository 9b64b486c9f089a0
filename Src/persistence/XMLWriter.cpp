#include "persistence/XMLWriter.h"

#include <vector>

#include "Environment/DataBufferOut.h"
#include "persistence/Shipping.h"

namespace tarnwick {

namespace {

constexpr size_t FlushAt = 1 << 16;
constexpr const char* Replacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence at s[i], or 0; allowed tells whether XML 1.0
// can carry its code point.
size_t sequenceAt(std::string_view s, size_t i, bool& allowed) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    allowed = true;
    if (b < 0x80) {
        allowed = b >= 0x20 || b == '\t' || b == '\n' || b == '\r';
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF)
        length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    // U+FFFE and U+FFFF are no characters.
    allowed = !(length == 3 && b == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE);
    return length;
}

void appendEscaped(std::string& out, std::string_view text, bool attribute) {
    size_t i = 0;
    while (i < text.size()) {
        bool allowed = true;
        size_t length = sequenceAt(text, i, allowed);
        if (length == 0 || !allowed) {
            // A stray byte is replaced on its own, a character XML cannot carry as a whole.
            out += Replacement;
            i += length == 0 ? 1 : length;
            continue;
        }
        char c = text[i];
        if (length == 1) {
            switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += attribute ? "&quot;" : "\"";
                break;
            case '\'':
                out += attribute ? "&apos;" : "'";
                break;
            // Line ends and, in attributes, tabs and line feeds would be normalised by the reader.
            case '\r':
                out += "&#13;";
                break;
            case '\n':
                out += attribute ? "&#10;" : "\n";
                break;
            case '\t':
                out += attribute ? "&#9;" : "\t";
                break;
            default:
                out += c;
            }
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
}

// A comment may hold neither "--" nor end with "-".
void appendComment(std::string& out, std::string_view text) {
    std::string body;
    appendEscaped(body, text, false);
    std::string safe;
    for (char c : body) {
        if (c == '-' && !safe.empty() && safe.back() == '-') safe += ' ';
        safe += c;
    }
    out += "<!-- ";
    out += safe;
    out += " -->";
}

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isXMLName(const String& name) {
    std::string_view s = name.view();
    if (s.empty() || !isNameStart(s.front())) return false;
    for (char c : s)
        if (!isNameChar(c)) return false;
    return true;
}

} // namespace

bool XMLWriter::fail(const String& why) {
    if (!m_failed) m_error = why;
    m_failed = true;
    return false;
}

bool XMLWriter::pass() {
    if (m_pending.size() >= FlushAt) {
        if (!m_out.write(m_pending.data(), m_pending.size()))
            return fail(String("the output refused the text"));
        m_pending.clear();
    }
    return !m_failed;
}

void XMLWriter::writeIndent(size_t depth) {
    if (m_pretty && m_indent > 0) m_pending.append(depth * static_cast<size_t>(m_indent), '\t');
}

void XMLWriter::writeLineBreak() {
    if (m_pretty) m_pending += '\n';
}

bool XMLWriter::write(XMLShipping& root, bool declaration, int indent, bool pretty, bool auxiliary) {
    m_pending.clear();
    m_error.clear();
    m_failed = false;
    m_indent = indent < 0 ? 0 : indent;
    m_pretty = pretty;
    m_auxiliary = auxiliary;
    if (declaration) {
        m_pending += Declaration;
        writeLineBreak();
    }
    bool ok = writeElement(root, 0);
    if (ok && !m_pending.empty() && !m_out.write(m_pending.data(), m_pending.size()))
        ok = fail(String("the output refused the text"));
    m_pending.clear();
    if (!m_out.flush()) ok = fail(String("the output could not be flushed"));
    return ok;
}

bool XMLWriter::writeElement(XMLShipping& node, size_t depth) {
    if (depth >= MaxDepth) return fail(String("the tree is nested too deeply"));
    String name = node.getElementName();
    if (!isXMLName(name)) return fail(String("unusable element name \"") + name + "\"");
    if (m_auxiliary) {
        String aux = node.getAuxiliaryText();
        if (!aux.isEmpty()) {
            writeIndent(depth);
            appendComment(m_pending, aux.view());
            writeLineBreak();
        }
    }
    writeIndent(depth);
    m_pending += '<';
    m_pending += name.view();

    if (XMLUnit* unit = node.asUnit()) {
        String text = unit->getText();
        if (text.isEmpty()) {
            m_pending += "/>";
        } else {
            m_pending += '>';
            appendEscaped(m_pending, text.view(), false);
            m_pending += "</";
            m_pending += name.view();
            m_pending += '>';
        }
        writeLineBreak();
        return pass();
    }

    ShippingContainer* container = node.asContainer();
    size_t count = container ? container->getFieldCount() : 0;
    std::vector<bool> writtenAsAttribute(count, false);
    for (size_t index = 0; index < count; ++index) {
        std::unique_ptr<XMLShipping> member = container->makeFieldProxy(index, true);
        if (!member || !member->isEnabled()) continue;
        XMLUnit* unit = member->asUnit();
        if (!unit || !unit->isAttribute()) continue;
        String attributeName = unit->getElementName();
        if (!isXMLName(attributeName))
            return fail(String("unusable attribute name \"") + attributeName + "\"");
        m_pending += ' ';
        m_pending += attributeName.view();
        m_pending += "=\"";
        appendEscaped(m_pending, unit->getText().view(), true);
        m_pending += '"';
        writtenAsAttribute[index] = true;
    }

    bool open = false;
    for (size_t index = 0; index < count; ++index) {
        if (writtenAsAttribute[index]) continue;
        std::unique_ptr<XMLShipping> member = container->makeFieldProxy(index, false);
        if (!member || !member->isEnabled()) continue;
        if (!open) {
            m_pending += '>';
            writeLineBreak();
            open = true;
        }
        if (!writeElement(*member, depth + 1)) return false;
    }
    if (open) {
        writeIndent(depth);
        m_pending += "</";
        m_pending += name.view();
        m_pending += '>';
    } else {
        m_pending += "/>";
    }
    writeLineBreak();
    return pass();
}

} // namespace tarnwick
