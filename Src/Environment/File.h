// A place in the file system: a file or a folder, named by a host location.
#pragma once

#include "Environment/String.h"
#include "platform/io/Location.h"

namespace tarnwick {

class File {
public:
    File() = default;
    explicit File(const IO::Location& location) : m_location(location) {}
    explicit File(const String& path) : m_location(path.bytes()) {}
    File(const File&) = default;
    File& operator=(const File&) = default;
    virtual ~File() = default;

    // The last name of the location; with noExtension, without its last "." and what follows
    // (a leading "." is part of the name, not an extension).
    String getName(bool noExtension = false) const;
    String getPath() const { return String(m_location.ToPath()); }
    const IO::Location& getLocation() const { return m_location; }
    // True when something (a file or a folder) is at the location.
    virtual bool exists() const;
    bool isDirectory() const;
    // True when both locations give equal URL texts (two empty locations are not the same).
    bool isSameLocation(const File& other) const;

protected:
    IO::Location m_location;
};

} // namespace tarnwick
