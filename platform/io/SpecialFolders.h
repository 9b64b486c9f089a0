// The host's special folders. All of them live under one root: $ZAVHOST_HOME when it is set,
// else the folder the build chose. A folder is created when it is first asked for.
#pragma once

#include "Location.h"

namespace IO {

enum SpecialFolderId : int {
    UserDataFolder = 5,           // the per-user data folder
    AddOnPreferencesScope1 = 101, // the add-on's per-user preferences, first scope
    AddOnPreferencesScope2 = 102, // the add-on's per-user preferences, second scope
};

// The root of every special folder (not created here).
HOSTLIB_API Location GetHostRoot();
// Fills out with where the folder is, whether or not it is there, and makes nothing: the place
// GetSpecialFolder tries. An unknown id answers hosterr::BadParameter; out is untouched on failure.
HOSTLIB_API GSErrCode LocateSpecialFolder(int which, Location* out);
// Fills out with the folder and creates it when missing. An unknown id answers
// hosterr::BadParameter; a folder that cannot be made answers its error. out is untouched on failure.
HOSTLIB_API GSErrCode GetSpecialFolder(int which, Location* out);

} // namespace IO
