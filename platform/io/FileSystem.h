// Operations on the items of the file system. Failures answer host error codes.
#pragma once

#include <string>
#include <vector>

#include "Location.h"

namespace IO {

enum ItemType : int { ItemMissing = -1, ItemFile = 0, ItemFolder = 1, ItemLink = 2, ItemOther = 3 };

// ItemFolder for a folder, ItemMissing when nothing is there (or the location is empty), else
// ItemFile (devices and other special files count as files). A symbolic link answers for what it
// names: ItemMissing when that is not there.
HOSTLIB_API int GetItemType(const Location& location);
// The item itself, a symbolic link not followed: ItemLink for a link whether or not what it names
// is there, ItemFile only for a regular file, ItemOther for devices, pipes and sockets.
HOSTLIB_API int GetItemTypeNoFollow(const Location& location);
HOSTLIB_API bool Exists(const Location& location);

// Creates the folder and any missing folders above it; Ok when it already is a folder.
HOSTLIB_API GSErrCode CreateFolder(const Location& location);
// Deletes a file or an empty folder; hosterr::NotFound when nothing is there.
HOSTLIB_API GSErrCode Delete(const Location& location);
// Deletes a folder with everything in it, or a file.
HOSTLIB_API GSErrCode DeleteTree(const Location& location);
// Moves or renames an item; an existing file at the target is replaced.
HOSTLIB_API GSErrCode Rename(const Location& from, const Location& to);
// The names in a folder, sorted, without "." and "..".
HOSTLIB_API GSErrCode ListFolder(const Location& folder, std::vector<std::string>* names);

// The folder a location lies in and its last name; false for the root and an empty location.
HOSTLIB_API bool SplitLastName(const Location& location, Location* folder, std::string* name);
// True when the location's last name is longer than its folder takes, or the whole path longer
// than the system takes: nothing of that name can be made there. The disk is asked only for the
// folder's limit.
HOSTLIB_API bool IsNameTooLong(const Location& location);

// The host error code for an operating-system errno value.
HOSTLIB_API GSErrCode ErrorFromErrno(int errnoValue);

// Locations the host holds unwritable, as a read-only disk or a folder without write permission
// would be (the stand-in may run where permissions do not bind, so it keeps them itself). A file
// so held, and everything inside a folder so held, cannot be opened for writing, made, renamed,
// replaced or removed: each attempt answers hosterr::Refused, as a denied access does. Files open
// already stay writable.
HOSTLIB_API void SetUnwritable(const Location& location, bool unwritable);
HOSTLIB_API void ClearUnwritable();
// True when the location, or a folder it lies in, is held unwritable.
HOSTLIB_API bool IsUnwritable(const Location& location);

} // namespace IO
