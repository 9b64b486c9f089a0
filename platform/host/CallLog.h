// Every call a module makes into the stand-in host, in order, so that a test can say that an
// operation made no host call, or exactly these.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/api/HostRecords.h"
#include "platform/api/HostTypes.h"

namespace zavhost {

// Facts of a call kept as they are, and told as text only when the log is read: on the paths a
// module walks once per element, formatting every call's text would cost more than the call.
struct CallFacts {
    using Teller = std::string (*)(const CallFacts& facts);
    Teller tell = nullptr;
    API_Guid guid;
    uint32_t code = 0;
    uint64_t number = 0;
};

// A call's arguments in brief: text, or facts that tell it (in its place) when the log is read.
struct CallBrief {
    CallBrief() = default;
    CallBrief(std::string told) : text(std::move(told)) {}
    CallBrief(const char* told) : text(told) {}

    std::string text;
    CallFacts facts;

    std::string told() const { return facts.tell != nullptr ? facts.tell(facts) : text; }
};

struct HostCall {
    HostCall(std::string slot, std::string dispatched, CallBrief arguments, GSErrCode answered)
        : function(std::move(slot)), selector(std::move(dispatched)), brief(std::move(arguments)),
          answer(answered) {}

    std::string function; // the table slot, e.g. "InterfaceCall"
    std::string selector; // the dispatcher selector, empty for other functions
    CallBrief brief;      // the arguments
    GSErrCode answer = 0;

    // The arguments in brief.
    std::string arguments() const { return brief.told(); }
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
