#include "FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/api/HostErrors.h"

namespace IO {

namespace fs = std::filesystem;

GSErrCode ErrorFromErrno(int errnoValue) {
    switch (errnoValue) {
    case 0:
        return hosterr::Ok;
    case ENOENT:
    case ENOTDIR:
        return hosterr::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBADF:
    case ETXTBSY:
    case EBUSY:
        return hosterr::Refused;
    case EEXIST:
    case EISDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return hosterr::BadName;
    case ENOMEM:
        return hosterr::MemoryFull;
    default:
        return hosterr::Failed; // ENOSPC, EIO, ENOTEMPTY, ...
    }
}

namespace {
std::vector<Location>& unwritable() {
    static std::vector<Location> held;
    return held;
}
} // namespace

void SetUnwritable(const Location& location, bool on) {
    std::vector<Location>& held = unwritable();
    held.erase(std::remove(held.begin(), held.end(), location), held.end());
    if (on && !location.IsEmpty()) held.push_back(location);
}

void ClearUnwritable() {
    unwritable().clear();
}

bool IsUnwritable(const Location& location) {
    for (const Location& held : unwritable())
        if (held == location || held.IsAncestorOf(location)) return true;
    return false;
}

int GetItemType(const Location& location) {
    if (location.IsEmpty()) return ItemMissing;
    struct stat st {};
    if (::stat(location.ToPath().c_str(), &st) != 0) return ItemMissing;
    return S_ISDIR(st.st_mode) ? ItemFolder : ItemFile;
}

int GetItemTypeNoFollow(const Location& location) {
    if (location.IsEmpty()) return ItemMissing;
    struct stat st {};
    if (::lstat(location.ToPath().c_str(), &st) != 0) return ItemMissing;
    if (S_ISLNK(st.st_mode)) return ItemLink;
    if (S_ISDIR(st.st_mode)) return ItemFolder;
    return S_ISREG(st.st_mode) ? ItemFile : ItemOther;
}

bool Exists(const Location& location) {
    return GetItemType(location) != ItemMissing;
}

GSErrCode CreateFolder(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    if (GetItemType(location) == ItemFile) return hosterr::BadName; // a file is in the way
    if (GetItemType(location) == ItemFolder) return hosterr::Ok;
    if (IsUnwritable(location)) return hosterr::Refused;
    std::error_code ec;
    fs::create_directories(location.ToPath(), ec);
    if (ec) return ErrorFromErrno(ec.value());
    return GetItemType(location) == ItemFolder ? hosterr::Ok : hosterr::BadName;
}

GSErrCode Delete(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    if (IsUnwritable(location)) return Exists(location) ? hosterr::Refused : hosterr::NotFound;
    std::error_code ec;
    if (!fs::remove(location.ToPath(), ec)) return ec ? ErrorFromErrno(ec.value()) : hosterr::NotFound;
    return hosterr::Ok;
}

GSErrCode DeleteTree(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    if (IsUnwritable(location) ||
        std::any_of(unwritable().begin(), unwritable().end(),
                    [&](const Location& held) { return location.IsAncestorOf(held); }))
        return Exists(location) ? hosterr::Refused : hosterr::NotFound;
    std::error_code ec;
    if (fs::remove_all(location.ToPath(), ec) == 0 && !ec) return hosterr::NotFound;
    return ec ? ErrorFromErrno(ec.value()) : hosterr::Ok;
}

GSErrCode Rename(const Location& from, const Location& to) {
    if (from.IsEmpty() || to.IsEmpty()) return hosterr::BadParameter;
    if (IsUnwritable(from) || IsUnwritable(to)) return hosterr::Refused;
    std::error_code ec;
    fs::rename(from.ToPath(), to.ToPath(), ec);
    return ec ? ErrorFromErrno(ec.value()) : hosterr::Ok;
}

bool SplitLastName(const Location& location, Location* folder, std::string* name) {
    *folder = location;
    return location.GetLastLocalName(name) == hosterr::Ok && folder->DeleteLastLocalName() == hosterr::Ok;
}

bool IsNameTooLong(const Location& location) {
    if (location.ToPath().size() >= PATH_MAX) return true;
    Location folder;
    std::string name;
    if (!SplitLastName(location, &folder, &name)) return false;
    long limit = ::pathconf(folder.ToPath().c_str(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX; // a folder not there yet, or one that does not say
    return name.size() > static_cast<size_t>(limit);
}

GSErrCode ListFolder(const Location& folder, std::vector<std::string>* names) {
    if (names == nullptr) return hosterr::BadParameter;
    names->clear();
    if (GetItemType(folder) != ItemFolder) return hosterr::NotFound;
    std::error_code ec;
    for (fs::directory_iterator it(folder.ToPath(), ec), end; !ec && it != end; it.increment(ec))
        names->push_back(it->path().filename().string());
    if (ec) {
        names->clear();
        return ErrorFromErrno(ec.value());
    }
    std::sort(names->begin(), names->end());
    return hosterr::Ok;
}

} // namespace IO
