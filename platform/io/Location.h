// A place in the file system: a normalised absolute path. Locations compare by their path
// components; nothing here touches the disk.
#pragma once

#include <string>

#include "platform/api/HostTypes.h"

namespace IO {

class HOSTLIB_API Location {
public:
    Location();
    Location(const Location& other);
    Location(Location&& other) noexcept;
    Location& operator=(const Location&) = default;
    Location& operator=(Location&&) noexcept = default;
    ~Location();
    // A relative path is taken from the current folder; "." and ".." are resolved by name
    // (symbolic links are not followed). An empty path gives an empty location.
    explicit Location(const std::string& path);

    bool IsEmpty() const { return m_path.empty(); }
    const std::string& ToPath() const { return m_path; }
    // "file://" followed by the absolute path; empty for an empty location.
    std::string ToURL() const;

    // Adds one name below this location. Names that are empty, ".", "..", or contain "/" or a
    // NUL answer hosterr::BadName and change nothing; so does an empty location.
    GSErrCode AppendToLocal(const std::string& name);
    // The last component; hosterr::NotFound for the root and an empty location.
    GSErrCode GetLastLocalName(std::string* name) const;
    std::string GetLastLocalName() const; // empty when there is none
    // Removes the last component; hosterr::NotFound for the root and an empty location.
    GSErrCode DeleteLastLocalName();

    // True when other lies strictly inside this location, component by component.
    bool IsAncestorOf(const Location& other) const;

    // The Location objects alive now, so that a test can tell that a caller deleted every one a
    // host call handed it.
    static int64_t LiveCount();

    bool operator==(const Location& other) const { return m_path == other.m_path; }
    bool operator!=(const Location& other) const { return !(*this == other); }

private:
    std::string m_path;
};

} // namespace IO
