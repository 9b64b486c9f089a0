// Writes a tree of XMLShipping objects as XML text into a DataBufferOut.
#pragma once

#include <string>
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
    bool writeElement(XMLShipping& node, size_t depth);
    void writeIndent(size_t depth);
    void writeLineBreak();
    bool pass();
    bool fail(const String& why);

    DataBufferOut& m_out;
    std::string m_pending;
    std::vector<size_t> m_attributeIndices;
    String m_error;
    int m_indent = 1;
    bool m_pretty = true;
    bool m_auxiliary = false;
    bool m_failed = false;
};

} // namespace tarnwick
