#include "File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "FileSystem.h"
#include "platform/api/HostErrors.h"

namespace IO {

namespace {

int openRetrying(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The permissions a file made now would have. The umask can be read only by setting it, and set
// back at once: the host runs on one thread.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

File::File(const Location& location)
    : m_location(location), m_status(Exists(location) ? hosterr::Ok : hosterr::NotFound) {}

File::File(File&& other) noexcept
    : m_location(std::move(other.m_location)), m_fd(std::exchange(other.m_fd, -1)),
      m_folderFd(std::exchange(other.m_folderFd, -1)), m_access(other.m_access), m_status(other.m_status) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        m_location = std::move(other.m_location);
        m_fd = std::exchange(other.m_fd, -1);
        m_folderFd = std::exchange(other.m_folderFd, -1);
        m_access = other.m_access;
        m_status = other.m_status;
    }
    return *this;
}

File::~File() {
    Close();
}

GSErrCode File::Open(Access access, bool createWhenMissing) {
    if (IsOpen()) return report(hosterr::Refused);
    if (m_location.IsEmpty()) return report(hosterr::BadParameter);
    if (access != Access::Read && IsUnwritable(m_location))
        return report(Exists(m_location) || createWhenMissing ? hosterr::Refused : hosterr::NotFound);
    return openWith(access, createWhenMissing && access != Access::Read ? O_CREAT : 0);
}

GSErrCode File::CreateNew(Access access, bool ownerOnly) {
    if (IsOpen()) return report(hosterr::Refused);
    if (m_location.IsEmpty() || access == Access::Read) return report(hosterr::BadParameter);
    if (IsUnwritable(m_location)) return report(hosterr::Refused);
    Location folder;
    std::string name;
    if (!SplitLastName(m_location, &folder, &name)) return report(hosterr::BadName);
    const int folderFd = openRetrying(folder.ToPath(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return report(ErrorFromErrno(errno));
    // O_EXCL also refuses a link at the location, so that nothing is made where it points.
    const int flags =
        O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | (access == Access::Write ? O_WRONLY : O_RDWR);
    int fd;
    do {
        fd = ::openat(folderFd, name.c_str(), flags, ownerOnly ? 0600 : 0666);
    } while (fd < 0 && errno == EINTR);
    // A umask that takes the owner's own bits away does not make a private file unwritable.
    if (fd >= 0 && ownerOnly && ::fchmod(fd, 0600) != 0) {
        const int failed = errno;
        (void)::unlinkat(folderFd, name.c_str(), 0);
        ::close(fd);
        fd = -1;
        errno = failed;
    }
    if (fd < 0) {
        const int failed = errno;
        ::close(folderFd);
        return report(ErrorFromErrno(failed));
    }
    m_fd = fd;
    m_folderFd = folderFd;
    m_access = access;
    return report(hosterr::Ok);
}

GSErrCode File::openWith(Access access, int createFlags) {
    int flags = O_CLOEXEC | createFlags;
    switch (access) {
    case Access::Read:
        flags |= O_RDONLY;
        break;
    case Access::Write:
        flags |= O_WRONLY;
        break;
    case Access::ReadWrite:
        flags |= O_RDWR;
        break;
    }
    const int fd = openRetrying(m_location.ToPath(), flags);
    if (fd < 0) return report(ErrorFromErrno(errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return report(hosterr::BadName);
    }
    m_fd = fd;
    m_access = access;
    return report(hosterr::Ok);
}

bool File::isAt(const std::string& name) const {
    struct stat own {};
    struct stat there {};
    if (!IsOpen() || ::fstat(m_fd, &own) != 0) return false;
    const int found = m_folderFd >= 0 ? ::fstatat(m_folderFd, name.c_str(), &there, AT_SYMLINK_NOFOLLOW)
                                      : ::lstat(m_location.ToPath().c_str(), &there);
    return found == 0 && S_ISREG(there.st_mode) && there.st_dev == own.st_dev && there.st_ino == own.st_ino;
}

bool File::IsAtItsLocation() const {
    return isAt(m_location.GetLastLocalName());
}

GSErrCode File::PutInPlaceOf(const Location& target) {
    if (!CanWrite() || m_folderFd < 0) return report(hosterr::Refused);
    Location folder, ownFolder;
    std::string targetName, ownName;
    if (!SplitLastName(target, &folder, &targetName) || !SplitLastName(m_location, &ownFolder, &ownName) ||
        folder != ownFolder)
        return report(hosterr::BadParameter);
    if (IsUnwritable(target) || IsUnwritable(m_location)) return report(hosterr::Refused);

    struct stat own {};
    struct stat old {};
    if (::fstat(m_fd, &own) != 0) return report(ErrorFromErrno(errno));
    mode_t mode = 0;
    if (::fstatat(m_folderFd, targetName.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0)
        mode = S_ISREG(old.st_mode) ? old.st_mode & 0777 : newFileMode();
    else if (errno == ENOENT)
        mode = newFileMode();
    else
        return report(ErrorFromErrno(errno));

    // Checked before the mode is given as well, so that a file moved away keeps its own.
    if (!isAt(ownName)) return report(hosterr::BadName);
    int failed = ::fchmod(m_fd, mode) != 0 ? errno : 0;
    if (failed == 0 && ::fsync(m_fd) != 0) failed = errno;
    GSErrCode err = failed != 0 ? ErrorFromErrno(failed) : hosterr::Ok;
    if (err == hosterr::Ok && !isAt(ownName)) err = hosterr::BadName;
    if (err == hosterr::Ok && ::renameat(m_folderFd, ownName.c_str(), m_folderFd, targetName.c_str()) != 0)
        err = ErrorFromErrno(errno);
    if (err != hosterr::Ok) {
        (void)::fchmod(m_fd, own.st_mode & 07777);
        return report(err);
    }

    m_location = target;
    // The rename itself lasts only once the folder is on the disk.
    err = ::fsync(m_folderFd) != 0 ? ErrorFromErrno(errno) : hosterr::Ok;
    const GSErrCode closed = Close();
    return report(err != hosterr::Ok ? err : closed);
}

GSErrCode File::Close() {
    if (m_folderFd >= 0) ::close(std::exchange(m_folderFd, -1));
    if (!IsOpen()) return hosterr::Ok;
    int fd = std::exchange(m_fd, -1);
    // close() may report a write the kernel deferred; EINTR still released the descriptor.
    if (::close(fd) != 0 && errno != EINTR) return report(ErrorFromErrno(errno));
    return report(hosterr::Ok);
}

GSErrCode File::Read(void* buffer, size_t count, size_t* got) {
    size_t done = 0;
    if (got) *got = 0;
    if (!IsOpen()) return report(hosterr::Refused);
    if (count > 0 && buffer == nullptr) return report(hosterr::BadParameter);
    while (done < count) {
        ssize_t n = ::read(m_fd, static_cast<char*>(buffer) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (got) *got = done;
            return report(ErrorFromErrno(errno));
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    if (got) *got = done;
    return report(hosterr::Ok);
}

GSErrCode File::Write(const void* data, size_t count) {
    if (!IsOpen()) return report(hosterr::Refused);
    if (count > 0 && data == nullptr) return report(hosterr::BadParameter);
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(m_fd, static_cast<const char*>(data) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return report(ErrorFromErrno(errno));
        }
        if (n == 0) return report(hosterr::Failed);
        done += static_cast<size_t>(n);
    }
    return report(hosterr::Ok);
}

GSErrCode File::GetDataLength(uint64_t* length) const {
    if (length == nullptr) return hosterr::BadParameter;
    *length = 0;
    struct stat st {};
    int result = IsOpen() ? ::fstat(m_fd, &st) : ::stat(m_location.ToPath().c_str(), &st);
    if (result != 0) return ErrorFromErrno(errno);
    if (S_ISDIR(st.st_mode)) return hosterr::BadName;
    *length = static_cast<uint64_t>(st.st_size);
    return hosterr::Ok;
}

GSErrCode File::SetDataLength(uint64_t length) {
    if (!CanWrite()) return report(hosterr::Refused);
    if (length > static_cast<uint64_t>(INT64_MAX)) return report(hosterr::BadParameter);
    int result;
    do {
        result = ::ftruncate(m_fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return report(result == 0 ? hosterr::Ok : ErrorFromErrno(errno));
}

GSErrCode File::Seek(int64_t offset, From from) {
    if (!IsOpen()) return report(hosterr::Refused);
    int whence = from == From::Start ? SEEK_SET : from == From::Current ? SEEK_CUR : SEEK_END;
    if (::lseek(m_fd, static_cast<off_t>(offset), whence) < 0) return report(ErrorFromErrno(errno));
    return report(hosterr::Ok);
}

GSErrCode File::GetPosition(uint64_t* position) const {
    if (position == nullptr) return hosterr::BadParameter;
    *position = 0;
    if (!IsOpen()) return hosterr::Refused;
    off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    if (at < 0) return ErrorFromErrno(errno);
    *position = static_cast<uint64_t>(at);
    return hosterr::Ok;
}

} // namespace IO
