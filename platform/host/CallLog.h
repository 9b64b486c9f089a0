// Every call a module makes into the stand-in host, in order, so that a test can say that an
// operation made no host call, or exactly these.
#pragma once

#include <string>
#include <vector>

#include "platform/api/HostTypes.h"

namespace zavhost {

struct HostCall {
    std::string function;  // the table slot, e.g. "InterfaceCall"
    std::string selector;  // the dispatcher selector, empty for other functions
    std::string arguments; // in brief
    GSErrCode answer = 0;

    // One line: `InterfaceCall SPRP ("Working", 10) -> ok`.
    std::string text() const;
};

class CallLog {
public:
    // Answers the call's index, so that a call that calls back into the module can be logged
    // before it runs and given its answer after.
    size_t add(HostCall call) {
        m_calls.push_back(std::move(call));
        return m_calls.size() - 1;
    }
    HostCall& at(size_t index) { return m_calls.at(index); }
    void clear() { m_calls.clear(); }
    size_t size() const { return m_calls.size(); }
    const std::vector<HostCall>& calls() const { return m_calls; }
    const HostCall& operator[](size_t index) const { return m_calls.at(index); }

    // Calls from index `from` on whose text contains `fragment` (an empty fragment matches all).
    size_t count(const std::string& fragment, size_t from = 0) const;
    bool contains(const std::string& fragment, size_t from = 0) const { return count(fragment, from) != 0; }
    // The texts of the calls from index `from` on, one a line.
    std::string texts(size_t from = 0) const;

private:
    std::vector<HostCall> m_calls;
};

// A four-character code as text; codes with bytes outside printable ASCII show as hexadecimal.
std::string codeText(uint32_t code);
// A host answer in brief: "ok", or the error's name and code.
std::string answerText(GSErrCode answer);
// Text in double quotes with quotes and backslashes escaped.
std::string inQuotes(const std::string& text);

} // namespace zavhost
