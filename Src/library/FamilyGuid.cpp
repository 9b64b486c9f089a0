#include "library/FamilyGuid.h"

#include "Environment/HostCalls.h"

namespace tarnwick {

bool FamilyGuid::isSubtypeOf(const FamilyGuid& parent) const {
    return ACAPUtilityCall(fourCC("CLPS"), const_cast<char*>(c_str()), const_cast<char*>(parent.c_str())) ==
           hosterr::Ok;
}

FamilyGuid::Order FamilyGuid::compare(const FamilyGuid& other) const {
    switch (ACAPUtilityCall(fourCC("COMP"), const_cast<char*>(c_str()), const_cast<char*>(other.c_str()))) {
    case hosterr::Ok:
        return Same;
    case hosterr::FamilyAnswerA:
        return Older;
    case hosterr::FamilyAnswerB:
        return Newer;
    default:
        return Unrelated;
    }
}

} // namespace tarnwick
