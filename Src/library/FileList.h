// A list of files or folders, such as the library folders the host has loaded.
#pragma once

#include "Environment/Containers.h"
#include "Environment/File.h"

namespace tarnwick {

class FileList : public Vector<File> {
public:
    // The same locations, each as often in both lists (["a", "a"] and ["a", "b"] differ).
    bool sameFiles(const FileList& other) const;
    bool contains(const File& file) const;
    // Some entry is a folder that lies inside folder; file entries do not count.
    bool containsFolderInside(const File& folder) const;
};

} // namespace tarnwick
