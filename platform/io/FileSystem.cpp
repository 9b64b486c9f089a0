#include "FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

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

int GetItemType(const Location& location) {
    if (location.IsEmpty()) return ItemMissing;
    struct stat st {};
    if (::stat(location.ToPath().c_str(), &st) != 0) return ItemMissing;
    return S_ISDIR(st.st_mode) ? ItemFolder : ItemFile;
}

bool Exists(const Location& location) {
    return GetItemType(location) != ItemMissing;
}

GSErrCode CreateFolder(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    if (GetItemType(location) == ItemFile) return hosterr::BadName; // a file is in the way
    std::error_code ec;
    fs::create_directories(location.ToPath(), ec);
    if (ec) return ErrorFromErrno(ec.value());
    return GetItemType(location) == ItemFolder ? hosterr::Ok : hosterr::BadName;
}

GSErrCode Delete(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    std::error_code ec;
    if (!fs::remove(location.ToPath(), ec)) return ec ? ErrorFromErrno(ec.value()) : hosterr::NotFound;
    return hosterr::Ok;
}

GSErrCode DeleteTree(const Location& location) {
    if (location.IsEmpty()) return hosterr::BadParameter;
    std::error_code ec;
    if (fs::remove_all(location.ToPath(), ec) == 0 && !ec) return hosterr::NotFound;
    return ec ? ErrorFromErrno(ec.value()) : hosterr::Ok;
}

GSErrCode Rename(const Location& from, const Location& to) {
    if (from.IsEmpty() || to.IsEmpty()) return hosterr::BadParameter;
    std::error_code ec;
    fs::rename(from.ToPath(), to.ToPath(), ec);
    return ec ? ErrorFromErrno(ec.value()) : hosterr::Ok;
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
