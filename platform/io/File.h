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
    GSErrCode CreateNew(Access access = Access::ReadWrite);
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

    Location m_location;
    int m_fd = -1;
    Access m_access = Access::Read;
    GSErrCode m_status = 0;
};

} // namespace IO
