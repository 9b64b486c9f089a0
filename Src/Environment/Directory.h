// A folder. Making a Directory never creates anything; createChild does.
#pragma once

#include <memory>
#include <vector>

#include "Environment/File.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

class Directory : public File {
public:
    Directory() = default;
    explicit Directory(const IO::Location& location) : File(location) {}
    // The named folder inside parent, whether or not it exists. A name that cannot be a single
    // folder name ("", ".", "..", or one with "/") gives an empty location.
    Directory(const Directory& parent, const String& name);

    // True when a folder is at the location.
    bool exists() const override { return isDirectory(); }

    // The named sub-folder of parent, created when missing. Null on failure, with the host error
    // in *status (hosterr::BadName for an unusable name or a file in the way); *status is 0 on
    // success. status may be null.
    static std::unique_ptr<Directory> createChild(const Directory& parent, const String& name,
                                                  GSErrCode* status = nullptr);

    // The names of the items in the folder, sorted; empty when it cannot be read.
    std::vector<String> getEntries() const;
};

} // namespace tarnwick
