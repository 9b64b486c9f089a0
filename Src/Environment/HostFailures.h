// The host's answers that say a call was not done: noted as they come, so that a tool that stops
// short can tell the user which call stood in its way, instead of saying nothing or something
// that is not so (that a project holds no annotations when it could not be read).
#pragma once

#include <cstdint>

#include "Environment/NonCopyable.h"
#include "Environment/String.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

struct HostFailure {
    String call;         // the function as the table names it ("SetModuleData"), or the selector ("GDAT")
    GSErrCode code = 0;  // the host's answer
    uint64_t serial = 0; // counts the failures noted since the module started; 0 for none
    // The call answered no where the host's own earlier answer says yes (code 0).
    bool denied = false;

    // The host does not have the call at all, rather than failing it.
    bool isMissing() const;
};

// False for answers that tell a state rather than a failure: nothing found, no user data, a
// switch already so, the user's cancel, an index past the last.
bool isHostFailure(GSErrCode answer);

// Notes an answer of a table function (selector 0) or of a dispatcher's selector.
void noteHostAnswer(const char* function, uint32_t selector, GSErrCode answer);
// Notes a yes-or-no function that answered no where the host had just said yes (an element of the
// selection that the host's filter calls not selected): a refusal, though no code tells it.
void noteHostDenial(const char* function);

// The failures noted from its making on.
class HostFailureWatch {
public:
    HostFailureWatch();
    bool any() const;
    // The last one noted since the watch began; serial 0 when there is none.
    HostFailure last() const;

private:
    uint64_t m_start = 0;
};

// While one lives, failed calls are not noted: calls that only show the user how far a tool has
// come (the progress window) stop nothing when they fail.
class UnnotedHostCalls : NonCopyable {
public:
    UnnotedHostCalls();
    ~UnnotedHostCalls();
};

} // namespace tarnwick
