#include "Environment/HostFailures.h"

#include "platform/api/HostErrors.h"

namespace tarnwick {

namespace {

// Plain data only: the note is made on every failed host call, also while the module starts
// and ends.
struct Noted {
    const char* function = nullptr;
    uint32_t selector = 0;
    GSErrCode code = 0;
    uint64_t serial = 0;
    bool denied = false;
};
Noted lastNoted;
int quietScopes = 0;

String selectorText(uint32_t selector) {
    const char text[5] = {static_cast<char>(selector >> 24), static_cast<char>(selector >> 16),
                          static_cast<char>(selector >> 8), static_cast<char>(selector), 0};
    return String(text);
}

} // namespace

bool HostFailure::isMissing() const {
    return code == hosterr::NotSupplied || code == hosterr::BadSelector;
}

bool isHostFailure(GSErrCode answer) {
    switch (answer) {
    case hosterr::Ok:
    case hosterr::Cancelled:
    case hosterr::BadIndex:
    case hosterr::NotFound:
    case hosterr::NoUserData:
    case hosterr::BadGuid:
    case hosterr::NoSection:
    case hosterr::FamilyAnswerA:
    case hosterr::FamilyAnswerB:
    case hosterr::SwitchIgnoredOn:
    case hosterr::SwitchIgnoredOff:
        return false;
    default:
        return true;
    }
}

void noteHostAnswer(const char* function, uint32_t selector, GSErrCode answer) {
    if (quietScopes > 0 || !isHostFailure(answer)) return;
    lastNoted = {function, selector, answer, lastNoted.serial + 1, false};
}

void noteHostDenial(const char* function) {
    if (quietScopes > 0) return;
    lastNoted = {function, 0, hosterr::Ok, lastNoted.serial + 1, true};
}

HostFailureWatch::HostFailureWatch() : m_start(lastNoted.serial) {}

bool HostFailureWatch::any() const {
    return lastNoted.serial != m_start;
}

HostFailure HostFailureWatch::last() const {
    if (!any()) return {};
    const String call = lastNoted.selector != 0         ? selectorText(lastNoted.selector)
                        : lastNoted.function != nullptr ? String(lastNoted.function)
                                                        : String();
    return {call, lastNoted.code, lastNoted.serial, lastNoted.denied};
}

UnnotedHostCalls::UnnotedHostCalls() {
    ++quietScopes;
}

UnnotedHostCalls::~UnnotedHostCalls() {
    --quietScopes;
}

} // namespace tarnwick
