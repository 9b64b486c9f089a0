// Drawing: locking and unlocking elements through the host's element tool call.
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "project/Drawing.h"

namespace tarnwick {

namespace {
constexpr uint32_t LockSelector = fourCC("LOCK");
constexpr uint32_t UnlockSelector = fourCC("ULCK");
} // namespace

bool Drawing::lockElements(const ElementLinkList& links) {
    return callElementTool(LockSelector, links);
}

bool Drawing::unlockElements(const ElementLinkList& links) {
    return callElementTool(UnlockSelector, links);
}

bool Drawing::callElementTool(uint32_t selector, const ElementLinkList& links) {
    if (links.empty()) return true;
    if (!makeCurrent()) return false;
    GSHandle heads = links.makeHeaderArray(false);
    m_lastError = ACAPElementToolCall(selector, heads, static_cast<int32_t>(links.size()));
    freeHandle(heads);
    return m_lastError == hosterr::Ok;
}

} // namespace tarnwick
