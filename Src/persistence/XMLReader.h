// Reads XML text from a DataBufferIn into a tree of XMLShipping objects. expat does the
// tokenising; the document is outside input, so the reader is strict about what it lets in:
// entity declarations are refused (no internal or external entities, so no expansion attacks),
// nesting is bounded, and every failure is a clean false with a reason.
#pragma once

#include <cstddef>

#include "Environment/String.h"
#include "persistence/Shipping.h"

namespace tarnwick {

class DataBufferIn;

class XMLReader {
public:
    // The buffer must outlive the reader.
    explicit XMLReader(DataBufferIn& in) : m_in(in) {}

    // Elements nested deeper than this fail the read; a depth above XMLMaxDepth is lowered to it.
    void setMaxDepth(size_t depth) {
        m_maxDepth = depth == 0 ? 1 : depth > XMLMaxDepth ? XMLMaxDepth : depth;
    }

    // The root element must bear root's element name: any other fails the read, so that a
    // document of another kind, or a piece of one, never passes for an empty one. Inside, each
    // child element and attribute goes to the member of that name (for arrays and maps, failing
    // that, to makeMember); elements no member takes are skipped with everything in them. Members
    // are read whether enabled or not; each unit gets its text through readText, and every member
    // read, the root included, gets afterRead. A false from either, malformed text or a failed
    // input ends the read with false and the reason in getError; what was read so far stays in
    // the tree, so callers read into a copy when a failure must leave their data alone.
    [[nodiscard]] bool read(XMLShipping& root);

    const String& getError() const { return m_error; }

private:
    DataBufferIn& m_in;
    size_t m_maxDepth = XMLMaxDepth;
    String m_error;
};

} // namespace tarnwick
