// Writes a tree of XMLShipping objects as XML text into a DataBufferOut.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "Environment/String.h"

namespace tarnwick {

class DataBufferOut;
class FileReplacement;
class XMLShipping;
class XMLUnit;

class XMLWriter {
public:
    static constexpr const char* Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    // The pending text goes to the output in pieces of at least this size.
    static constexpr size_t FlushAt = 1 << 16;

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

    // Writes root as a pretty document with its declaration through the replacement, which
    // takes the file's place only when everything was written; otherwise the file stays as it
    // was, the new one is gone, and the answer is false.
    [[nodiscard]] static bool writeFile(XMLShipping& root, FileReplacement& file);

    const String& getError() const { return m_error; }

private:
    // The text not yet handed to the output. A document is tens of thousands of short pieces: an
    // element takes its room once and fills it through a cursor, without std::string's upkeep of
    // a terminator.
    class Pending {
    public:
        // Room for count more bytes: fill from the answer, then commit where the filling ended.
        // There are always Slack bytes more, which fill may write over.
        char* reserve(size_t count) {
            if (m_capacity - m_size < count + Slack) grow(count + Slack);
            return m_data.get() + m_size;
        }
        void commit(const char* end) { m_size = static_cast<size_t>(end - m_data.get()); }

        Pending& operator+=(char c) {
            char* at = reserve(1);
            *at++ = c;
            commit(at);
            return *this;
        }
        Pending& operator+=(std::string_view text) {
            commit(put(reserve(text.size()), text));
            return *this;
        }
        void append(size_t count, char c) { commit(fill(reserve(count), count, c)); }
        const char* data() const { return m_data.get(); }
        size_t size() const { return m_size; }
        bool empty() const { return m_size == 0; }
        void clear() { m_size = 0; }

        // Most pieces are names and short values: copied inline, by two overlapping moves of a
        // fixed size, rather than by a call. Both answer where the copy ends.
        static char* put(char* to, std::string_view text) {
            const char* from = text.data();
            const size_t count = text.size();
            if (count >= 8 && count <= 16) {
                char head[8], tail[8];
                std::memcpy(head, from, 8);
                std::memcpy(tail, from + count - 8, 8);
                std::memcpy(to, head, 8);
                std::memcpy(to + count - 8, tail, 8);
            } else if (count >= 4 && count < 8) {
                char head[4], tail[4];
                std::memcpy(head, from, 4);
                std::memcpy(tail, from + count - 4, 4);
                std::memcpy(to, head, 4);
                std::memcpy(to + count - 4, tail, 4);
            } else if (count > 0 && count < 4) {
                to[0] = from[0];
                to[count / 2] = from[count / 2];
                to[count - 1] = from[count - 1];
            } else if (count > 16) {
                std::memcpy(to, from, count);
            }
            return to + count;
        }
        static char* fill(char* to, size_t count, char c) {
            if (count <= Slack) {
                char run[Slack];
                std::memset(run, c, Slack);
                std::memcpy(to, run, Slack);
            } else {
                std::memset(to, c, count);
            }
            return to + count;
        }

    private:
        static constexpr size_t Slack = 8;
        void grow(size_t count);

        std::unique_ptr<char[]> m_data;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

    bool writeElement(XMLShipping& node, size_t depth);
    bool writeAttribute(XMLUnit& unit, String& nameScratch, String& textScratch);
    size_t indentWidth(size_t depth) const { return m_pretty ? depth * static_cast<size_t>(m_indent) : 0; }
    void writeIndent(size_t depth);
    void writeLineBreak();
    // Hands the pending text to the output once there is enough of it; false once failed.
    bool pass() { return m_pending.size() < FlushAt ? !m_failed : handOver(); }
    bool handOver();
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
