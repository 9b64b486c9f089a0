#include "SpecialFolders.h"

#include <cstdlib>

#include "FileSystem.h"
#include "platform/api/HostErrors.h"

#ifndef ZAV_DEFAULT_HOME
#define ZAV_DEFAULT_HOME "zavhost-home"
#endif

namespace IO {

Location GetHostRoot() {
    const char* home = std::getenv("ZAVHOST_HOME");
    return Location(home != nullptr && *home != '\0' ? home : ZAV_DEFAULT_HOME);
}

GSErrCode LocateSpecialFolder(int which, Location* out) {
    if (out == nullptr) return hosterr::BadParameter;
    const char* relative = nullptr;
    switch (which) {
    case UserDataFolder:
        relative = "User Data";
        break;
    case AddOnPreferencesScope1:
        relative = "Preferences/Add-Ons/Scope 1";
        break;
    case AddOnPreferencesScope2:
        relative = "Preferences/Add-Ons/Scope 2";
        break;
    default:
        return hosterr::BadParameter;
    }
    Location root = GetHostRoot();
    if (root.IsEmpty()) return hosterr::NotFound;
    *out = Location(root.ToPath() + "/" + relative);
    return hosterr::Ok;
}

GSErrCode GetSpecialFolder(int which, Location* out) {
    if (out == nullptr) return hosterr::BadParameter;
    Location folder;
    if (GSErrCode err = LocateSpecialFolder(which, &folder); err != hosterr::Ok) return err;
    if (GSErrCode err = CreateFolder(folder); err != hosterr::Ok) return err;
    *out = folder;
    return hosterr::Ok;
}

} // namespace IO
