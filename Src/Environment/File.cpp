#include "Environment/File.h"

#include "platform/io/FileSystem.h"

namespace tarnwick {

String File::getName(bool noExtension) const {
    std::string name = m_location.GetLastLocalName();
    if (noExtension) {
        size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0) name.erase(dot);
    }
    return String(name);
}

bool File::exists() const {
    return IO::Exists(m_location);
}

bool File::isDirectory() const {
    return IO::GetItemType(m_location) == IO::ItemFolder;
}

bool File::isSameLocation(const File& other) const {
    return !m_location.IsEmpty() && m_location.ToURL() == other.m_location.ToURL();
}

} // namespace tarnwick
