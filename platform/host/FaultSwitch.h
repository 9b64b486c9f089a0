// Failures a test or scenario asks of the host: calls N to M of a function of the table or a
// dispatcher selector answer an error and do nothing, as when a real host runs out of memory or
// finds its library damaged; and files or folders that cannot be written, as on a full or
// read-only disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/api/HostTypes.h"

namespace zavhost {

class FaultSwitch {
public:
    FaultSwitch() = default;
    FaultSwitch(const FaultSwitch&) = delete;
    FaultSwitch& operator=(const FaultSwitch&) = delete;
    // Whatever it made unwritable becomes writable again.
    ~FaultSwitch();

    // Calls first..last (1-based, counted from now) of `name` (a function's name in the table,
    // "SearchLibPart", or a selector's code, "GCLP") answer `answer`. Replaces a fault set before.
    void set(const std::string& name, uint32_t first, uint32_t last, GSErrCode answer);
    // The file, or the folder with everything in it, cannot be made, written, renamed or removed
    // (IO::SetUnwritable) until it is made writable again.
    void setUnwritable(const std::string& path, bool unwritable);
    // No faults, and everything writable again.
    void clear();
    // Counts one call of `name`; the answer it must give instead of running, if any.
    std::optional<GSErrCode> check(const std::string& name);

private:
    struct Fault {
        uint32_t first = 0;
        uint32_t last = 0;
        GSErrCode answer = 0;
        uint32_t calls = 0;
    };
    std::unordered_map<std::string, Fault> m_faults;
    bool m_unwritable = false;
};

} // namespace zavhost
