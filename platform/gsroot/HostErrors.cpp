#include "platform/api/HostErrors.h"

namespace hosterr {
const char* name(GSErrCode err) {
    switch (err) {
    case Ok:
        return "no error";
    case Failed:
        return "failed";
    case Cancelled:
        return "cancelled";
    case MemoryFull:
        return "memory full";
    case BadParameter:
        return "bad parameter";
    case BadIndex:
        return "bad index";
    case NotFound:
        return "not found";
    case NoProject:
        return "no project";
    case BadDatabase:
        return "bad database";
    case Refused:
        return "refused";
    case BadName:
        return "bad name";
    case NoUserData:
        return "no user data";
    case BadGuid:
        return "no such Guid";
    case BadSelector:
        return "unknown selector";
    case NoSection:
        return "no such section";
    case FamilyAnswerA:
        return "family answer A";
    case FamilyAnswerB:
        return "family answer B";
    case SwitchIgnoredOn:
        return "switch-on ignored";
    case SwitchIgnoredOff:
        return "switch-off ignored";
    case NotSupplied:
        return "function not supplied";
    case NoTarget:
        return "no target";
    case CommandFailed:
        return "command failed";
    case Internal:
        return "internal error";
    default:
        return "host error";
    }
}
} // namespace hosterr
