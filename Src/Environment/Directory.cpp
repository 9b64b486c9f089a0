#include "Environment/Directory.h"

#include "platform/api/HostErrors.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

Directory::Directory(const Directory& parent, const String& name) : File(parent.getLocation()) {
    if (m_location.AppendToLocal(name.bytes()) != hosterr::Ok) m_location = IO::Location();
}

std::unique_ptr<Directory> Directory::createChild(const Directory& parent, const String& name,
                                                  GSErrCode* status) {
    GSErrCode ignored = 0;
    GSErrCode& err = status ? *status : ignored;
    auto child = std::make_unique<Directory>(parent, name);
    if (child->getLocation().IsEmpty()) {
        err = parent.getLocation().IsEmpty() ? hosterr::BadParameter : hosterr::BadName;
        return nullptr;
    }
    if (parent.getLocation().IsEmpty() || !parent.exists()) {
        err = hosterr::NotFound;
        return nullptr;
    }
    err = IO::CreateFolder(child->getLocation());
    if (err != hosterr::Ok) return nullptr;
    return child;
}

std::vector<String> Directory::getEntries() const {
    std::vector<std::string> names;
    std::vector<String> out;
    if (IO::ListFolder(m_location, &names) != hosterr::Ok) return out;
    for (const std::string& name : names)
        out.emplace_back(name);
    return out;
}

} // namespace tarnwick
