#include "SelectorTable.h"

#include "platform/api/HostErrors.h"

namespace zavhost {

GSErrCode SelectorTable::dispatch(uint32_t selector, SelectorCall& call) const {
    auto it = m_handlers.find(selector);
    if (it == m_handlers.end()) {
        call.brief = "unknown selector";
        return hosterr::BadSelector;
    }
    return it->second(call);
}

} // namespace zavhost
