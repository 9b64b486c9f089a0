#include "library/FileList.h"

#include <string>
#include <unordered_map>

namespace tarnwick {

bool FileList::sameFiles(const FileList& other) const {
    if (size() != other.size()) return false;
    if (this == &other) return true;
    // Locations match by their URL text, and an empty location matches none.
    std::unordered_map<std::string, size_t> theirs;
    theirs.reserve(other.size());
    for (const File* file : other)
        if (file != nullptr && !file->getLocation().IsEmpty()) ++theirs[file->getLocation().ToURL()];
    for (const File* file : *this) {
        if (file == nullptr) return false;
        auto found = theirs.find(file->getLocation().ToURL());
        if (found == theirs.end() || found->second == 0) return false;
        --found->second;
    }
    return true;
}

bool FileList::contains(const File& file) const {
    for (const File* entry : *this)
        if (entry != nullptr && entry->isSameLocation(file)) return true;
    return false;
}

bool FileList::containsFolderInside(const File& folder) const {
    for (const File* entry : *this)
        if (entry != nullptr && entry->isDirectory() &&
            folder.getLocation().IsAncestorOf(entry->getLocation()))
            return true;
    return false;
}

} // namespace tarnwick
