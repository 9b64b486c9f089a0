// Writes a tree of XMLShipping objects as XML text into a DataBufferOut.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "Environment/String.h"

namespace tarnwick {

class DataBufferOut;
class XMLShipping;

class XMLWriter {
public:
    static constexpr const char* Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

    // The buffer must outlive the writer.
    explicit XMLWriter(DataBufferOut& out) : m_out(out) {}

    // Writes root and its enabled members: attribute units inside the parent's tag (an attribute
    // unit that the attributes-only pass did not give is written as a child element), the rest as
    // child elements in index order. Pretty: one element per line, indented by `indent` tabs per
    // level; the declaration then ends with a line break. Auxiliary texts become comments before
    // their elements. Text that is no valid UTF-8, or characters XML cannot carry, are written as
    // U+FFFD so that the document always reads back. Answers false, with a reason in getError,
    // for an unusable element name, a tree nested deeper than XMLMaxDepth, or a buffer that failed;
    // the buffer is flushed but not closed.
    [[nodiscard]] bool write(XMLShipping& root, bool declaration = true, int indent = 1, bool pretty = true,
                             bool auxiliary = false);

    const String& getError() const { return m_error; }

private:
    // The text not yet handed to the output. A document is tens of thousands of short pieces, and
    // an append here is a bounds check and a copy, without std::string's upkeep of a terminator.
    class Pending {
    public:
        Pending& operator+=(char c) {
            *room(1) = c;
            ++m_size;
            return *this;
        }
        Pending& operator+=(std::string_view text) {
            if (!text.empty()) {
                std::memcpy(room(text.size()), text.data(), text.size());
                m_size += text.size();
            }
            return *this;
        }
        void append(size_t count, char c) {
            if (count == 0) return;
            std::memset(room(count), c, count);
            m_size += count;
        }
        const char* data() const { return m_data.get(); }
        size_t size() const { return m_size; }
        bool empty() const { return m_size == 0; }
        void clear() { m_size = 0; }

    private:
        char* room(size_t count) {
            if (m_capacity - m_size < count) grow(count);
            return m_data.get() + m_size;
        }
        void grow(size_t count);

        std::unique_ptr<char[]> m_data;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

    bool writeElement(XMLShipping& node, size_t depth);
    void writeIndent(size_t depth);
    void writeLineBreak();
    bool pass();
    bool fail(const String& why);

    DataBufferOut& m_out;
    Pending m_pending;
    std::vector<size_t> m_attributeIndices;
    String m_error;
    int m_indent = 1;
    bool m_pretty = true;
    bool m_auxiliary = false;
    bool m_failed = false;
};

} // namespace tarnwick
