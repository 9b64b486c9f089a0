// The selectors one dispatcher of the function table knows. Adding a selector is one line:
//     table.add("SPRV", [this](SelectorCall& call) { return setValue(call); });
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/api/HostTypes.h"

namespace zavhost {

struct SelectorCall {
    void* args[5] = {};
    std::string brief; // the handler describes its arguments here for the call log
};

using SelectorHandler = std::function<GSErrCode(SelectorCall& call)>;

class SelectorTable {
public:
    explicit SelectorTable(std::string dispatcher) : m_dispatcher(std::move(dispatcher)) {}

    void add(const char (&code)[5], SelectorHandler handler) {
        m_handlers[fourCC(code)] = std::move(handler);
    }
    void remove(const char (&code)[5]) { m_handlers.erase(fourCC(code)); }
    bool knows(uint32_t selector) const { return m_handlers.count(selector) != 0; }

    // Runs the selector's handler; an unknown selector answers hosterr::BadSelector.
    GSErrCode dispatch(uint32_t selector, SelectorCall& call) const;
    const std::string& dispatcher() const { return m_dispatcher; }

private:
    std::string m_dispatcher;
    std::map<uint32_t, SelectorHandler> m_handlers;
};

} // namespace zavhost
