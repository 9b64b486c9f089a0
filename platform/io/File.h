// A file opened by location. Operations answer host error codes; the last one is kept as the
// file's status.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Location.h"

namespace IO {

class HOSTLIB_API File {
public:
    enum class Access { Read, Write, ReadWrite };
    enum class From { Start, Current, End };

    File() = default;
    // The status starts Ok when something is at the location, else hosterr::NotFound.
    explicit File(const Location& location);
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File(); // closes

    const Location& GetLocation() const { return m_location; }
    GSErrCode GetStatus() const { return m_status; }
    bool IsOpen() const { return m_fd >= 0; }
    bool CanWrite() const { return IsOpen() && m_access != Access::Read; }

    // Opens at the start without emptying the file. With createWhenMissing a missing file is
    // made (write access only). Opening an open file answers hosterr::Refused.
    GSErrCode Open(Access access, bool createWhenMissing = false);
    // Makes a new, empty file at the location and opens it with write access (Read answers
    // hosterr::BadParameter). Nothing may stand there yet, not even a symbolic link that names
    // nothing: that answers hosterr::BadName and nothing is made, here or where the link points.
    // With ownerOnly the file is readable and writable by its owner alone (0600), whatever the
    // umask; else it has a new file's permissions (0666 less the umask).
    GSErrCode CreateNew(Access access = Access::ReadWrite, bool ownerOnly = false);
    // Puts this file, made by CreateNew and still open, in the place of target, a name in the same
    // folder, so that a power loss leaves either the old file or the whole new one. Nothing is
    // opened by name and no link is followed: through its own descriptor the file takes the
    // permission bits of a regular file at target (never set-user, set-group or sticky), or a new
    // file's (0666 less the umask) where none stands, and its bytes reach the disk; then, only when
    // its own name still holds this very file, it is renamed onto target (a link or other item
    // there is replaced, not followed) and the folder's new entry reaches the disk. On Ok the file
    // is closed and located at target. hosterr::BadName when something else stands at its own name
    // now; hosterr::Refused for a file not made by CreateNew or not open. A failure before the
    // rename leaves target as it was and this file open and unchanged where it is; one after it
    // (the folder not flushed) leaves the file closed at target.
    GSErrCode PutInPlaceOf(const Location& target);
    // True while the file is open and its location, not followed, holds this very file.
    bool IsAtItsLocation() const;
    GSErrCode Close(); // Ok when it was not open

    // Reads up to count bytes; fewer at the end of the file (Ok). *got receives the bytes read.
    GSErrCode Read(void* buffer, size_t count, size_t* got);
    // Writes all count bytes or answers the error.
    GSErrCode Write(const void* data, size_t count);

    GSErrCode GetDataLength(uint64_t* length) const; // works on a closed file too
    GSErrCode SetDataLength(uint64_t length);        // needs write access
    GSErrCode Seek(int64_t offset, From from = From::Start);
    GSErrCode GetPosition(uint64_t* position) const;

private:
    GSErrCode report(GSErrCode err) { return m_status = err; }
    GSErrCode openWith(Access access, int createFlags);
    bool isAt(const std::string& name) const;

    Location m_location;
    int m_fd = -1;
    // The folder a file made by CreateNew was made in, held open so that the file is put in place
    // in that very folder, by names within it.
    int m_folderFd = -1;
    Access m_access = Access::Read;
    GSErrCode m_status = 0;
};

} // namespace IO
