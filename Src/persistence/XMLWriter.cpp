#include "persistence/XMLWriter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "Environment/DataBufferOut.h"
#include "Environment/FileReplacement.h"
#include "persistence/Shipping.h"

namespace tarnwick {

namespace {

// A small document takes little room; a large one grows it to a little over FlushAt.
constexpr size_t FirstRoom = 1 << 12;
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

// Bytes written as they are, in text and in attributes alike: printable ASCII but for markup.
constexpr std::array<bool, 256> PlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x80; ++b)
        plain[static_cast<size_t>(b)] = true;
    for (unsigned char c : {'<', '>', '&', '"', '\''})
        plain[c] = false;
    return plain;
}();

// How many bytes at the start of text are written as they are.
size_t plainPrefix(std::string_view text) {
    size_t run = 0;
    while (run < text.size() && PlainBytes[static_cast<unsigned char>(text[run])])
        ++run;
    return run;
}

template <class Out> void appendEscaped(Out& out, std::string_view text, bool attribute, size_t plain = 0) {
    // The first plain bytes may be known already.
    if (plain > 0) out += text.substr(0, plain);
    size_t i = plain;
    while (i < text.size()) {
        // Most text is plain: take it a run at a time.
        size_t run = i;
        while (run < text.size() && PlainBytes[static_cast<unsigned char>(text[run])])
            ++run;
        if (run > i) {
            out += text.substr(i, run - i);
            i = run;
            if (i == text.size()) break;
        }
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
            out += text.substr(i, length);
        }
        i += length;
    }
}

// A comment may hold neither "--" nor end with "-".
template <class Out> void appendComment(Out& out, std::string_view text) {
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

} // namespace

void XMLWriter::Pending::grow(size_t count) {
    size_t capacity = std::max(m_capacity * 2, m_size + count);
    capacity = std::max<size_t>(capacity, FirstRoom);
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size > 0) std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

bool XMLWriter::fail(const String& why) {
    if (!m_failed) m_error = why;
    m_failed = true;
    return false;
}

bool XMLWriter::handOver() {
    if (!m_out.write(m_pending.data(), m_pending.size())) return fail(String("the output refused the text"));
    m_pending.clear();
    return !m_failed;
}

void XMLWriter::writeIndent(size_t depth) {
    m_pending.append(indentWidth(depth), '\t');
}

void XMLWriter::writeLineBreak() {
    if (m_pretty) m_pending += '\n';
}

bool XMLWriter::write(XMLShipping& root, bool declaration, int indent, bool pretty, bool auxiliary) {
    m_pending.clear();
    m_attributeIndices.clear();
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

bool XMLWriter::writeAttribute(XMLUnit& unit, String& nameScratch, String& textScratch) {
    const std::string_view name = unit.viewElementName(nameScratch);
    if (!unit.isCheckedName(name) && !isUsableXMLName(name))
        return fail(String("unusable attribute name \"") + String(name) + "\"");
    const std::string_view text = unit.viewText(textScratch);
    const size_t plain = plainPrefix(text);
    char* at = m_pending.reserve(name.size() + text.size() + 4);
    *at++ = ' ';
    at = Pending::put(at, name);
    *at++ = '=';
    *at++ = '"';
    if (plain == text.size()) {
        at = Pending::put(at, text);
    } else {
        m_pending.commit(at);
        appendEscaped(m_pending, text, true, plain);
        at = m_pending.reserve(1);
    }
    *at++ = '"';
    m_pending.commit(at);
    return true;
}

bool XMLWriter::writeElement(XMLShipping& node, size_t depth) {
    if (depth >= XMLMaxDepth) return fail(String("the tree is nested too deeply"));
    String nameScratch;
    const std::string_view name = node.viewElementName(nameScratch);
    if (!node.isCheckedName(name) && !isUsableXMLName(name))
        return fail(String("unusable element name \"") + String(name) + "\"");
    if (m_auxiliary) {
        String aux = node.getAuxiliaryText();
        if (!aux.isEmpty()) {
            writeIndent(depth);
            appendComment(m_pending, aux.view());
            writeLineBreak();
        }
    }
    const size_t tabs = indentWidth(depth);

    String textScratch;
    if (XMLUnit* unit = node.asUnit()) {
        // The whole element in the room taken once, unless its text needs escaping.
        const std::string_view text = unit->viewText(textScratch);
        const size_t plain = plainPrefix(text);
        char* at = m_pending.reserve(tabs + 2 * name.size() + text.size() + 6);
        at = Pending::fill(at, tabs, '\t');
        *at++ = '<';
        at = Pending::put(at, name);
        if (text.empty()) {
            *at++ = '/';
            *at++ = '>';
        } else {
            *at++ = '>';
            if (plain == text.size()) {
                at = Pending::put(at, text);
            } else {
                m_pending.commit(at);
                appendEscaped(m_pending, text, false, plain);
                at = m_pending.reserve(name.size() + 4);
            }
            *at++ = '<';
            *at++ = '/';
            at = Pending::put(at, name);
            *at++ = '>';
        }
        if (m_pretty) *at++ = '\n';
        m_pending.commit(at);
        return pass();
    }

    char* at = m_pending.reserve(tabs + name.size() + 1);
    at = Pending::fill(at, tabs, '\t');
    *at++ = '<';
    m_pending.commit(Pending::put(at, name));

    ShippingContainer* container = node.asContainer();
    size_t count = container ? container->getFieldCount() : 0;
    // One proxy at a time per level: each member is made in the same slot as the one before.
    ProxySlot slot;
    // The indices written as attributes, in order, on a stack the nested elements share.
    const size_t firstAttribute = m_attributeIndices.size();
    String attributeScratch;
    for (size_t index = 0; index < count; ++index) {
        XMLShipping* member = container->placeFieldProxy(index, true, slot);
        if (!member || !member->isEnabled()) continue;
        XMLUnit* unit = member->asUnit();
        if (!unit || !unit->isAttribute()) continue;
        if (!writeAttribute(*unit, attributeScratch, textScratch)) return false;
        m_attributeIndices.push_back(index);
    }

    bool open = false;
    size_t nextAttribute = firstAttribute;
    const size_t endAttribute = m_attributeIndices.size();
    for (size_t index = 0; index < count; ++index) {
        if (nextAttribute < endAttribute && m_attributeIndices[nextAttribute] == index) {
            ++nextAttribute;
            continue;
        }
        XMLShipping* member = container->placeFieldProxy(index, false, slot);
        if (!member || !member->isEnabled()) continue;
        if (!open) {
            m_pending += '>';
            writeLineBreak();
            open = true;
        }
        if (!writeElement(*member, depth + 1)) return false;
    }
    slot.clear();
    m_attributeIndices.resize(firstAttribute);
    if (open) {
        at = m_pending.reserve(tabs + name.size() + 4);
        at = Pending::fill(at, tabs, '\t');
        *at++ = '<';
        *at++ = '/';
        at = Pending::put(at, name);
        *at++ = '>';
    } else {
        at = m_pending.reserve(3);
        *at++ = '/';
        *at++ = '>';
    }
    if (m_pretty) *at++ = '\n';
    m_pending.commit(at);
    return pass();
}

bool XMLWriter::writeFile(XMLShipping& root, FileReplacement& file) {
    DataFile* out = file.begin();
    if (out == nullptr) return false;
    bool written = false;
    {
        DataBufferOut buffer;
        if (buffer.open(*out)) {
            XMLWriter writer(buffer);
            written = writer.write(root, true, 1, true, true);
            written = buffer.close() && written;
        }
    }
    if (written) return file.commit();
    // Half a document is no file's: nothing of it stays beside the file either.
    file.abandon();
    return false;
}

} // namespace tarnwick
