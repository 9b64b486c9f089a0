// The library folders of Library: the host's list, the folders of it that exist as folders.
#include "Environment/Directory.h"
#include "Environment/HostCalls.h"
#include "library/Library.h"
#include "platform/gsroot/Containers.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

void Library::resetFolders() {
    m_folders.reset();
    m_selected = -1;
}

const FileList& Library::getFolders() {
    if (m_folders) return *m_folders;
    m_selected = -1;
    m_folders = std::make_unique<FileList>();
    GS::Array<HostLibraryFolder> entries;
    int32_t selected = -1;
    if (ACAPEnvironmentCall(fourCC("GLIB"), &entries, &selected) != hosterr::Ok) return *m_folders;
    for (size_t i = 0; i < entries.GetSize(); ++i) {
        // A file, or a place the file system cannot tell, is no library folder.
        if (IO::GetItemType(entries[i].location) != IO::ItemFolder) continue;
        // Only the entry the host names is selected: never the folder kept after a dropped one.
        if (static_cast<int64_t>(i) == selected) m_selected = static_cast<int64_t>(m_folders->size());
        m_folders->push_back(std::make_unique<Directory>(entries[i].location));
    }
    return *m_folders;
}

int64_t Library::getSelectedIndex() {
    getFolders();
    return m_selected;
}

std::unique_ptr<Directory> Library::getSelectedFolder() {
    const int64_t selected = getSelectedIndex();
    return selected < 0 ? nullptr : getFolder(static_cast<size_t>(selected));
}

std::unique_ptr<Directory> Library::getFolder(size_t position) {
    const FileList& folders = getFolders();
    if (position >= folders.size() || folders[position] == nullptr) return nullptr;
    return std::make_unique<Directory>(folders[position]->getLocation());
}

bool Library::setFolders(const FileList& folders) {
    resetFolders();
    GS::Array<HostLibraryFolder> entries;
    for (const File* folder : folders) {
        if (folder == nullptr) continue;
        HostLibraryFolder entry;
        entry.location = folder->getLocation();
        entries.Push(entry);
    }
    return ACAPEnvironmentCall(fourCC("SLIB"), &entries) == hosterr::Ok;
}

bool Library::addFolder(const Directory& folder) {
    if (!folder.exists()) return false;
    resetFolders();
    IO::Location location = folder.getLocation();
    return ACAPEnvironmentCall(fourCC("ALIB"), &location) == hosterr::Ok;
}

bool Library::reloadLibraries() {
    GS::Array<HostLibraryFolder> entries;
    int32_t selected = -1;
    if (ACAPEnvironmentCall(fourCC("GLIB"), &entries, &selected) != hosterr::Ok) return false;
    return ACAPAutomationCall(fourCC("LLIB"), &entries) == hosterr::Ok;
}

} // namespace tarnwick
