#include "FaultSwitch.h"

#include "platform/io/FileSystem.h"
#include "platform/io/Location.h"

namespace zavhost {

FaultSwitch::~FaultSwitch() {
    if (m_unwritable) IO::ClearUnwritable();
}

void FaultSwitch::set(const std::string& name, uint32_t first, uint32_t last, GSErrCode answer) {
    m_faults[name] = Fault{first, last, answer, 0};
}

void FaultSwitch::setUnwritable(const std::string& path, bool unwritable) {
    IO::SetUnwritable(IO::Location(path), unwritable);
    m_unwritable = m_unwritable || unwritable;
}

void FaultSwitch::clear() {
    m_faults.clear();
    if (m_unwritable) IO::ClearUnwritable();
    m_unwritable = false;
}

std::optional<GSErrCode> FaultSwitch::check(const std::string& name) {
    if (m_faults.empty()) return std::nullopt;
    auto found = m_faults.find(name);
    if (found == m_faults.end()) return std::nullopt;
    Fault& fault = found->second;
    ++fault.calls;
    if (fault.calls < fault.first || fault.calls > fault.last) return std::nullopt;
    return fault.answer;
}

} // namespace zavhost
