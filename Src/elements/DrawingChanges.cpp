// Drawing: writing elements back or creating them, with their user data.
#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "elements/Element.h"
#include "project/Drawing.h"

namespace tarnwick {

namespace {
// Puts a new host text of the element's ID text into the memo's info-string field.
void putInfoString(API_ElementMemo& memo, const String& text) {
    GSHandle& field = memo.field1184;
    static_assert(offsetof(API_ElementMemo, field1184) == HostMemoInfoStringOffset);
    freeHandle(field);
    field = allocateHandle(static_cast<GSSize>(text.getByteLength() + 1));
    std::memcpy(*field, text.c_str(), text.getByteLength() + 1);
}
} // namespace

bool Drawing::saveElement(Element& element, bool asNew, bool withMemo) {
    if (!makeCurrent()) return false;
    std::unique_ptr<API_Element> record = element.buildRecord();
    if (!record) return false;
    const bool create =
        asNew || record->head.guid.isNull() || element.getLink().getHome() != getDatabaseRef();
    if (create) {
        withMemo = true;
        // Read while the link still names the element it was read as, so that it comes along.
        element.loadUserData(false);
        element.setUserDataChanged(true);
    }
    ElementMemoPtr memo;
    uint64_t memoMask = 0;
    if (withMemo) {
        memo = element.buildMemo(memoMask);
        if (memo) putInfoString(*memo, element.getInfoString(false));
        // An element whose record says it has a memo is not written without one.
        if (!memo && record->head.byte76 != 0) return false;
    }
    // Reading the element's parts may have made its own database current.
    if (!makeCurrent()) return false;
    if (create) {
        m_lastError = ACAPCreateElement(record.get(), memo.get());
    } else {
        auto changeMask = std::make_unique<API_Element>();
        std::memset(changeMask->raw, 0xFF, sizeof changeMask->raw);
        m_lastError = ACAPChangeElement(record.get(), changeMask.get(), memo.get(), memoMask, true);
    }
    if (m_lastError != hosterr::Ok) return false;
    element.getRecord() = record->head;
    ElementLink link = element.getLink();
    link.setGuid(Guid(record->head.guid), this);
    element.setLink(link);
    return storeElementUserData(element);
}

bool Drawing::storeElementUserData(Element& element) {
    if (!element.isUserDataChanged()) return true;
    std::unique_ptr<MemoryBlock> data = element.getUserData();
    bool stored = setUserData(element.getLink(), data.get(), false, element.getUserDataFlags(),
                              static_cast<uint16_t>(element.getUserDataVersion()),
                              static_cast<uint16_t>(element.getUserDataPlatform()));
    if (stored) element.setUserDataChanged(false);
    return stored;
}

} // namespace tarnwick
